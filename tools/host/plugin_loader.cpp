#include "tools/host/plugin_loader.h"

#include <cstdio>

namespace {

constexpr unsigned kHostMachine = sizeof(void*) == 4 ? IMAGE_FILE_MACHINE_I386 : IMAGE_FILE_MACHINE_AMD64;

template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn& fn, std::string& error) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (fn == nullptr) error = std::string("the plug-in has no export named ") + name;
    return fn != nullptr;
}

const IMAGE_EXPORT_DIRECTORY* Exports(HMODULE module) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (dir.VirtualAddress == 0) return nullptr;
    return reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
}

}  // namespace

unsigned FileMachine(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return 0;
    IMAGE_DOS_HEADER dos{};
    DWORD signature = 0;
    IMAGE_FILE_HEADER header{};
    bool ok = std::fread(&dos, sizeof dos, 1, file) == 1 && dos.e_magic == IMAGE_DOS_SIGNATURE &&
              std::fseek(file, dos.e_lfanew, SEEK_SET) == 0 && std::fread(&signature, sizeof signature, 1, file) == 1 &&
              signature == IMAGE_NT_SIGNATURE && std::fread(&header, sizeof header, 1, file) == 1;
    std::fclose(file);
    return ok ? header.Machine : 0;
}

const char* MachineName(unsigned machine) {
    switch (machine) {
        case IMAGE_FILE_MACHINE_I386: return "32-bit x86";
        case IMAGE_FILE_MACHINE_AMD64: return "64-bit x64";
        case IMAGE_FILE_MACHINE_ARM64: return "64-bit ARM";
        case 0: return "not a Windows module";
        default: return "another machine";
    }
}

int Plugin::Checked(const char* name, host_abi::Checked call) const {
    if (call.popped != 0) {
        ++*abiFaults_;
        std::fprintf(stderr,
                     "korzel-host: %s removed %d bytes of its arguments from the stack itself: it is not cdecl\n", name,
                     call.popped);
    }
    return call.result;
}

bool LoadPlugin(const char* path, Plugin& plugin, std::string& error) {
    plugin = {};
    const unsigned machine = FileMachine(path);
    if (machine != kHostMachine) {
        error = std::string(path) + " is " + MachineName(machine) + "; this host is " + MachineName(kHostMachine);
        return false;
    }
    plugin.module = LoadLibraryA(path);
    if (plugin.module == nullptr) {
        char code[32];
        std::snprintf(code, sizeof code, "%lu", GetLastError());
        error = std::string("LoadLibrary failed for ") + path + " (error " + code + ")";
        return false;
    }
    if (Resolve(plugin.module, "WhatKeysDoYouWant", plugin.whatKeysDoYouWant, error) &&
        Resolve(plugin.module, "EnumerateProgrammableFunction", plugin.enumerateProgrammableFunction, error) &&
        Resolve(plugin.module, "AreYouInFocus", plugin.areYouInFocus, error) &&
        Resolve(plugin.module, "HandleKey", plugin.handleKey, error) &&
        Resolve(plugin.module, "Configure", plugin.configure, error)) {
        return true;
    }
    UnloadPlugin(plugin);
    return false;
}

void UnloadPlugin(Plugin& plugin) {
    if (plugin.module != nullptr) FreeLibrary(plugin.module);
    plugin = {};
}

std::string ExportedModuleName(HMODULE module) {
    const IMAGE_EXPORT_DIRECTORY* exports = Exports(module);
    if (exports == nullptr) return "";
    return reinterpret_cast<const char*>(reinterpret_cast<const BYTE*>(module) + exports->Name);
}

std::vector<ExportEntry> ExportTable(HMODULE module) {
    std::vector<ExportEntry> table;
    const IMAGE_EXPORT_DIRECTORY* exports = Exports(module);
    if (exports == nullptr) return table;
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    const auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        table.push_back({exports->Base + ordinals[i], reinterpret_cast<const char*>(base + names[i])});
    }
    return table;
}
