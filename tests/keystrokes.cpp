#include "tests/keystrokes.h"

#include <cstdio>

namespace keystrokes {
namespace {

constexpr unsigned kWmKeyDown = 0x0100;
constexpr std::uint32_t kKeyUp = 0x0002;

struct KeyName {
    std::uint8_t virtualKey;
    const char* constant;  // as a posted key is named
    const char* key;       // as a key in a chord is named
};

constexpr KeyName kKeyNames[] = {
    {0x0D, "VK_RETURN", "Enter"},      {0x11, "VK_CONTROL", "Ctrl"},  {0x12, "VK_MENU", "Alt"},
    {0x24, "VK_HOME", "Home"},         {0x25, "VK_LEFT", "Left"},     {0x26, "VK_UP", "Up"},
    {0x27, "VK_RIGHT", "Right"},       {0x28, "VK_DOWN", "Down"},     {0x70, "VK_F1", "F1"},
    {0xA2, "VK_LCONTROL", "LeftCtrl"}, {0xA4, "VK_LMENU", "LeftAlt"},
};

std::string Name(std::uint8_t virtualKey, bool asConstant) {
    for (const KeyName& name : kKeyNames) {
        if (name.virtualKey == virtualKey) return asConstant ? name.constant : name.key;
    }
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return std::string(1, static_cast<char>(virtualKey));
    }
    return Hex(virtualKey);
}

bool IsClean(const Event& event, std::uint8_t virtualKey, std::uint32_t flags) {
    return event.kind == Event::Kind::Injected && event.virtualKey == virtualKey && event.scanCode == 0 &&
           event.flags == flags && event.extraInfo == 0;
}

}  // namespace

std::string Hex(std::uintmax_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%jX", value);
    return text;
}

Event Posted(std::uintptr_t window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    Event event{Event::Kind::Posted};
    event.window = window;
    event.message = message;
    event.wParam = wParam;
    event.lParam = lParam;
    return event;
}

Event Injected(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags, std::uintptr_t extraInfo) {
    Event event{Event::Kind::Injected};
    event.virtualKey = virtualKey;
    event.scanCode = scanCode;
    event.flags = flags;
    event.extraInfo = extraInfo;
    return event;
}

std::string Raw(const Event& event) {
    if (event.kind == Event::Kind::Posted) {
        return "posted " + Hex(event.message) + " wParam " + Hex(event.wParam) + " lParam " +
               Hex(static_cast<std::uintptr_t>(event.lParam)) + " to " + Hex(event.window);
    }
    return "injected vk " + Hex(event.virtualKey) + " scan " + Hex(event.scanCode) + " flags " + Hex(event.flags) +
           " extra " + Hex(event.extraInfo);
}

std::string Describe(const std::vector<Event>& events) {
    if (events.empty()) return "nothing";
    if (events.size() == 1 && events[0].kind == Event::Kind::Posted && events[0].message == kWmKeyDown &&
        events[0].lParam == 0 && events[0].wParam <= 0xFF) {
        return "WM_KEYDOWN " + Name(static_cast<std::uint8_t>(events[0].wParam), true) + " posted";
    }
    if (events.size() == 4) {
        const std::uint8_t modifier = events[0].virtualKey;
        const std::uint8_t key = events[1].virtualKey;
        if (IsClean(events[0], modifier, 0) && IsClean(events[1], key, 0) && IsClean(events[2], key, kKeyUp) &&
            IsClean(events[3], modifier, kKeyUp)) {
            return Name(modifier, false) + "+" + Name(key, false) + " injected";
        }
    }
    std::string words;
    for (const Event& event : events) {
        if (!words.empty()) words += "; ";
        words += Raw(event);
    }
    return words;
}

std::string Diff(const std::vector<Event>& expected, const std::vector<Event>& arrived) {
    if (expected == arrived) return "";
    auto list = [](const std::vector<Event>& events) {
        std::string text;
        for (const Event& event : events) text += "\n    " + Raw(event);
        return text.empty() ? std::string("\n    nothing") : text;
    };
    // Multiset differences: each arrived event cancels one expected event.
    std::vector<Event> missing = expected, extra;
    for (const Event& event : arrived) {
        bool matched = false;
        for (auto it = missing.begin(); it != missing.end(); ++it) {
            if (*it == event) {
                missing.erase(it);
                matched = true;
                break;
            }
        }
        if (!matched) extra.push_back(event);
    }
    std::string text = "\n  expected:" + list(expected) + "\n  arrived:" + list(arrived);
    if (missing.empty() && extra.empty()) return text + "\n  the same events, in another order";
    if (!missing.empty()) text += "\n  missing:" + list(missing);
    if (!extra.empty()) text += "\n  extra:" + list(extra);
    return text;
}

}  // namespace keystrokes
