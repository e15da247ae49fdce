// The markers by which the stand-in host and the stand-in Korrin agree that
// everything sent before them has arrived (Korrin::Settle, korrin.cpp).
#pragma once

#include <windows.h>

namespace markers {

// Posted to Korrin's control window, with the marker's number as wParam.
inline constexpr UINT kMessage = WM_APP + 2;
// Injected as a key-up of this unassigned key, with extra information
// kExtra + the marker's number.
inline constexpr BYTE kKey = 0x88;
inline constexpr ULONG_PTR kExtra = 0x4B5A0000;

}  // namespace markers
