#include "tools/host/e2e.h"

#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/expected_keys.h"
#include "tools/host/identity.h"
#include "tools/host/korrin_link.h"
#include "tools/host/session.h"

namespace {

using expected::kPrimaryClass;
using expected::kSecondaryClass;


class Results {
public:
    void Group(const char* name) {
        Flush();
        group_ = name;
        groupStart_ = GetTickCount();
        groupPassed_ = groupFailed_ = 0;
    }
    bool Check(bool ok, const std::string& name, const std::string& expected, const std::string& actual) {
        if (ok) {
            ++passed_;
            ++groupPassed_;
        } else {
            ++failed_;
            ++groupFailed_;
            std::printf("FAIL %s: %s\n     expected: %s\n     got:      %s\n", group_.c_str(), name.c_str(),
                        expected.c_str(), actual.c_str());
        }
        return ok;
    }
    bool Equal(const std::string& name, const std::string& expected, const std::string& actual) {
        return Check(expected == actual, name, expected, actual);
    }
    bool Equal(const std::string& name, long long expected, long long actual) {
        return Check(expected == actual, name, std::to_string(expected), std::to_string(actual));
    }
    int Finish() {
        Flush();
        std::printf("%d passed, %d failed\n", passed_, failed_);
        return failed_ == 0 ? 0 : 1;
    }

private:
    void Flush() {
        if (!group_.empty()) {
            std::printf("%-4s %s: %d passed, %d failed (%.1f s)\n", groupFailed_ ? "FAIL" : "ok", group_.c_str(),
                        groupPassed_, groupFailed_, (GetTickCount() - groupStart_) / 1000.0);
        }
        group_.clear();
    }
    std::string group_;
    int passed_ = 0, failed_ = 0, groupPassed_ = 0, groupFailed_ = 0;
    DWORD groupStart_ = 0;
};

using keystrokes::Hex;

std::string Handle(HWND window) { return Hex(reinterpret_cast<std::uintptr_t>(window)); }

std::string KeyName(std::uint32_t alternate, std::uint32_t code, std::uint32_t kind) {
    return "HandleKey(alternate " + Hex(alternate) + ", code " + Hex(code) + ", kind " + Hex(kind) + ")";
}

// One call, checked: its result, exactly what arrived, and no modifier held.
void CheckKey(Results& results, Korrin& korrin, const Plugin& plugin, std::uint32_t alternate, std::uint32_t code,
              std::uint32_t kind, const std::string& target, HWND targetWindow, const char* sends) {
    const std::string name = KeyName(alternate, code, kind);
    const Press press = PressKey(korrin, plugin, alternate, code, kind, target, targetWindow);
    const bool sent = std::strcmp(sends, "nothing") != 0;
    results.Check(press.result == (sent ? 1 : 0) && press.words == sends, name,
                  std::string(sent ? "1, " : "0, ") + sends, std::to_string(press.result) + ", " + press.words);
    results.Equal(name + ": modifiers held afterwards", "", press.heldModifiers);
}

// Korrin's windows for one case. Closing them all starts the next case afresh.
class Arrangement {
public:
    explicit Arrangement(Korrin& korrin) : korrin_(korrin) {}
    ~Arrangement() { Clear(); }
    HWND Add(const std::string& name, const char* className, const std::string& owner = "") {
        names_.push_back(name);
        return korrin_.Window(name, className, owner);
    }
    void Clear() {
        for (auto it = names_.rbegin(); it != names_.rend(); ++it) korrin_.Close(*it);
        names_.clear();
    }

private:
    Korrin& korrin_;
    std::vector<std::string> names_;
};

void CheckExports(Results& results, const Plugin& plugin) {
    results.Group("exports");
    struct Export {
        unsigned ordinal;
        const char* name;
    };
    constexpr Export kExports[] = {
        {1, "AreYouInFocus"}, {2, "Configure"}, {3, "EnumerateProgrammableFunction"}, {4, "HandleKey"}, {5, "WhatKeysDoYouWant"}};
    std::string table, expectedTable;
    for (const ExportEntry& entry : ExportTable(plugin.module)) table += "@" + std::to_string(entry.ordinal) + " " + entry.name + " ";
    for (const Export& e : kExports) {
        expectedTable += "@" + std::to_string(e.ordinal) + " " + e.name + " ";
        FARPROC byName = GetProcAddress(plugin.module, e.name);
        FARPROC byOrdinal = GetProcAddress(plugin.module, MAKEINTRESOURCEA(e.ordinal));
        results.Check(byName != nullptr && byName == byOrdinal, std::string(e.name) + " by name and by ordinal",
                      "the same function", Hex(reinterpret_cast<std::uintptr_t>(byName)) + " and " +
                                               Hex(reinterpret_cast<std::uintptr_t>(byOrdinal)));
    }
    results.Equal("export table", expectedTable, table);
    results.Equal("module name", "Korzel.dll", ExportedModuleName(plugin.module));
}

void CheckFixedAnswers(Results& results, Korrin& korrin, const Plugin& plugin) {
    results.Group("fixed answers");
    for (int call = 1; call <= 3; ++call) results.Equal("WhatKeysDoYouWant, call " + std::to_string(call), 0x3399, plugin.WhatKeysDoYouWant());
    Arrangement windows(korrin);
    HWND target = windows.Add("korrin", kPrimaryClass);
    windows.Add("bystander", "Bystander");
    korrin.Front("korrin");
    korrin.Sync();
    results.Equal("EnumerateProgrammableFunction()", 0, plugin.EnumerateProgrammableFunction());
    results.Equal("EnumerateProgrammableFunction(1, 2, 3)", 0, plugin.EnumerateProgrammableFunction(1, 2, 3));
    results.Equal("EnumerateProgrammableFunction(window, text, 0x3399, null, 1.5)", 0,
                  plugin.EnumerateProgrammableFunction(target, "Korrin", 0x3399, nullptr, 1.5));
    results.Equal("EnumerateProgrammableFunction sends nothing", "nothing",
                  keystrokes::Describe(Korrin::Events(korrin.Sync(), "korrin", reinterpret_cast<std::uintptr_t>(target))));
}

// Each export called as the host calls it, through the thunk that measures
// the stack pointer: a cdecl export leaves its arguments for the caller to
// remove. Configure's call is checked with the About box.
void CheckCallingConvention(Results& results, Korrin& korrin, const Plugin& plugin) {
    results.Group("calling convention: the caller removes the arguments");
    auto check = [&](const std::string& call, host_abi::Checked checked, int expectedResult) {
        results.Equal(call + ": bytes popped by the plug-in", 0, checked.popped);
        results.Equal(call + ": result", expectedResult, checked.result);
    };
    Arrangement windows(korrin);
    windows.Add("bystander", "Bystander");
    korrin.Front("bystander");
    check("WhatKeysDoYouWant()", host_abi::Call(plugin.whatKeysDoYouWant), 0x3399);
    check("AreYouInFocus()", host_abi::Call(plugin.areYouInFocus), 0);
    check("HandleKey(0, 23, 1), no Korrin window", host_abi::Call(plugin.handleKey, 0, 23, 1), 0);
    const auto enumerate = plugin.enumerateProgrammableFunction;
    check("EnumerateProgrammableFunction()", host_abi::Call(enumerate), 0);
    check("EnumerateProgrammableFunction(7)", host_abi::Call(enumerate, 7), 0);
    check("EnumerateProgrammableFunction(1, 2, 3)", host_abi::Call(enumerate, 1, 2, 3), 0);
    check("EnumerateProgrammableFunction(1, 2, 3, 4, 5, 6)", host_abi::Call(enumerate, 1, 2, 3, 4, 5, 6), 0);
}

void CheckKeys(Results& results, Korrin& korrin, const Plugin& plugin) {
    Arrangement windows(korrin);
    HWND target = windows.Add("korrin", kPrimaryClass);
    windows.Add("bystander", "Bystander");
    // Posted keys must reach Korrin's window even while another one is in front.
    korrin.Front("bystander");

    results.Group("keys: every event kind 0-3 with every key code 20-51");
    for (std::uint32_t kind = 0; kind <= 3; ++kind) {
        for (std::uint32_t code = 20; code <= 51; ++code) {
            CheckKey(results, korrin, plugin, 0, code, kind, "korrin", target, expected::Sends(kind, code));
        }
    }
    results.Group("keys: bits above the low 16");
    struct High {
        std::uint32_t code, kind;
    };
    for (High h : {High{0x10017, 1}, High{23, 0x10001}, High{0x8017, 1}, High{23, 0x8001}, High{0xFFFF0023, 0x80000001}, High{0x12340030, 1},
                   High{0x10024, 0x10002}, High{48, 0x10002}, High{23, 0x10000}}) {
        CheckKey(results, korrin, plugin, 0, h.code, h.kind, "korrin", target, expected::Sends(h.kind, h.code));
    }
    results.Group("keys: alternate non-zero");
    for (std::uint32_t alternate : {1u, 0x80000000u, 0xFFFFFFFFu}) {
        for (High h : {High{23, 1}, High{35, 1}, High{48, 1}, High{36, 2}}) {
            CheckKey(results, korrin, plugin, alternate, h.code, h.kind, "korrin", target, "nothing");
        }
    }
    // A chord reaches whichever window has the keyboard focus: here, Korrin's.
    results.Group("keys: a chord reaches the focused window");
    korrin.Front("korrin");
    korrin.Sync();
    plugin.HandleKey(0, 35, 1);
    std::string arrived;
    for (const keystrokes::Event& e : Korrin::Events(korrin.Sync(), "korrin", reinterpret_cast<std::uintptr_t>(target))) {
        if (e.kind == keystrokes::Event::Kind::Posted) arrived += Hex(e.message) + " " + Hex(e.wParam) + " ; ";
    }
    results.Check(arrived.find("0x100 0x11 ") != std::string::npos && arrived.find("0x100 0x46 ") != std::string::npos &&
                      arrived.find("0x101 0x46 ") != std::string::npos && arrived.find("0x101 0x11 ") != std::string::npos,
                  "Ctrl+F as key messages at Korrin's focused window", "Ctrl and F down and up", arrived);
}

void CheckDelivery(Results& results, Korrin& korrin, const Plugin& plugin) {
    results.Group("delivery: which window gets posted keys");
    Arrangement windows(korrin);
    windows.Add("bystander", "Bystander");
    korrin.Front("bystander");
    HWND secondary = windows.Add("secondary", kSecondaryClass);
    korrin.Front("bystander");
    CheckKey(results, korrin, plugin, 0, 23, 1, "secondary", secondary, "WM_KEYDOWN VK_UP posted");
    CheckKey(results, korrin, plugin, 0, 36, 2, "secondary", secondary, "Ctrl+Left injected");
    HWND primary = windows.Add("primary", kPrimaryClass);
    korrin.Front("bystander");
    CheckKey(results, korrin, plugin, 0, 24, 1, "primary", primary, "WM_KEYDOWN VK_DOWN posted");
    const Press press = PressKey(korrin, plugin, 0, 25, 2, "primary", primary);
    std::string postedTo;
    for (const std::string& window : press.postedTo) postedTo += window + " ";
    results.Equal("with both classes, only the primary window gets the key", "primary ", postedTo);
}

void CheckFocus(Results& results, Korrin& korrin, const Plugin& plugin) {
    results.Group("focus");
    struct Window {
        const char* name;
        const char* cls;
        const char* owner;
    };
    struct Case {
        const char* name;
        std::vector<Window> windows;
        const char* front;  // null: no foreground window
        int inFocus;
    };
    const Case cases[] = {
        {"neither class, bystander in front", {{"bystander", "Bystander", ""}}, "bystander", 0},
        {"primary in front", {{"primary", kPrimaryClass, ""}}, "primary", 1},
        {"primary behind a bystander", {{"primary", kPrimaryClass, ""}, {"bystander", "Bystander", ""}}, "bystander", 0},
        {"Korrin's dialog in front", {{"primary", kPrimaryClass, ""}, {"dialog", "KorrinDialog", "primary"}}, "dialog", 1},
        {"dialog of Korrin's dialog in front",
         {{"primary", kPrimaryClass, ""}, {"dialog", "KorrinDialog", "primary"}, {"inner", "KorrinDialog", "dialog"}}, "inner", 0},
        {"primary, no foreground window", {{"primary", kPrimaryClass, ""}}, nullptr, 0},
        {"secondary only, in front", {{"secondary", kSecondaryClass, ""}}, "secondary", 1},
        {"secondary only, behind a bystander", {{"secondary", kSecondaryClass, ""}, {"bystander", "Bystander", ""}}, "bystander", 0},
        {"secondary's dialog in front", {{"secondary", kSecondaryClass, ""}, {"dialog", "KorrinDialog", "secondary"}}, "dialog", 1},
        {"both, secondary in front", {{"primary", kPrimaryClass, ""}, {"secondary", kSecondaryClass, ""}}, "secondary", 0},
        {"both, primary in front", {{"secondary", kSecondaryClass, ""}, {"primary", kPrimaryClass, ""}}, "primary", 1},
    };
    for (const Case& c : cases) {
        Arrangement windows(korrin);
        for (const Window& w : c.windows) windows.Add(w.name, w.cls, w.owner);
        if (c.front != nullptr) {
            korrin.Front(c.front);
        } else {
            // With every other window hidden, the foreground window closes
            // and nothing takes its place.
            for (const Window& w : c.windows) korrin.Hide(w.name);
            korrin.Window("gone", "Bystander");
            korrin.Front("gone");
            korrin.Close("gone");
        }
        const HWND foreground = GetForegroundWindow();
        if (c.front == nullptr && !results.Check(foreground == nullptr, std::string(c.name) + ": set-up", "no foreground window",
                                                 Handle(foreground))) {
            continue;
        }
        results.Equal(c.name, c.inFocus, plugin.AreYouInFocus());
    }
}

void CheckAbout(Results& results, Korrin& korrin, const Plugin& plugin) {
    results.Group("About box");
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "StandInHostMain";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, wc.lpszClassName, "Stand-in host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
    for (HWND owner : {host, static_cast<HWND>(nullptr)}) {
        const std::string name = owner ? "Configure(host window)" : "Configure(null)";
        korrin.Sync();
        korrin.WatchForAbout();
        const host_abi::Checked call = host_abi::Call(plugin.configure, owner);
        const int result = call.result;
        results.Equal(name + ": bytes popped by the plug-in", 0, call.popped);
        std::string seen = "no About box";
        for (const std::string& line : korrin.Sync()) {
            if (line.rfind("about", 0) == 0) seen = line;
        }
        results.Equal(name + ": the box", "about owner " + Handle(owner) +
                                              " buttons 1 ok-id 1 icons 0 button-text [OK] text [Korrin Plug-In Version 1.0]",
                      seen);
        results.Equal(name + ": result after OK", IDOK, result);
    }
    DestroyWindow(host);
}

void CheckVersionBlock(Results& results, const char* dll) {
    results.Group("version block");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(dll, &ignored);
    std::string block(size, '\0');
    void* value = nullptr;
    UINT length = 0;
    if (results.Check(size != 0 && GetFileVersionInfoA(dll, 0, size, block.data()) &&
                          VerQueryValueA(block.data(), "\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO),
                      "fixed part", "present", "missing")) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        results.Equal("file version", "1.0.0.0", std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS)));
        results.Equal("product version", Hex(0x00010000), Hex(fixed->dwProductVersionMS) );
        results.Equal("file OS", Hex(VOS_NT_WINDOWS32), Hex(fixed->dwFileOS));
        results.Equal("file type", Hex(VFT_DLL), Hex(fixed->dwFileType));
    }
    if (results.Check(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) && length == 4,
                      "translation", "present", "missing")) {
        const auto* words = static_cast<const WORD*>(value);
        results.Equal("translation", "0x409 1200", Hex(words[0]) + " " + std::to_string(words[1]));
    }
    struct Text {
        const char* name;
        const char* value;
    };
    for (Text t : {Text{"FileDescription", "Korrin Plug-In for Zelvane."}, Text{"FileVersion", "1.0.0.0"},
                   Text{"OriginalFilename", "korzel.dll"}, Text{"ProductName", "Korrin"}, Text{"ProductVersion", "1.0.0.0"}}) {
        results.Equal(t.name, t.value, VersionString(dll, t.name));
    }
    for (const char* name : {"CompanyName", "LegalCopyright"}) {
        results.Check(!VersionString(dll, name).empty(), name, "a non-empty string", "empty");
    }
}

void CheckLoading(Results& results, const E2eOptions& options) {
    results.Group("loading");
    if (options.brokenDll != nullptr) {
        Plugin broken;
        std::string error;
        const bool loaded = LoadPlugin(options.brokenDll, broken, error);
        results.Check(!loaded && error.find("HandleKey") != std::string::npos, "a plug-in without HandleKey",
                      "refused, naming HandleKey", loaded ? "loaded" : error);
        const char* base = std::strrchr(options.brokenDll, '/');
        const char* base2 = std::strrchr(options.brokenDll, '\\');
        if (base2 > base) base = base2;
        results.Check(GetModuleHandleA(base ? base + 1 : options.brokenDll) == nullptr, "the refused plug-in is unloaded",
                      "not loaded", "still loaded");
        UnloadPlugin(broken);
    }
    if (options.otherMachineDll != nullptr) {
        Plugin other;
        std::string error;
        const bool loaded = LoadPlugin(options.otherMachineDll, other, error);
        results.Check(!loaded && error.find(sizeof(void*) == 4 ? "is 64-bit x64; this host is 32-bit x86"
                                                                 : "is 32-bit x86; this host is 64-bit x64") != std::string::npos,
                      "a plug-in of the other bitness", "refused, naming both machine types", loaded ? "loaded" : error);
        UnloadPlugin(other);
    }
}

struct ProcessFigures {
    DWORD handles = 0;
    SIZE_T privateBytes = 0;
    const char* handleSource = "";
    const char* memorySource = "";
};

// Open handles, counted by asking about every handle value in turn; for
// platforms whose GetProcessHandleCount answers 0.
DWORD ProbeHandles() {
    DWORD open = 0, flags = 0;
    for (std::uintptr_t value = 4; value < 0x40000; value += 4) {
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++open;
    }
    return open;
}

// Committed private memory, summed over the address space; for platforms
// whose PrivateUsage answers 0.
SIZE_T ProbePrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    const char* address = nullptr;
    while (VirtualQuery(address, &info, sizeof info) == sizeof info) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return total;
}

ProcessFigures Measure() {
    ProcessFigures figures;
    GetProcessHandleCount(GetCurrentProcess(), &figures.handles);
    figures.handleSource = "GetProcessHandleCount";
    if (figures.handles == 0) {
        figures.handles = ProbeHandles();
        figures.handleSource = "GetHandleInformation probe";
    }
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    figures.privateBytes = counters.PrivateUsage;
    figures.memorySource = "PrivateUsage";
    if (figures.privateBytes == 0) {
        figures.privateBytes = ProbePrivateBytes();
        figures.memorySource = "committed MEM_PRIVATE regions";
    }
    return figures;
}

// Load, use and unload the plug-in many times: nothing may be left behind.
void CheckLoadCycles(Results& results, const char* dll, int cycles) {
    results.Group("load cycles");
    // Posted keys land in this thread's own queue and are discarded there.
    HWND target = OwnTargetWindow(false);
    auto cycle = [&]() -> bool {
        Plugin plugin;
        std::string error;
        if (!LoadPlugin(dll, plugin, error)) return false;
        bool ok = plugin.WhatKeysDoYouWant() == 0x3399 && plugin.EnumerateProgrammableFunction() == 0;
        plugin.AreYouInFocus();
        ok = ok && plugin.HandleKey(0, 23, 1) == 1 && plugin.HandleKey(0, 35, 1) == 1 && plugin.HandleKey(0, 30, 1) == 0;
        UnloadPlugin(plugin);
        DiscardMessages();
        return ok;
    };
    // Warm up, so that the first load's one-time allocations are not counted.
    for (int i = 0; i < 10; ++i) cycle();
    const ProcessFigures before = Measure();
    int failed = 0;
    for (int i = 0; i < cycles; ++i) failed += cycle() ? 0 : 1;
    const ProcessFigures after = Measure();
    DestroyWindow(target);
    std::printf("     %d load cycles: handles %lu -> %lu (%s), private bytes %llu -> %llu (%s)\n", cycles,
                before.handles, after.handles, before.handleSource, static_cast<unsigned long long>(before.privateBytes),
                static_cast<unsigned long long>(after.privateBytes), before.memorySource);
    results.Equal("cycles that loaded and answered as expected", cycles, cycles - failed);
    results.Equal("handle count", before.handles, after.handles);
    results.Equal("private bytes", static_cast<long long>(before.privateBytes), static_cast<long long>(after.privateBytes));
    results.Equal("modifiers held afterwards", "", HeldModifiers());
}

// An owner handle that is no window: Configure passes on whatever
// MessageBoxA makes of it, and does not crash.
void CheckBogusOwner(Results& results, Korrin& korrin, const Plugin& plugin) {
    results.Group("Configure with an owner that is not a window");
    HWND bogus = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7FF0DEAC));
    results.Check(!IsWindow(bogus), "the handle is no window", "IsWindow false", "IsWindow true");
    korrin.WatchForAbout(3000);
    const int direct = MessageBoxA(bogus, "Korrin Plug-In Version 1.0", "About", MB_OK);
    korrin.WatchForAbout(3000);
    const int result = plugin.Configure(bogus);
    std::printf("     MessageBoxA itself returned %d; Configure returned %d\n", direct, result);
    results.Equal("Configure returns what MessageBoxA returns", direct, result);
}

struct Worker {
    const Plugin* plugin;
    int keyCode;
    int eventKind;
    int calls;
    int handled = 0;
    int inFocus = 0;
};

DWORD WINAPI Hammer(void* argument) {
    auto* worker = static_cast<Worker*>(argument);
    for (int i = 0; i < worker->calls; ++i) {
        worker->handled += worker->plugin->HandleKey(0, worker->keyCode, worker->eventKind);
        worker->inFocus += worker->plugin->AreYouInFocus();
    }
    return 0;
}

void CheckConcurrency(Results& results, Korrin& korrin, const Plugin& plugin) {
    results.Group("concurrency");
    Arrangement windows(korrin);
    HWND target = windows.Add("korrin", kPrimaryClass);
    HWND bystander = windows.Add("bystander", "Bystander");
    korrin.Front("bystander");
    korrin.Sync();
    constexpr int kCalls = 200;
    // Four threads post four different keys; two inject two different chords.
    Worker workers[] = {{&plugin, 23, 1, kCalls}, {&plugin, 24, 1, kCalls}, {&plugin, 25, 1, kCalls},
                        {&plugin, 26, 1, kCalls}, {&plugin, 35, 1, kCalls}, {&plugin, 37, 1, kCalls}};
    HANDLE threads[6];
    for (int i = 0; i < 6; ++i) threads[i] = CreateThread(nullptr, 0, Hammer, &workers[i], 0, nullptr);
    WaitForMultipleObjects(6, threads, TRUE, INFINITE);
    for (HANDLE thread : threads) CloseHandle(thread);

    // Count what arrived; the input queue may still be draining.
    std::vector<std::string> lines;
    for (int quiet = 0, round = 0; quiet < 10 && round < 200; ++round) {
        const auto more = korrin.Sync();
        lines.insert(lines.end(), more.begin(), more.end());
        quiet = more.empty() ? quiet + 1 : 0;
        Sleep(100);
    }
    // Posted keys are counted at Korrin's window. Injected chords are counted
    // where they land, at the focused bystander: a low-level hook that is
    // busy may be skipped by the platform, so it cannot count them here.
    int posted[256] = {}, downs[256] = {}, ups[256] = {};
    auto count = [&](HWND window, const char* name, int* downCounts, int* upCounts) {
        for (const keystrokes::Event& e : Korrin::Events(lines, name, reinterpret_cast<std::uintptr_t>(window))) {
            if (e.kind != keystrokes::Event::Kind::Posted || e.wParam >= 256) continue;
            if (e.message == WM_KEYDOWN) ++downCounts[e.wParam];
            if (e.message == WM_KEYUP && upCounts != nullptr) ++upCounts[e.wParam];
        }
    };
    count(target, "korrin", posted, nullptr);
    count(bystander, "bystander", downs, ups);
    for (const Worker& w : workers) {
        results.Equal("code " + std::to_string(w.keyCode) + ": handled", kCalls, w.handled);
        results.Equal("code " + std::to_string(w.keyCode) + ": in focus answers (bystander in front)", 0, w.inFocus);
    }
    for (int vk : {VK_UP, VK_DOWN, VK_RIGHT, VK_LEFT}) results.Equal("WM_KEYDOWN " + Hex(vk) + " posted", kCalls, posted[vk]);
    for (int vk : {'F', 'P'}) {
        results.Equal(std::string(1, static_cast<char>(vk)) + " down at the focused window", kCalls, downs[vk]);
        results.Equal(std::string(1, static_cast<char>(vk)) + " up at the focused window", kCalls, ups[vk]);
    }
    results.Equal("Ctrl down at the focused window", 2 * kCalls, downs[VK_CONTROL]);
    results.Equal("Ctrl up at the focused window", 2 * kCalls, ups[VK_CONTROL]);
    results.Equal("modifiers held afterwards", "", HeldModifiers());
}

}  // namespace

int RunEndToEnd(const Plugin& plugin, const E2eOptions& options) {
    Results results;
    Korrin korrin;
    std::string error;
    if (!korrin.Start(options.korrinExe, error)) {
        std::printf("FAIL start-up: %s\n", error.c_str());
        return results.Finish() | 1;
    }
    CheckExports(results, plugin);
    CheckCallingConvention(results, korrin, plugin);
    CheckFixedAnswers(results, korrin, plugin);
    CheckKeys(results, korrin, plugin);
    CheckDelivery(results, korrin, plugin);
    CheckFocus(results, korrin, plugin);
    CheckAbout(results, korrin, plugin);
    CheckVersionBlock(results, options.dll);
    CheckLoading(results, options);
    CheckBogusOwner(results, korrin, plugin);
    if (options.concurrency) CheckConcurrency(results, korrin, plugin);
    if (options.loadCycles > 0) CheckLoadCycles(results, options.dll, options.loadCycles);
    if (options.keymapFile != nullptr) {
        results.Group("key map");
        Arrangement windows(korrin);
        HWND target = windows.Add("korrin", kPrimaryClass);
        const std::vector<KeyRow> rows = PressEveryKey(korrin, plugin, "korrin", target);
        results.Check(WriteKeymap(rows, options.keymapFile), "written", options.keymapFile, "not written");
    }
    korrin.Stop();
    results.Group("calling convention, every call of this run");
    results.Equal("calls in which an export popped its own arguments", 0, plugin.AbiFaults());
    return results.Finish();
}
