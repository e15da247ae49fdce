// The host's contract with this plug-in, export by export, in the order the
// host uses them. The DLL and its native tests build against this header.
// The stand-in host does not: it declares the exports as a host calls them
// (tools/host/host_abi.h), so that a convention changed here is caught there.
//
// Every export is extern "C", cdecl and undecorated; Korzel.def fixes the
// names and ordinals (see plugin/ABI.md).
#pragma once

#include <windows.h>

extern "C" {

// 1. Right after loading: which of the remote's keys the plug-in wants, as a
//    bit mask.
int __cdecl WhatKeysDoYouWant(void);
typedef int(__cdecl* WhatKeysDoYouWantFn)(void);

// 2. The host's enumeration of programmable functions. The host's argument
//    list is not known; the plug-in reads none of it and offers none (0).
//    Declared variadic so any argument list is accepted; cdecl leaves the
//    clean-up to the caller, which makes that safe.
int __cdecl EnumerateProgrammableFunction(...);
typedef int(__cdecl* EnumerateProgrammableFunctionFn)(...);

// 3. Before routing a key: is Korrin the application in focus? 1 or 0.
int __cdecl AreYouInFocus(void);
typedef int(__cdecl* AreYouInFocusFn)(void);

// 4. A remote key event. 1 when a keystroke was sent to Korrin, else 0.
int __cdecl HandleKey(int alternate, int keyCode, int eventKind);
typedef int(__cdecl* HandleKeyFn)(int alternate, int keyCode, int eventKind);

// 5. The user asked for the plug-in's settings: shows the About box, owned by
//    `owner` (may be null), and returns the message box's result once it is
//    closed.
int __cdecl Configure(HWND owner);
typedef int(__cdecl* ConfigureFn)(HWND owner);

}  // extern "C"
