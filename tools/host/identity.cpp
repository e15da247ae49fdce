#include "tools/host/identity.h"

#include <cstdio>

#include "tools/host/session.h"

namespace {

constexpr const char* kVersionStrings[] = {"CompanyName",      "FileDescription", "LegalCopyright", "FileVersion",
                                           "OriginalFilename", "ProductName",     "ProductVersion"};

std::string Bits(unsigned mask) {
    std::string bits;
    for (unsigned bit = 0; bit < 32; ++bit) {
        if (mask & (1u << bit)) bits += (bits.empty() ? "" : ", ") + std::to_string(bit);
    }
    return bits.empty() ? "none" : bits;
}

}  // namespace

std::string VersionString(const char* path, const char* name) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return "";
    std::string block(size, '\0');
    if (!GetFileVersionInfoA(path, 0, size, block.data())) return "";
    void* value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(block.data(), query.c_str(), &value, &length) || value == nullptr) return "";
    return static_cast<const char*>(value);
}

void PrintIdentity(const Plugin& plugin, const char* path) {
    std::printf("Plug-in   %s\n", path);
    std::printf("Module    %s (%s)\n", ExportedModuleName(plugin.module).c_str(), MachineName(FileMachine(path)));
    std::printf("Exports\n");
    for (const ExportEntry& entry : ExportTable(plugin.module)) {
        std::printf("  @%u %s\n", entry.ordinal, entry.name.c_str());
    }
    std::printf("Version block\n");
    for (const char* name : kVersionStrings) std::printf("  %-17s %s\n", name, VersionString(path, name).c_str());
    const unsigned wanted = static_cast<unsigned>(plugin.WhatKeysDoYouWant());
    std::printf("Wanted keys  0x%04X = bits %s\n\n", wanted, Bits(wanted).c_str());
}

std::vector<KeyRow> PressEveryKey(Korrin& korrin, const Plugin& plugin, const std::string& target, HWND targetWindow) {
    korrin.Window("bystander", "Bystander");
    korrin.Front("bystander");
    std::vector<KeyRow> rows;
    for (int kind = 1; kind <= 2; ++kind) {
        for (int code = 20; code <= 51; ++code) {
            const Press press = PressKey(korrin, plugin, 0, static_cast<unsigned>(code), static_cast<unsigned>(kind),
                                         target, targetWindow);
            rows.push_back({code, kind, press.result, press.words});
        }
    }
    korrin.Close("bystander");
    return rows;
}

void PrintKeyTable(const std::vector<KeyRow>& rows) {
    std::printf("Remote keys (Korrin's window behind another application)\n");
    std::printf("  code  kind  result  Korrin received\n");
    for (const KeyRow& row : rows) {
        std::printf("  %4d  %4d  %6d  %s\n", row.keyCode, row.eventKind, row.result, row.received.c_str());
    }
}

bool WriteKeymap(const std::vector<KeyRow>& rows, const char* file) {
    FILE* out = std::fopen(file, "wb");
    if (out == nullptr) return false;
    std::fprintf(out, "| key code | event kind | Korrin receives |\n|---:|---:|---|\n");
    for (const KeyRow& row : rows) {
        if (row.result != 0) std::fprintf(out, "| %d | %d | %s |\n", row.keyCode, row.eventKind, row.received.c_str());
    }
    return std::fclose(out) == 0;
}
