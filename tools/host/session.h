// One remote key pressed through the plug-in, and what Korrin got from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/korrin_link.h"
#include "tools/host/plugin_loader.h"

struct Press {
    int result;
    std::vector<std::string> lines;         // every report Korrin made because of the call
    std::vector<keystrokes::Event> events;  // what reached `target`, and what entered system input
    std::string words;                      // keystrokes::Describe(events)
    std::string heldModifiers;              // modifiers still down afterwards, or ""
    std::string error;                      // a marker that did not arrive, or ""
};

// Calls HandleKey and collects everything that reached the window called
// `target` or entered system input because of it, once all of it has
// arrived (Korrin::Settle).
Press PressKey(Korrin& korrin, const Plugin& plugin, std::uint32_t alternate, std::uint32_t keyCode,
               std::uint32_t eventKind, const std::string& target, HWND targetWindow);

// Modifier keys that GetAsyncKeyState reports as down, e.g. "VK_CONTROL VK_LCONTROL".
std::string HeldModifiers();
// Releases every modifier key that is down, so that a case starts clean.
void ReleaseModifiers();

// A window of Korrin's primary class in this process, so that keys sent to
// it land in this thread's own queue; hidden unless `visible`.
HWND OwnTargetWindow(bool visible);

// Empties this thread's queue. Messages are dispatched, since an unpainted
// window's WM_PAINT never leaves the queue otherwise.
void DiscardMessages();
