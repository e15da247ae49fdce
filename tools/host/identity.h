// What the stand-in host prints about a plug-in: its identity, and the table
// of every remote key pressed against the stand-in Korrin.
#pragma once

#include <string>
#include <vector>

#include "tools/host/korrin_link.h"
#include "tools/host/plugin_loader.h"

void PrintIdentity(const Plugin& plugin, const char* path);

// A version-block string, read the way a file-properties page reads it.
std::string VersionString(const char* path, const char* name);

struct KeyRow {
    int keyCode;
    int eventKind;
    int result;
    std::string received;
};

// Presses key codes 20 to 51 under event kinds 1 and 2, with Korrin's window
// (called `target`) behind a bystander.
std::vector<KeyRow> PressEveryKey(Korrin& korrin, const Plugin& plugin, const std::string& target, HWND targetWindow);
void PrintKeyTable(const std::vector<KeyRow>& rows);
// The handled keys as a Markdown table, for the README.
bool WriteKeymap(const std::vector<KeyRow>& rows, const char* file);
