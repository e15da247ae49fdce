// An in-memory desktop behind the stand-in windows.h: top-level windows with
// a class and an owner, a foreground window, and a record of everything the
// plug-in sent, in order. Safe to use from several threads at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include "tests/keystrokes.h"

namespace desktop {

// Starts afresh: no windows, no foreground, nothing recorded, posts succeed.
void Reset();

// A new top-level window of the class, owned by `owner` (may be null), on
// top of the z-order. FindWindowA searches from the top, matching class
// names whatever their case, as user32 does.
HWND AddWindow(const char* className, HWND owner = nullptr);
// The window is gone: lookups no longer find it and posts to it fail.
void RemoveWindow(HWND window);
// Makes the window the foreground window and brings it to the top.
void SetForeground(HWND window);

// While on, every PostMessageA fails (returns FALSE) and delivers nothing.
void FailPosts(bool fail);

// Whether keystrokes are kept for TakeEvents. Off, they are only counted, so
// that a long run needs no memory.
void KeepEvents(bool keep);

// Replaces every window at once, as one change: the new windows, created in
// order, each with the index of its owner among them (or -1), and the
// foreground window's index (or -1), brought to the top. `tag` names the
// arrangement for Snapshot().
struct WindowSpec {
    const char* className;
    int owner;
};
std::vector<HWND> Arrange(const std::vector<WindowSpec>& windows, int foreground, int tag);

// Every change of windows or foreground bumps the version. A call that sees
// the same version before and after ran against one unchanged desktop.
struct Snapshot {
    std::uint64_t version;
    int tag;  // of the last Arrange, -1 before any
};
Snapshot Now();

// The class a window was created with, also after it is gone ("" if never).
std::string ClassOf(std::uintptr_t window);

// What was delivered since the last call, in order, and forgotten.
std::vector<keystrokes::Event> TakeEvents();

// The class names FindWindowA was asked for since the last call, in order;
// a lookup that named a window title as well is recorded as "class|title".
std::vector<std::string> TakeLookups();

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};
std::vector<MessageBoxCall> TakeMessageBoxes();
// What MessageBoxA returns from now on (IDOK after Reset).
void SetMessageBoxResult(int result);

struct Counts {
    std::uint64_t lookups = 0;
    std::uint64_t posts = 0;        // delivered posts
    std::uint64_t failedPosts = 0;  // posts that returned FALSE
    std::uint64_t injected = 0;
};
Counts TakeCounts();

}  // namespace desktop
