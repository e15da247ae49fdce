// Turning a remote key event into a keystroke for Korrin.
#pragma once

#include <cstdint>

#include <windows.h>

namespace korzel {

// 1 when a keystroke was handed to the platform, else 0. Only the low 16 bits
// of keyCode and eventKind count; a non-zero alternate is always declined.
int HandleKey(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind);

// Events flagged as alternate. Korrin has no use for them: always 0.
int HandleAlternateKey(HWND targetWindow, std::uint32_t keyCode, std::uint32_t eventKind);

// One WM_KEYDOWN (lParam 0) posted to the window. 0 when the post fails, for
// instance because the window closed after it was found.
int PostKeyDown(HWND targetWindow, std::uint8_t virtualKey);

// Ctrl down, key down, key up, Ctrl up, into the system keyboard input.
int SendCtrlChord(std::uint8_t virtualKey);

// Left Alt down, Enter down, Enter up, Left Alt up, into the system keyboard input.
int SendAltEnter();

}  // namespace korzel
