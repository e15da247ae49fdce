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
    Korrin() = default;
    Korrin(const Korrin&) = delete;
    Korrin& operator=(const Korrin&) = delete;
    ~Korrin() { Stop(); }

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
    // Watch for a message box captioned `caption` (one word) for up to
    // `milliseconds`, and press its OK button once it appears.
    void WatchForAbout(const std::string& caption, int milliseconds = 30000);

    // Everything reported since the last call, once every command sent
    // before this call has been carried out.
    std::vector<std::string> Sync();

    // Everything reported since the last call, once all that was sent to
    // Korrin before this call has arrived. It sends two markers and waits
    // for them: a message posted to Korrin's control window, which is
    // handled after every message posted to Korrin before it, and an
    // injected key-up of an unassigned key with an extra-information value of
    // its own, which reaches Korrin's keyboard hook after every event
    // injected before it, and, while one of Korrin's windows is in front,
    // that window after every key message before it. So an empty answer
    // means that nothing was sent.
    // Korrin itself watches for the markers and leaves them out of its
    // reports. When one does not arrive within `milliseconds`, `error` says
    // which.
    std::vector<std::string> Settle(std::string& error, unsigned milliseconds = 10000);

    // The next report line, blocking.
    std::string ReadLine();

    // What reached `window` (by name) and what entered system input, from
    // report lines, as keystroke events. Keys that reached other windows are
    // left out.
    static std::vector<keystrokes::Event> Events(const std::vector<std::string>& lines, const std::string& window,
                                                 std::uintptr_t windowId);

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
    HWND control_ = nullptr;
    unsigned markers_ = 0;
};

HWND ParseHandle(const std::string& text);
