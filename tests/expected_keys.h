// What the tests hold the plug-in to, written independently of the plug-in's
// own constants so that a wrong value there shows up as a failing case here:
// Korrin's window classes, and what each remote key must make Korrin receive,
// in the words of keystrokes::Describe. Pairs not listed deliver "nothing".
#pragma once

#include <cstdint>

namespace expected {

// Korrin's window classes, in the order the plug-in must look for them.
inline constexpr char kPrimaryClass[] = "WindowsForms10.Window.8.app4";
inline constexpr char kSecondaryClass[] = "WindowsForms10.Window.8.app5";

struct Key {
    int eventKind;
    int keyCode;
    const char* sends;
};

inline constexpr Key kKeys[] = {
    {1, 23, "WM_KEYDOWN VK_UP posted"},
    {1, 24, "WM_KEYDOWN VK_DOWN posted"},
    {1, 25, "WM_KEYDOWN VK_RIGHT posted"},
    {1, 26, "WM_KEYDOWN VK_LEFT posted"},
    {1, 27, "WM_KEYDOWN M posted"},
    {1, 28, "WM_KEYDOWN VK_HOME posted"},
    {1, 29, "WM_KEYDOWN VK_F1 posted"},
    {1, 35, "Ctrl+F injected"},
    {1, 36, "Ctrl+R injected"},
    {1, 37, "Ctrl+P injected"},
    {1, 38, "Ctrl+Q injected"},
    {1, 39, "Ctrl+S injected"},
    {1, 40, "Ctrl+K injected"},
    {1, 41, "Ctrl+Q injected"},
    {1, 44, "Ctrl+R injected"},
    {1, 45, "Ctrl+G injected"},
    {1, 46, "Ctrl+Y injected"},
    {1, 47, "Ctrl+B injected"},
    {1, 48, "LeftAlt+Enter injected"},
    {2, 25, "WM_KEYDOWN VK_RIGHT posted"},
    {2, 26, "WM_KEYDOWN VK_LEFT posted"},
    {2, 35, "Ctrl+Right injected"},
    {2, 36, "Ctrl+Left injected"},
};

// What the pair must deliver; only the low 16 bits of each number count.
constexpr const char* Sends(std::uint32_t eventKind, std::uint32_t keyCode) {
    for (const Key& key : kKeys) {
        if (key.eventKind == static_cast<int>(eventKind & 0xFFFF) && key.keyCode == static_cast<int>(keyCode & 0xFFFF)) {
            return key.sends;
        }
    }
    return "nothing";
}

// A posted key-down goes to the target window; a chord goes into system input.
constexpr bool IsPosted(const char* sends) { return sends[0] == 'W'; }

}  // namespace expected
