// Loading a plug-in DLL the way the host does: check the file's machine type,
// load it, resolve the five exports by name.
#pragma once

#include <string>
#include <vector>

#include "plugin/korzel_plugin.h"

struct Plugin {
    HMODULE module = nullptr;
    WhatKeysDoYouWantFn WhatKeysDoYouWant = nullptr;
    EnumerateProgrammableFunctionFn EnumerateProgrammableFunction = nullptr;
    AreYouInFocusFn AreYouInFocus = nullptr;
    HandleKeyFn HandleKey = nullptr;
    ConfigureFn Configure = nullptr;
};

// On failure `error` says why (wrong machine type, not loadable, or the name
// of a missing export); the module is not left loaded.
bool LoadPlugin(const char* path, Plugin& plugin, std::string& error);
void UnloadPlugin(Plugin& plugin);

// The machine type in a PE file's header (IMAGE_FILE_MACHINE_*), or 0.
unsigned FileMachine(const char* path);
const char* MachineName(unsigned machine);

// The loaded module's own export table.
struct ExportEntry {
    unsigned ordinal;
    std::string name;
};
std::string ExportedModuleName(HMODULE module);
std::vector<ExportEntry> ExportTable(HMODULE module);
