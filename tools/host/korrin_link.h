// The stand-in host's line to the stand-in Korrin: starts it with pipes on
// its stdin and stdout, sends commands, and reads what it reports.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/keystrokes.h"

class Korrin {
public:
    // Starts korrin.exe with `arguments` (see korrin.cpp) and waits until it
    // is ready; Started() gives the windows it made on its own.
    bool Start(const std::string& exe, std::string& error, const std::string& arguments = "");
    HWND Started(const std::string& name) const;
    void Stop();

    // A top-level window of `className`, called `name`, owned by the window
    // called `owner` (if any).
    HWND Window(const std::string& name, const std::string& className, const std::string& owner = "");
    // Brings it to the front; returns the foreground window afterwards.
    HWND Front(const std::string& name);
    void Close(const std::string& name);
    void Hide(const std::string& name);
    // Watch for the About box for up to `milliseconds` and press its OK
    // button once it appears.
    void WatchForAbout(int milliseconds = 30000);

    // Everything reported since the last call, once every message queued
    // before this call has been handled.
    std::vector<std::string> Sync();
    // The next report line, blocking.
    std::string ReadLine();

    // What reached `window` (by name) and what entered system input, from
    // report lines, as keystroke events. Keys that reached other windows are
    // left out.
    static std::vector<keystrokes::Event> Events(const std::vector<std::string>& lines, const std::string& window,
                                                 std::uintptr_t windowId);
    // Names of the windows that got a posted-looking WM_KEYDOWN (lParam 0).
    static std::vector<std::string> PostedTo(const std::vector<std::string>& lines);

private:
    void Send(const std::string& line);
    std::string Expect(const std::string& prefix);

    HANDLE process_ = nullptr;
    HANDLE toKorrin_ = nullptr;
    HANDLE fromKorrin_ = nullptr;
    std::string buffer_;
    std::vector<std::string> pending_;  // reports read while waiting for an answer
    std::vector<std::pair<std::string, HWND>> started_;
    unsigned syncs_ = 0;
};

HWND ParseHandle(const std::string& text);
