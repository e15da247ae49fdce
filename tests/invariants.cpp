#include "tests/invariants.h"

#include "tests/expected.h"

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
    std::vector<keystrokes::Event> wanted = expected::Events(call.alternate, call.keyCode, call.eventKind, call.target);
    const expected::Key* key = expected::Find(call.eventKind, call.keyCode);
    if (call.postsFail && key != nullptr && key->delivery == expected::Delivery::Posted) wanted.clear();
    if (const std::string diff = keystrokes::Diff(wanted, events); !diff.empty()) return diff;
    if (result != (wanted.empty() ? 0 : 1))
        return "result " + std::to_string(result) + " after " + keystrokes::Describe(events);
    if (!ChordsBalanced(events)) return "unbalanced chord: " + keystrokes::Describe(events);
    return "";
}

}  // namespace invariants
