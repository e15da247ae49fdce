// One remote key pressed through the plug-in, and what Korrin got from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/korrin_link.h"
#include "tools/host/plugin_loader.h"

struct Press {
    int result;
    std::string words;                 // keystrokes::Describe of what reached the target
    std::vector<std::string> postedTo;  // windows that got a posted key-down
    std::string heldModifiers;         // modifiers still down afterwards, or ""
};

// Calls HandleKey and collects everything that reached the window called
// `target` (posted) or system input (injected) because of it.
Press PressKey(Korrin& korrin, const Plugin& plugin, std::uint32_t alternate, std::uint32_t keyCode,
               std::uint32_t eventKind, const std::string& target, HWND targetWindow);

// Modifier keys that GetAsyncKeyState reports as down, e.g. "VK_CONTROL VK_LCONTROL".
std::string HeldModifiers();
