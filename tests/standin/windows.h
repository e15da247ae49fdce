// The stand-in desktop's view of the Win32 API: just the types, constants and
// functions that Korzel calls, declared as Win32 declares them, so that the
// plug-in's sources compile unchanged on Linux. desktop.cpp implements the
// functions over an in-memory desktop.
#pragma once

#include <cstdint>

#define __cdecl
#define WINAPI

using BYTE = std::uint8_t;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using LPCSTR = const char*;

struct HWND__;
using HWND = HWND__*;

#define GW_OWNER 4
#define WM_KEYDOWN 0x0100
#define KEYEVENTF_EXTENDEDKEY 0x0001
#define KEYEVENTF_KEYUP 0x0002
#define MB_OK 0x00000000L
#define IDOK 1

#define VK_RETURN 0x0D
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_F1 0x70
#define VK_LMENU 0xA4

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName);
HWND WINAPI GetForegroundWindow();
HWND WINAPI GetWindow(HWND window, UINT command);
BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void WINAPI keybd_event(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo);
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
