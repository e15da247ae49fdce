// libFuzzer target: HandleKey and AreYouInFocus with any three arguments on
// any small desktop, including posts that fail.
//
// Input: alternate, key code and event kind (4 bytes each, little-endian),
// then one byte per window (class in the low 2 bits, owner in the next 3,
// 0 = none), up to six windows; the byte after the windows, if any, picks
// the foreground (low 3 bits, 0 = none) and bit 3 makes posts fail.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "plugin/korzel_plugin.h"
#include "target/target_window.h"
#include "tests/expected.h"
#include "tests/invariants.h"
#include "tests/standin/desktop.h"

namespace {

// Class 3 is the primary class written in another case: the same class to
// the platform's search.
constexpr const char* kClasses[] = {"Bystander", expected::kPrimaryClass, expected::kSecondaryClass,
                                    "WINDOWSFORMS10.window.8.APP4"};
constexpr int ClassKind(int cls) { return cls == 3 ? 1 : cls; }

std::uint32_t Word(const std::uint8_t* data) {
    return static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
           static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "invariant broken: %s: %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 12) return 0;
    const std::uint32_t alternate = Word(data), keyCode = Word(data + 4), eventKind = Word(data + 8);
    data += 12;
    size -= 12;

    // The desktop, and the target and focus it implies.
    desktop::Reset();
    std::vector<HWND> windows;
    std::vector<int> classes;
    std::vector<int> owners;
    const std::size_t count = size > 6 ? 6 : (size > 0 ? size - 1 : 0);
    for (std::size_t i = 0; i < count; ++i) {
        const int cls = data[i] & 3;
        int owner = (data[i] >> 2) & 7;  // 1-based index of an earlier window
        if (owner > static_cast<int>(i)) owner = 0;
        windows.push_back(
            desktop::AddWindow(kClasses[cls], owner ? windows[static_cast<std::size_t>(owner - 1)] : nullptr));
        classes.push_back(cls);
        owners.push_back(owner - 1);
    }
    int foreground = -1;
    bool postsFail = false;
    if (size > count) {
        const std::uint8_t control = data[count];
        const int pick = control & 7;
        if (pick > 0 && pick <= static_cast<int>(windows.size())) foreground = pick - 1;
        postsFail = (control & 8) != 0;
    }
    desktop::SetForeground(foreground >= 0 ? windows[static_cast<std::size_t>(foreground)] : nullptr);
    desktop::FailPosts(postsFail);

    // The z-order, top first: the foreground window, then the others from
    // the newest. The target is the top primary-class window, else the top
    // secondary-class one.
    std::vector<int> zOrder;
    if (foreground >= 0) zOrder.push_back(foreground);
    for (int i = static_cast<int>(windows.size()) - 1; i >= 0; --i) {
        if (i != foreground) zOrder.push_back(i);
    }
    int target = -1;
    for (int wanted : {1, 2}) {
        for (int i : zOrder) {
            if (target < 0 && ClassKind(classes[static_cast<std::size_t>(i)]) == wanted) target = i;
        }
    }
    const std::uintptr_t targetId =
        target >= 0 ? reinterpret_cast<std::uintptr_t>(windows[static_cast<std::size_t>(target)]) : 0;

    if (korzel::FindTargetWindow() != (target >= 0 ? windows[static_cast<std::size_t>(target)] : nullptr)) {
        Fail("FindTargetWindow", "not the top primary-class window, else the top secondary-class one");
    }

    const int result = HandleKey(static_cast<int>(alternate), static_cast<int>(keyCode), static_cast<int>(eventKind));
    const std::string error =
        invariants::Check({alternate, keyCode, eventKind, targetId, postsFail}, result, desktop::TakeEvents());
    if (!error.empty()) Fail("HandleKey", error);

    const int expectedFocus = target >= 0 && foreground >= 0 &&
                              (foreground == target || owners[static_cast<std::size_t>(foreground)] == target);
    const int inFocus = AreYouInFocus();
    if (inFocus != expectedFocus)
        Fail("AreYouInFocus", std::to_string(inFocus) + " instead of " + std::to_string(expectedFocus));
    if (!desktop::TakeEvents().empty()) Fail("AreYouInFocus", "sent something");
    return 0;
}
