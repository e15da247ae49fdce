#include "tools/host/session.h"

#include "tests/expected_keys.h"

std::string HeldModifiers() {
    struct Modifier {
        int virtualKey;
        const char* name;
    };
    static constexpr Modifier kModifiers[] = {
        {VK_SHIFT, "VK_SHIFT"}, {VK_CONTROL, "VK_CONTROL"}, {VK_MENU, "VK_MENU"},   {VK_LCONTROL, "VK_LCONTROL"},
        {VK_RCONTROL, "VK_RCONTROL"}, {VK_LMENU, "VK_LMENU"}, {VK_RMENU, "VK_RMENU"}, {VK_LWIN, "VK_LWIN"},
    };
    std::string held;
    for (const Modifier& modifier : kModifiers) {
        if (GetAsyncKeyState(modifier.virtualKey) & 0x8000) held += std::string(held.empty() ? "" : " ") + modifier.name;
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
    korrin.Sync();  // nothing left over from before
    Press press{};
    press.result = plugin.HandleKey(static_cast<int>(alternate), static_cast<int>(keyCode), static_cast<int>(eventKind));
    const std::vector<std::string> lines = korrin.Sync();
    press.words =
        keystrokes::Describe(Korrin::Events(lines, target, reinterpret_cast<std::uintptr_t>(targetWindow)));
    press.postedTo = Korrin::PostedTo(lines);
    press.heldModifiers = HeldModifiers();
    return press;
}
