#include "tools/host/session.h"

#include "tests/expected.h"

namespace {

struct Modifier {
    BYTE virtualKey;
    const char* name;
};
constexpr Modifier kModifiers[] = {
    {VK_SHIFT, "VK_SHIFT"},       {VK_CONTROL, "VK_CONTROL"}, {VK_MENU, "VK_MENU"},   {VK_LCONTROL, "VK_LCONTROL"},
    {VK_RCONTROL, "VK_RCONTROL"}, {VK_LMENU, "VK_LMENU"},     {VK_RMENU, "VK_RMENU"}, {VK_LWIN, "VK_LWIN"},
    {VK_LSHIFT, "VK_LSHIFT"},     {VK_RSHIFT, "VK_RSHIFT"},   {VK_RWIN, "VK_RWIN"},
};

}  // namespace

void ReleaseModifiers() {
    for (const Modifier& modifier : kModifiers) {
        if (GetAsyncKeyState(modifier.virtualKey) & 0x8000) keybd_event(modifier.virtualKey, 0, KEYEVENTF_KEYUP, 0);
    }
}

std::string HeldModifiers() {
    std::string held;
    for (const Modifier& modifier : kModifiers) {
        if (GetAsyncKeyState(modifier.virtualKey) & 0x8000)
            held += std::string(held.empty() ? "" : " ") + modifier.name;
    }
    return held;
}

HWND OwnTargetWindow(bool visible) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = expected::kPrimaryClass;
    RegisterClassA(&wc);
    const DWORD style = visible ? WS_OVERLAPPEDWINDOW | WS_VISIBLE : WS_POPUP;
    return CreateWindowExA(0, expected::kPrimaryClass, "own target", style, 0, 0, 200, 100, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

void DiscardMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

Press PressKey(Korrin& korrin, const Plugin& plugin, std::uint32_t alternate, std::uint32_t keyCode,
               std::uint32_t eventKind, const std::string& target, HWND targetWindow) {
    Press press{};
    korrin.Settle(press.error);  // nothing left over from before
    press.result =
        plugin.HandleKey(static_cast<int>(alternate), static_cast<int>(keyCode), static_cast<int>(eventKind));
    press.lines = korrin.Settle(press.error);
    press.events = Korrin::Events(press.lines, target, reinterpret_cast<std::uintptr_t>(targetWindow));
    press.words = keystrokes::Describe(press.events);
    press.heldModifiers = HeldModifiers();
    return press;
}
