// Loading a plug-in DLL the way the host does: check the file's machine type,
// load it, resolve the five exports by name.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "tools/host/host_abi.h"

// A loaded plug-in, its exports typed as the host calls them. Every call goes
// through host_abi::Call; an export that pops its own arguments is reported
// on stderr and counted, and the host carries on with its stack intact.
struct Plugin {
    HMODULE module = nullptr;
    host_abi::WhatKeysDoYouWantFn whatKeysDoYouWant = nullptr;
    host_abi::EnumerateProgrammableFunctionFn enumerateProgrammableFunction = nullptr;
    host_abi::AreYouInFocusFn areYouInFocus = nullptr;
    host_abi::HandleKeyFn handleKey = nullptr;
    host_abi::ConfigureFn configure = nullptr;

    int WhatKeysDoYouWant() const { return Checked("WhatKeysDoYouWant", host_abi::Call(whatKeysDoYouWant)); }
    template <typename... Args>
    int EnumerateProgrammableFunction(Args... args) const {
        return Checked("EnumerateProgrammableFunction", host_abi::Call(enumerateProgrammableFunction, args...));
    }
    int AreYouInFocus() const { return Checked("AreYouInFocus", host_abi::Call(areYouInFocus)); }
    int HandleKey(int alternate, int keyCode, int eventKind) const {
        return Checked("HandleKey", host_abi::Call(handleKey, alternate, keyCode, eventKind));
    }
    int Configure(HWND owner) const { return Checked("Configure", host_abi::Call(configure, owner)); }

    // Calls in which an export popped its own arguments.
    int AbiFaults() const { return abiFaults_->load(); }

private:
    int Checked(const char* name, host_abi::Checked call) const;
    // Shared by copies of this Plugin; kept apart so that Plugin stays copyable.
    std::shared_ptr<std::atomic<int>> abiFaults_ = std::make_shared<std::atomic<int>>(0);
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
