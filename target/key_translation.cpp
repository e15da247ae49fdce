#include "target/key_translation.h"

#include "target/key_table.h"
#include "target/target_window.h"

namespace korzel {
namespace {

// Injected events carry scan code 0, no flag but KEYEVENTF_KEYUP and no extra
// information; arrow keys go without the extended-key flag.
void Press(std::uint8_t virtualKey) { keybd_event(virtualKey, 0, 0, 0); }
void Release(std::uint8_t virtualKey) { keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0); }

int SendChord(std::uint8_t modifier, std::uint8_t virtualKey) {
    Press(modifier);
    Press(virtualKey);
    Release(virtualKey);
    Release(modifier);
    // keybd_event reports nothing; once handed over, the chord counts as sent.
    return 1;
}

}  // namespace

int HandleAlternateKey(HWND, std::uint32_t, std::uint32_t) { return 0; }

int PostKeyDown(HWND targetWindow, std::uint8_t virtualKey) {
    return PostMessageA(targetWindow, WM_KEYDOWN, virtualKey, 0) ? 1 : 0;
}

int SendCtrlChord(std::uint8_t virtualKey) { return SendChord(VK_CONTROL, virtualKey); }

int SendAltEnter() { return SendChord(VK_LMENU, VK_RETURN); }

int HandleKey(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind) {
    HWND target = FindTargetWindow();
    if (target == nullptr) return 0;
    if (alternate != 0) return HandleAlternateKey(target, keyCode, eventKind);

    const KeyRow* row = FindKeyRow(static_cast<std::uint16_t>(eventKind), static_cast<std::uint16_t>(keyCode));
    if (row == nullptr) return 0;
    switch (row->delivery) {
        case Delivery::PostKeyDown: return PostKeyDown(target, row->virtualKey);
        case Delivery::CtrlChord: return SendCtrlChord(row->virtualKey);
        case Delivery::AltEnter: return SendAltEnter();
    }
    return 0;
}

}  // namespace korzel
