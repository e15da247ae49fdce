// What arrived at Korrin because of one remote key, and the words for it.
// Shared by the native tests, the end-to-end tests and the demo, so that all
// three describe keystrokes the same way ("Ctrl+F injected").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace keystrokes {

struct Event {
    enum class Kind : std::uint8_t { Posted, Injected };
    Kind kind;
    // Posted: the window, message and parameters as they arrived.
    std::uintptr_t window = 0;
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    // Injected: the keyboard event as it entered system input, with the
    // flags in keybd_event's terms (KEYEVENTF_KEYUP 2, KEYEVENTF_EXTENDEDKEY 1).
    std::uint8_t virtualKey = 0;
    std::uint8_t scanCode = 0;
    std::uint32_t flags = 0;
    std::uintptr_t extraInfo = 0;

    bool operator==(const Event&) const = default;
};

Event Posted(std::uintptr_t window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
Event Injected(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags, std::uintptr_t extraInfo);

// "0x1A".
std::string Hex(std::uintmax_t value);

// One event, raw: "posted 0x100 wParam 0x26 lParam 0 to 0x1000",
// "injected vk 0x11 scan 0 flags 0x0 extra 0".
std::string Raw(const Event& event);

// The words for what one call delivered. Only the exact shapes the plug-in
// may produce get short words; anything else is spelled out raw, so a wrong
// flag or scan code can never hide behind a familiar phrase.
//   nothing                    -> "nothing"
//   one WM_KEYDOWN, lParam 0   -> "WM_KEYDOWN VK_UP posted"
//   mod down, key down, key up, mod up, scan 0, extra 0, no other flag
//                              -> "Ctrl+F injected", "LeftAlt+Enter injected"
std::string Describe(const std::vector<Event>& events);

// "" when `arrived` is exactly `expected`, entry by entry. Otherwise both
// sequences in full, then what is missing and what is extra; when nothing
// is missing or extra, the order is what differs.
std::string Diff(const std::vector<Event>& expected, const std::vector<Event>& arrived);

}  // namespace keystrokes
