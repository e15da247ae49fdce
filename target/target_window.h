// Finding Korrin's top-level window, and whether Korrin is in focus.
#pragma once

#include <windows.h>

namespace korzel {

// Korrin's window classes, searched in this order.
inline constexpr char kPrimaryClass[] = "WindowsForms10.Window.8.app4";
inline constexpr char kSecondaryClass[] = "WindowsForms10.Window.8.app5";

// A top-level window of the primary class, else of the secondary class, else
// null. Looked up afresh on every call; never stored.
HWND FindTargetWindow();

// 1 when the target window is the foreground window or the direct owner of
// the foreground window, else 0.
int AreYouInFocus();

}  // namespace korzel
