#include "tests/invariants.h"

#include <cstring>

#include "tests/expected_keys.h"

namespace invariants {

bool ChordsBalanced(const std::vector<keystrokes::Event>& events) {
    constexpr std::uint32_t kKeyUp = 0x0002;
    bool down[256] = {};
    int first = -1;
    int lastUp = -1;
    for (const keystrokes::Event& e : events) {
        if (e.kind != keystrokes::Event::Kind::Injected) continue;
        if (e.flags & kKeyUp) {
            if (!down[e.virtualKey]) return false;  // up without a down
            down[e.virtualKey] = false;
            lastUp = e.virtualKey;
        } else {
            if (down[e.virtualKey]) return false;  // pressed twice
            down[e.virtualKey] = true;
            if (first < 0) first = e.virtualKey;
        }
    }
    for (bool held : down) {
        if (held) return false;
    }
    return first == lastUp;
}

std::string Check(const Call& call, int result, const std::vector<keystrokes::Event>& events) {
    if (result != 0 && result != 1) return "result " + std::to_string(result) + " is neither 0 nor 1";
    const char* sends = (call.target != 0 && call.alternate == 0) ? expected::Sends(call.eventKind, call.keyCode) : "nothing";
    if (call.postsFail && expected::IsPosted(sends)) sends = "nothing";
    const bool sent = std::strcmp(sends, "nothing") != 0;
    const std::string words = keystrokes::Describe(events);
    if (words != sends) return "expected " + std::string(sends) + ", got " + words;
    if (result != (sent ? 1 : 0)) return "result " + std::to_string(result) + " after " + words;
    for (const keystrokes::Event& e : events) {
        if (e.kind == keystrokes::Event::Kind::Posted && e.window != call.target) return "posted to another window: " + keystrokes::Raw(e);
    }
    if (!ChordsBalanced(events)) return "unbalanced chord: " + words;
    return "";
}

}  // namespace invariants
