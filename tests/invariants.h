// What must hold for every HandleKey call, whatever its arguments and
// whatever the desktop looks like. Shared by the exhaustive sweep, the
// fuzzer and the concurrency test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/keystrokes.h"

namespace invariants {

struct Call {
    std::uint32_t alternate;
    std::uint32_t keyCode;
    std::uint32_t eventKind;
    std::uintptr_t target;  // the window the key must go to, or 0 for none
    bool postsFail;         // PostMessageA fails on this desktop
};

// Each injected down has a later up of the same key, nothing is left down,
// and the first key pressed (the modifier) is released last.
bool ChordsBalanced(const std::vector<keystrokes::Event>& events);

// "" when the call did what it must: its result is exactly 0 or 1, output
// appears only where a row calls for it and only at the target, and every
// chord is balanced. Otherwise what went wrong.
std::string Check(const Call& call, int result, const std::vector<keystrokes::Event>& events);

}  // namespace invariants
