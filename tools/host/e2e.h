// The end-to-end cases: the real DLL, in this process, against a stand-in
// Korrin in a real Windows user32.
#pragma once

#include "tools/host/plugin_loader.h"

struct E2eOptions {
    const char* dll = nullptr;
    const char* korrinExe = nullptr;
    const char* brokenDll = nullptr;        // a plug-in that lacks an export
    const char* otherMachineDll = nullptr;  // a plug-in built for the other bitness
    const char* keymapFile = nullptr;       // also write the key map here
    bool concurrency = false;               // several threads at once
    int loadCycles = 0;                     // LoadLibrary/FreeLibrary cycles to run
};

// Prints each failing case with what was expected and what happened, and
// ends with "N passed, N failed". Returns 0 when nothing failed.
int RunEndToEnd(const Plugin& plugin, const E2eOptions& options);
