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

// A window of Korrin's primary class in this process, so that keys sent to
// it land in this thread's own queue; hidden unless `visible`.
HWND OwnTargetWindow(bool visible);

// Empties this thread's queue. Messages are dispatched, since an unpainted
// window's WM_PAINT never leaves the queue otherwise.
void DiscardMessages();
