// How the host calls a plug-in, written from the host's side of the
// contract: every export is cdecl and takes the documented arguments, and the
// caller removes them from the stack. These types are deliberately not taken
// from plugin/korzel_plugin.h: if the plug-in's own header changed a calling
// convention, a host built from that same header would agree with the wrong
// convention and never notice.
//
// On 32-bit x86 every call goes through a thunk that pushes the arguments,
// calls, and measures where the stack pointer was left. Under cdecl the
// callee leaves it where it was, so `popped` is 0; a stdcall export would
// have popped its own arguments (4 bytes each). The thunk then puts the stack
// pointer back, so the host survives such a plug-in to report it. x64 has a
// single calling convention in which the callee never pops arguments.
#pragma once

#include <windows.h>

#include <cstdint>

namespace host_abi {

extern "C" {
typedef int(__cdecl* WhatKeysDoYouWantFn)(void);
typedef int(__cdecl* EnumerateProgrammableFunctionFn)(...);  // the host's list is its own
typedef int(__cdecl* AreYouInFocusFn)(void);
typedef int(__cdecl* HandleKeyFn)(int alternate, int keyCode, int eventKind);
typedef int(__cdecl* ConfigureFn)(HWND owner);
}

struct Checked {
    int result;
    int popped;  // bytes of its arguments that the callee removed itself
};

#if defined(__i386__)
extern "C" int __cdecl KorzelCallCdecl(const void* function, const std::intptr_t* words, int count, int* popped);
#endif

// Calls `function` with `args`, each passed as one machine word.
template <typename Fn, typename... Args>
Checked Call(Fn function, Args... args) {
#if defined(__i386__)
    const std::intptr_t words[sizeof...(Args) + 1] = {(std::intptr_t)(args)..., 0};
    int popped = 0;
    const int result = KorzelCallCdecl(reinterpret_cast<const void*>(function), words, sizeof...(Args), &popped);
    return {result, popped};
#else
    return {function(args...), 0};
#endif
}

}  // namespace host_abi
