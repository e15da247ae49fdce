#include "tools/host/korrin_link.h"

#include <cstdio>
#include <cstdlib>

HWND ParseHandle(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(text.c_str(), nullptr, 16)));
}

namespace {

std::string Field(const std::string& line, int index) {
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = line.find(' ', start);
        if (start == std::string::npos) return "";
        ++start;
    }
    return line.substr(start, line.find(' ', start) - start);
}

unsigned long long Number(const std::string& line, int index) {
    return std::strtoull(Field(line, index).c_str(), nullptr, 16);
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

bool Korrin::Start(const std::string& exe, std::string& error, const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE childIn = nullptr, childOut = nullptr;
    if (!CreatePipe(&childIn, &toKorrin_, &inherit, 0) || !CreatePipe(&fromKorrin_, &childOut, &inherit, 0)) {
        error = "cannot create pipes";
        return false;
    }
    SetHandleInformation(toKorrin_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(fromKorrin_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childIn;
    startup.hStdOutput = childOut;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    std::string command = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    CloseHandle(childIn);
    CloseHandle(childOut);
    if (!started) {
        error = "cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    for (std::string line = ReadLine(); line != "ready"; line = ReadLine()) {
        if (!StartsWith(line, "window ")) {
            error = "stand-in Korrin did not start: " + line;
            return false;
        }
        started_.emplace_back(Field(line, 1), ParseHandle(Field(line, 2)));
    }
    return true;
}

HWND Korrin::Started(const std::string& name) const {
    for (const auto& [each, window] : started_) {
        if (each == name) return window;
    }
    return nullptr;
}

void Korrin::Stop() {
    if (process_ == nullptr) return;
    Send("quit");
    WaitForSingleObject(process_, 10000);
    CloseHandle(process_);
    CloseHandle(toKorrin_);
    CloseHandle(fromKorrin_);
    process_ = toKorrin_ = fromKorrin_ = nullptr;
}

void Korrin::Send(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(toKorrin_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string Korrin::ReadLine() {
    for (;;) {
        const size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        char chunk[4096];
        DWORD read = 0;
        if (!ReadFile(fromKorrin_, chunk, sizeof chunk, &read, nullptr) || read == 0) return "error stand-in Korrin is gone";
        buffer_.append(chunk, read);
    }
}

std::string Korrin::Expect(const std::string& prefix) {
    for (;;) {
        std::string line = ReadLine();
        if (StartsWith(line, prefix) || StartsWith(line, "error")) return line;
        pending_.push_back(line);
    }
}

HWND Korrin::Window(const std::string& name, const std::string& className, const std::string& owner) {
    Send("window " + name + " " + className + (owner.empty() ? "" : " " + owner));
    return ParseHandle(Field(Expect("window " + name + " "), 2));
}

HWND Korrin::Front(const std::string& name) {
    Send("front " + name);
    return ParseHandle(Field(Expect("front " + name + " "), 2));
}

void Korrin::Close(const std::string& name) {
    Send("close " + name);
    Expect("closed " + name);
}

void Korrin::Hide(const std::string& name) {
    Send("hide " + name);
    Expect("hidden " + name);
}

void Korrin::WatchForAbout(int milliseconds) { Send("about " + std::to_string(milliseconds)); }

std::vector<std::string> Korrin::Sync() {
    const std::string tag = std::to_string(++syncs_);
    Send("sync " + tag);
    Expect("synced " + tag);
    std::vector<std::string> lines;
    lines.swap(pending_);
    return lines;
}

std::vector<keystrokes::Event> Korrin::Events(const std::vector<std::string>& lines, const std::string& window,
                                              std::uintptr_t windowId) {
    std::vector<keystrokes::Event> events;
    for (const std::string& line : lines) {
        if (StartsWith(line, "key ") && Field(line, 1) == window) {
            events.push_back(keystrokes::Posted(windowId, static_cast<unsigned>(Number(line, 2)),
                                                static_cast<std::uintptr_t>(Number(line, 3)),
                                                static_cast<std::intptr_t>(Number(line, 4))));
        } else if (StartsWith(line, "hook ")) {
            // The hook's flags in keybd_event's terms. An event that was not
            // injected keeps a stray bit, so it can never pass for one.
            const auto hookFlags = static_cast<std::uint32_t>(Number(line, 3));
            std::uint32_t flags = 0;
            if (hookFlags & LLKHF_UP) flags |= KEYEVENTF_KEYUP;
            if (hookFlags & LLKHF_EXTENDED) flags |= KEYEVENTF_EXTENDEDKEY;
            if (!(hookFlags & LLKHF_INJECTED)) flags |= 0x80000000u;
            const unsigned long long scan = Number(line, 2);
            events.push_back(keystrokes::Injected(static_cast<std::uint8_t>(Number(line, 1)),
                                                  static_cast<std::uint8_t>(scan > 0xFF ? 0xFF : scan), flags,
                                                  static_cast<std::uintptr_t>(Number(line, 4))));
        }
    }
    return events;
}

std::vector<std::string> Korrin::PostedTo(const std::vector<std::string>& lines) {
    std::vector<std::string> windows;
    for (const std::string& line : lines) {
        if (StartsWith(line, "key ") && Number(line, 2) == WM_KEYDOWN && Number(line, 4) == 0) {
            windows.push_back(Field(line, 1));
        }
    }
    return windows;
}
