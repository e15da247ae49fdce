#include "tests/standin/desktop.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <unordered_map>

namespace desktop {
namespace {

struct WindowEntry {
    std::uintptr_t handle;
    std::string className;
    std::uintptr_t owner;
    bool alive;
};

struct State {
    std::mutex mutex;
    // Top-level windows in z-order, the top first: a new window goes on top,
    // and so does the window brought to the front.
    std::vector<WindowEntry> windows;
    std::uint64_t version = 0;
    int tag = -1;
    std::unordered_map<std::uintptr_t, std::string> gone;  // class of each window that was arranged away
    std::uintptr_t nextHandle = 0x1000;
    std::uintptr_t foreground = 0;
    bool failPosts = false;
    bool keepEvents = true;
    std::vector<keystrokes::Event> events;
    std::vector<std::string> lookups;
    std::vector<MessageBoxCall> messageBoxes;
    int messageBoxResult = IDOK;
    Counts counts;
};

State& Desk() {
    static State state;
    return state;
}

std::uintptr_t AsHandle(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }
HWND AsHwnd(std::uintptr_t handle) { return reinterpret_cast<HWND>(handle); }

const WindowEntry* Find(State& state, std::uintptr_t handle) {
    for (const auto& window : state.windows) {
        if (window.alive && window.handle == handle) return &window;
    }
    return nullptr;
}

// Class names are compared without regard to case, as the platform does.
bool SameClass(const std::string& a, const char* b) {
    const size_t length = std::char_traits<char>::length(b);
    return a.size() == length && std::equal(a.begin(), a.end(), b, [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Brings a window to the top of the z-order. Only that window moves: under
// Wine an owner brought to the front rises above the windows it owns.
void ToTop(State& state, std::uintptr_t handle) {
    const auto it = std::find_if(state.windows.begin(), state.windows.end(),
                                 [&](const WindowEntry& w) { return w.handle == handle; });
    if (it != state.windows.end()) std::rotate(state.windows.begin(), it, it + 1);
}

template <typename T>
std::vector<T> Take(std::vector<T>& from) {
    std::vector<T> taken;
    taken.swap(from);
    return taken;
}

}  // namespace

void Reset() {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    state.windows.clear();
    state.foreground = 0;
    state.version = 0;
    state.tag = -1;
    state.gone.clear();
    state.failPosts = false;
    state.keepEvents = true;
    state.events.clear();
    state.lookups.clear();
    state.messageBoxes.clear();
    state.messageBoxResult = IDOK;
    state.counts = {};
}

HWND AddWindow(const char* className, HWND owner) {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    const std::uintptr_t handle = state.nextHandle;
    state.nextHandle += 4;
    state.windows.insert(state.windows.begin(), {handle, className, AsHandle(owner), true});
    ++state.version;
    return AsHwnd(handle);
}

void RemoveWindow(HWND window) {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    for (auto& each : state.windows) {
        if (each.handle == AsHandle(window)) each.alive = false;
    }
    if (state.foreground == AsHandle(window)) state.foreground = 0;
    ++state.version;
}

void SetForeground(HWND window) {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    state.foreground = AsHandle(window);
    ToTop(state, state.foreground);
    ++state.version;
}

std::vector<HWND> Arrange(const std::vector<WindowSpec>& windows, int foreground, int tag) {
    State& state = Desk();
    std::vector<HWND> made;
    made.reserve(windows.size());
    std::lock_guard lock(state.mutex);
    for (auto& each : state.windows) state.gone.emplace(each.handle, each.className);
    state.windows.clear();
    for (const WindowSpec& wanted : windows) {
        const std::uintptr_t handle = state.nextHandle;
        state.nextHandle += 4;
        const std::uintptr_t owner = wanted.owner >= 0 ? AsHandle(made[static_cast<size_t>(wanted.owner)]) : 0;
        state.windows.insert(state.windows.begin(), {handle, wanted.className, owner, true});
        made.push_back(AsHwnd(handle));
    }
    state.foreground = foreground >= 0 ? AsHandle(made[static_cast<size_t>(foreground)]) : 0;
    ToTop(state, state.foreground);
    ++state.version;
    state.tag = tag;
    return made;
}

Snapshot Now() {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    return {state.version, state.tag};
}

std::string ClassOf(std::uintptr_t window) {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    for (const auto& each : state.windows) {
        if (each.handle == window) return each.className;
    }
    const auto found = state.gone.find(window);
    return found == state.gone.end() ? "" : found->second;
}

void FailPosts(bool fail) {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    state.failPosts = fail;
}

void KeepEvents(bool keep) {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    state.keepEvents = keep;
}

std::vector<keystrokes::Event> TakeEvents() {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    return Take(state.events);
}

std::vector<std::string> TakeLookups() {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    return Take(state.lookups);
}

std::vector<MessageBoxCall> TakeMessageBoxes() {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    return Take(state.messageBoxes);
}

void SetMessageBoxResult(int result) {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    state.messageBoxResult = result;
}

Counts TakeCounts() {
    State& state = Desk();
    std::lock_guard lock(state.mutex);
    Counts counts = state.counts;
    state.counts = {};
    return counts;
}

}  // namespace desktop

// The platform functions, over the desktop above.

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName) {
    auto& state = desktop::Desk();
    std::lock_guard lock(state.mutex);
    ++state.counts.lookups;
    if (state.keepEvents) {
        state.lookups.push_back(windowName ? std::string(className) + "|" + windowName : std::string(className));
    }
    if (windowName != nullptr) return nullptr;  // Korrin's windows are found by class alone
    // From the top of the z-order down.
    for (const auto& window : state.windows) {
        if (window.alive && desktop::SameClass(window.className, className)) return desktop::AsHwnd(window.handle);
    }
    return nullptr;
}

HWND WINAPI GetForegroundWindow() {
    auto& state = desktop::Desk();
    std::lock_guard lock(state.mutex);
    return desktop::AsHwnd(state.foreground);
}

HWND WINAPI GetWindow(HWND window, UINT command) {
    auto& state = desktop::Desk();
    std::lock_guard lock(state.mutex);
    const auto* found = desktop::Find(state, desktop::AsHandle(window));
    if (found == nullptr || command != GW_OWNER) return nullptr;
    return desktop::AsHwnd(found->owner);
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& state = desktop::Desk();
    std::lock_guard lock(state.mutex);
    if (state.failPosts || desktop::Find(state, desktop::AsHandle(window)) == nullptr) {
        ++state.counts.failedPosts;
        return 0;
    }
    ++state.counts.posts;
    if (state.keepEvents) {
        state.events.push_back(keystrokes::Posted(desktop::AsHandle(window), message, wParam, lParam));
    }
    return 1;
}

void WINAPI keybd_event(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo) {
    auto& state = desktop::Desk();
    std::lock_guard lock(state.mutex);
    ++state.counts.injected;
    if (state.keepEvents) state.events.push_back(keystrokes::Injected(virtualKey, scanCode, flags, extraInfo));
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    auto& state = desktop::Desk();
    std::lock_guard lock(state.mutex);
    state.messageBoxes.push_back({owner, text ? text : "", caption ? caption : "", type});
    return state.messageBoxResult;
}
