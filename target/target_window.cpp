#include "target/target_window.h"

namespace korzel {

HWND FindTargetWindow() {
    if (HWND primary = FindWindowA(kPrimaryClass, nullptr)) return primary;
    return FindWindowA(kSecondaryClass, nullptr);
}

int AreYouInFocus() {
    // Focus is judged against whichever window the keys would go to, so a
    // secondary-class window in the background does not count as in focus.
    HWND target = FindTargetWindow();
    if (target == nullptr) return 0;
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) return 0;
    if (foreground == target) return 1;
    // One level of ownership only: Korrin's own dialogs and forms.
    return GetWindow(foreground, GW_OWNER) == target ? 1 : 0;
}

}  // namespace korzel
