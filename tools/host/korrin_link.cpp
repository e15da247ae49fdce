#include "tools/host/korrin_link.h"

#include "tools/korrin/markers.h"

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
    const BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    CloseHandle(childIn);
    CloseHandle(childOut);
    if (!started) {
        error = "cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    for (std::string line = ReadLine(); line != "ready"; line = ReadLine()) {
        if (StartsWith(line, "control ")) {
            control_ = ParseHandle(Field(line, 1));
        } else if (StartsWith(line, "window ")) {
            started_.emplace_back(Field(line, 1), ParseHandle(Field(line, 2)));
        } else {
            error = "stand-in Korrin did not start: " + line;
            return false;
        }
    }
    if (control_ == nullptr) {
        error = "stand-in Korrin did not name its control window";
        return false;
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
    if (WaitForSingleObject(process_, 10000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
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
        // Reads only what is there: a read that waits on the pipe was seen to
        // miss its wake-up in emulated 32-bit Wine, hanging the run.
        DWORD available = 0;
        if (!PeekNamedPipe(fromKorrin_, nullptr, 0, nullptr, &available, nullptr)) {
            return "error stand-in Korrin is gone";
        }
        if (available == 0) {
            Sleep(2);
            continue;
        }
        char chunk[4096];
        DWORD read = 0;
        const DWORD wanted = available < sizeof chunk ? available : static_cast<DWORD>(sizeof chunk);
        if (!ReadFile(fromKorrin_, chunk, wanted, &read, nullptr) || read == 0) return "error stand-in Korrin is gone";
        buffer_.append(chunk, read);
    }
}

std::vector<std::string> Korrin::Settle(std::string& error, unsigned milliseconds) {
    const unsigned number = ++markers_;
    PostMessageA(control_, markers::kMessage, number, 0);
    keybd_event(markers::kKey, 0, KEYEVENTF_KEYUP, markers::kExtra + number);
    Send("settle " + std::to_string(number) + " " + std::to_string(milliseconds));
    const std::string settled = "settled " + std::to_string(number);
    for (std::string line = ReadLine(); line != settled; line = ReadLine()) {
        if (StartsWith(line, "un" + settled + " ") || StartsWith(line, "error")) {
            error = "stand-in Korrin: " + line;
            break;
        }
        pending_.push_back(line);
    }
    std::vector<std::string> lines;
    lines.swap(pending_);
    return lines;
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

void Korrin::WatchForAbout(const std::string& caption, int milliseconds) {
    Send("about " + std::to_string(milliseconds) + " " + caption);
}

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
