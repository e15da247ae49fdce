// Stand-in Korrin: a Windows program that owns windows of the classes the
// plug-in looks for and reports, line by line on stdout, everything that
// reaches them. The stand-in host drives it through stdin.
//
//   korrin.exe [CLASS [OWNED]]
// starts with a top-level window "korrin" of CLASS and OWNED windows
// "owned1", "owned2", ... owned by it, each reported as a "window" line,
// reports its message-only control window as "control 0x...", then
// "ready".
//
// Commands (one per line):
//   window NAME CLASS [OWNER]   a top-level window of CLASS, owned by the
//                               window called OWNER   -> "window NAME 0x..."
//   front NAME                  bring it to the front -> "front NAME 0x<foreground>"
//   close NAME                  destroy it            -> "closed NAME"
//   hide NAME                   hide it               -> "hidden NAME"
//   about MS CAPTION            watch for a message box captioned CAPTION
//                               for MS milliseconds; when it appears, report
//                               it and press OK -> "about ..." line, else
//                               "about none"
//   sync N                      -> "synced N", after every message queued
//                               before it has been handled
//   settle N MS                 -> "settled N" once marker N has arrived
//                               everywhere (below), or after MS
//                               milliseconds "unsettled N" with what is
//                               missing
//   quit
// Reports:
//   key NAME MSG WPARAM LPARAM EXTRA
//                               a keyboard message reached window NAME, with
//                               the extra information of its input event
//   hook VK SCAN FLAGS EXTRA    a keyboard event entered system input
//                               (flags as the low-level hook sees them)
// Markers (markers.h) are not reported: marker N is the message posted to
// the control window (every message posted to Korrin before it has been
// handled), and the injected key-up seen by the keyboard hook (every event
// injected before it has passed the hook) and, while one of Korrin's windows
// is in front, at that window (every key message before it has arrived).
#include <windows.h>

#include "tools/korrin/markers.h"

#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kCommandMessage = WM_APP + 1;  // lParam: heap std::string*
constexpr UINT_PTR kSettleTimer = 2;
constexpr UINT_PTR kAboutTimer = 1;

struct Named {
    std::string name;
    HWND window;
};

std::vector<Named> g_windows;
HWND g_control = nullptr;
HHOOK g_hook = nullptr;
int g_aboutPolls = 0;
int g_aboutPollLimit = 600;
std::string g_aboutCaption;

// Reports are written by a thread of their own, in order, so that nothing
// that reports ever waits on the pipe: a keyboard hook that does not return
// in time is skipped by the platform, and then dropped for good.
struct Reports {
    std::mutex lock;
    std::condition_variable ready;
    std::deque<std::string> lines;
    bool done = false;
};
Reports g_reports;

void Report(const char* format, ...) {
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    {
        std::lock_guard guard(g_reports.lock);
        g_reports.lines.emplace_back(line);
    }
    g_reports.ready.notify_one();
}

void WriteReports() {
    std::unique_lock guard(g_reports.lock);
    for (;;) {
        g_reports.ready.wait(guard, [] { return g_reports.done || !g_reports.lines.empty(); });
        std::deque<std::string> lines;
        lines.swap(g_reports.lines);
        const bool done = g_reports.done;
        guard.unlock();
        for (const std::string& line : lines) {
            std::fputs(line.c_str(), stdout);
            std::fputc('\n', stdout);
        }
        std::fflush(stdout);
        guard.lock();
        if (done && g_reports.lines.empty()) return;
    }
}

// The newest marker seen at each place, and the settle waited for.
struct Markers {
    unsigned long long posted = 0, hooked = 0, atWindow = 0;
    unsigned long long waitingFor = 0;  // 0: none
    bool windowInFront = false;         // whether the marker must reach a window of ours
};
Markers g_markers;

unsigned long long MarkerNumber(ULONG_PTR extra) {
    return (extra & 0xFFFF0000u) == markers::kExtra ? extra & 0xFFFF : 0;
}

void CheckSettled(bool timedOut) {
    Markers& m = g_markers;
    if (m.waitingFor == 0) return;
    const bool posted = m.posted >= m.waitingFor, hooked = m.hooked >= m.waitingFor,
               atWindow = !m.windowInFront || m.atWindow >= m.waitingFor;
    if (posted && hooked && atWindow) {
        Report("settled %llu", m.waitingFor);
    } else if (timedOut) {
        Report("unsettled %llu missing%s%s%s", m.waitingFor, posted ? "" : " posted", hooked ? "" : " hook",
               atWindow ? "" : " window");
    } else {
        return;
    }
    m.waitingFor = 0;
    KillTimer(g_control, kSettleTimer);
}

unsigned long long Id(HWND window) { return reinterpret_cast<ULONG_PTR>(window); }

const char* NameOf(HWND window) {
    for (const Named& named : g_windows) {
        if (named.window == window) return named.name.c_str();
    }
    return "?";
}

HWND Lookup(const std::string& name) {
    for (const Named& named : g_windows) {
        if (named.name == name) return named.window;
    }
    return nullptr;
}

LRESULT CALLBACK KorrinWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_CHAR:
        case WM_SYSCHAR:
            if (wParam == markers::kKey && MarkerNumber(GetMessageExtraInfo()) != 0) {
                g_markers.atWindow = MarkerNumber(GetMessageExtraInfo());
                CheckSettled(false);
                return 0;
            }
            Report("key %s 0x%X 0x%llX 0x%llX 0x%llX", NameOf(window), message, static_cast<unsigned long long>(wParam),
                   static_cast<unsigned long long>(lParam), static_cast<unsigned long long>(GetMessageExtraInfo()));
            return 0;  // no system menu loop for Alt
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (event->vkCode == markers::kKey && MarkerNumber(event->dwExtraInfo) != 0) {
            g_markers.hooked = MarkerNumber(event->dwExtraInfo);
            CheckSettled(false);
            return CallNextHookEx(g_hook, code, wParam, lParam);
        }
        Report("hook 0x%lX 0x%lX 0x%lX 0x%llX", event->vkCode, event->scanCode, event->flags,
               static_cast<unsigned long long>(event->dwExtraInfo));
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

bool EnsureClass(const char* className) {
    WNDCLASSA existing;
    if (GetClassInfoA(GetModuleHandleA(nullptr), className, &existing)) return true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = KorrinWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return RegisterClassA(&wc) != 0;
}

// The About box: a #32770 dialog with the caption watched for. Reports its
// text, buttons, icon and owner, then presses OK.
bool CheckAbout() {
    HWND box = FindWindowA("#32770", g_aboutCaption.c_str());
    if (box == nullptr) return false;
    char text[256] = "";
    int buttons = 0, icons = 0;
    char buttonText[64] = "";
    HWND ok = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[64] = "";
        GetClassNameA(child, cls, sizeof cls);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(cls, "Button") == 0 && (style & WS_VISIBLE)) {
            ++buttons;
            GetWindowTextA(child, buttonText, sizeof buttonText);
            if (GetDlgCtrlID(child) == IDOK) ok = child;
        } else if (lstrcmpiA(cls, "Static") == 0) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                if ((style & WS_VISIBLE) && SendMessageA(child, STM_GETICON, 0, 0) != 0) ++icons;
            } else if (style & WS_VISIBLE) {
                GetWindowTextA(child, text, sizeof text);
            }
        }
    }
    Report("about owner 0x%llX buttons %d ok-id %d icons %d button-text [%s] text [%s]", Id(GetWindow(box, GW_OWNER)),
           buttons, ok != nullptr, icons, buttonText, text);
    if (ok != nullptr) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    } else {
        PostMessageA(box, WM_CLOSE, 0, 0);
    }
    return true;
}

void Run(const std::string& line) {
    char verb[32] = "", a[128] = "", b[128] = "", c[128] = "";
    const int n = std::sscanf(line.c_str(), "%31s %127s %127s %127s", verb, a, b, c);
    const std::string command = verb;
    if (command == "window" && n >= 3) {
        HWND owner = n >= 4 ? Lookup(c) : nullptr;
        EnsureClass(b);
        HWND window = CreateWindowExA(
            0, b, a, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40 + 30 * static_cast<int>(g_windows.size()),
            40 + 30 * static_cast<int>(g_windows.size()), 320, 200, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
        g_windows.push_back({a, window});
        Report("window %s 0x%llX", a, Id(window));
    } else if (command == "front" && n >= 2) {
        HWND window = Lookup(a);
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetActiveWindow(window);
        SetFocus(window);
        Report("front %s 0x%llX", a, Id(GetForegroundWindow()));
    } else if (command == "close" && n >= 2) {
        HWND window = Lookup(a);
        DestroyWindow(window);
        for (auto it = g_windows.begin(); it != g_windows.end(); ++it) {
            if (it->window == window) {
                g_windows.erase(it);
                break;
            }
        }
        Report("closed %s", a);
    } else if (command == "hide" && n >= 2) {
        ShowWindow(Lookup(a), SW_HIDE);
        Report("hidden %s", a);
    } else if (command == "about" && n >= 3) {
        g_aboutPolls = 0;
        g_aboutPollLimit = std::atoi(a) / 50;
        g_aboutCaption = b;
        SetTimer(g_control, kAboutTimer, 50, nullptr);
    } else if (command == "settle" && n >= 3) {
        DWORD frontProcess = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &frontProcess);
        g_markers.waitingFor = std::strtoull(a, nullptr, 10);
        g_markers.windowInFront = frontProcess == GetCurrentProcessId();
        SetTimer(g_control, kSettleTimer, static_cast<UINT>(std::atoi(b)), nullptr);
        CheckSettled(false);
    } else if (command == "sync" && n >= 2) {
        Report("synced %s", a);
    } else if (command == "quit") {
        PostQuitMessage(0);
    } else {
        Report("error unknown command [%s]", line.c_str());
    }
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCommandMessage) {
        auto* line = reinterpret_cast<std::string*>(lParam);
        Run(*line);
        delete line;
        return 0;
    }
    if (message == markers::kMessage) {
        g_markers.posted = wParam;
        CheckSettled(false);
        return 0;
    }
    if (message == WM_TIMER && wParam == kSettleTimer) {
        CheckSettled(true);
        return 0;
    }
    if (message == WM_TIMER && wParam == kAboutTimer) {
        if (CheckAbout()) {
            KillTimer(window, kAboutTimer);
        } else if (++g_aboutPolls > g_aboutPollLimit) {
            KillTimer(window, kAboutTimer);
            Report("about none");
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Reads commands from stdin and hands them to the window thread, in order.
DWORD WINAPI ReadCommands(void*) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, stdin) != nullptr) {
        buffer[std::strcspn(buffer, "\r\n")] = '\0';
        PostMessageA(g_control, kCommandMessage, 0, reinterpret_cast<LPARAM>(new std::string(buffer)));
    }
    PostMessageA(g_control, kCommandMessage, 0, reinterpret_cast<LPARAM>(new std::string("quit")));
    return 0;
}

}  // namespace

int Serve(int argc, char** argv) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ControlProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KorrinStandInControl";
    RegisterClassA(&wc);
    g_control = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    g_hook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleA(nullptr), 0);
    if (g_control == nullptr || g_hook == nullptr) {
        Report("error start-up failed (control %p, hook %p)", static_cast<void*>(g_control),
               static_cast<void*>(g_hook));
        return 1;
    }
    if (argc >= 2) {
        Run(std::string("window korrin ") + argv[1]);
        const int owned = argc >= 3 ? std::atoi(argv[2]) : 0;
        for (int i = 1; i <= owned; ++i) Run("window owned" + std::to_string(i) + " KorrinDialog korrin");
    }
    Report("control 0x%llX", Id(g_control));
    Report("ready");
    CreateThread(nullptr, 0, ReadCommands, nullptr, 0, nullptr);
    // No TranslateMessage: what is reported is exactly what arrived.
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
    }
    UnhookWindowsHookEx(g_hook);
    return 0;
}

int main(int argc, char** argv) {
    std::thread writer(WriteReports);
    const int status = Serve(argc, argv);
    {
        std::lock_guard guard(g_reports.lock);
        g_reports.done = true;
    }
    g_reports.ready.notify_one();
    writer.join();
    return status;
}
