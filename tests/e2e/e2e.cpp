#include "tests/e2e/e2e.h"

#include <cstdio>

namespace e2e {

std::string Hex(std::uintptr_t value) { return keystrokes::Hex(value); }

std::string CallName(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind) {
    return "HandleKey(alternate " + Hex(alternate) + ", code " + Hex(keyCode) + ", kind " + Hex(eventKind) + ")";
}

void E2eTest::SetUp() {
    ReleaseModifiers();
    std::string error;
    TheKorrin().Settle(error);
    ASSERT_EQ(error, "") << "the stand-in Korrin does not answer";
    ASSERT_EQ(HeldModifiers(), "") << "modifiers still down at the start";
}

void E2eTest::TearDown() {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) TheKorrin().Close(it->first);
    windows_.clear();
    EXPECT_EQ(HeldModifiers(), "") << "modifiers left down";
}

void E2eTest::Arrange(const std::vector<Window>& windows) {
    for (const Window& w : windows) {
        HWND owner = w.owner.empty() ? nullptr : Handle(w.owner);
        ASSERT_TRUE(w.owner.empty() || owner != nullptr) << w.name << ": no window called " << w.owner;
        HWND window = TheKorrin().Window(w.name, w.className, w.owner);
        ASSERT_NE(window, nullptr) << w.name << ": not created";
        windows_.emplace_back(w.name, window);
        ASSERT_EQ(GetWindow(window, GW_OWNER), owner) << w.name << ": owner";
        char className[256] = "";
        GetClassNameA(window, className, sizeof className);
        ASSERT_EQ(std::string(className), w.className) << w.name << ": class";
    }
}

void E2eTest::Front(const std::string& name) {
    HWND window = Handle(name);
    ASSERT_NE(window, nullptr) << "no window called " << name;
    const HWND foreground = TheKorrin().Front(name);
    // The platform finishes rearranging in Korrin's message loop.
    TheKorrin().Sync();
    ASSERT_EQ(Hex(Id(foreground)), Hex(Id(window))) << name << " did not come to the front";
    ASSERT_EQ(GetForegroundWindow(), window) << "the foreground window as this process sees it";
}

void E2eTest::NoForeground() {
    // With every window of the case hidden, the foreground window closes and
    // nothing takes its place.
    for (const auto& [name, window] : windows_) TheKorrin().Hide(name);
    TheKorrin().Window("gone", "Bystander");
    TheKorrin().Front("gone");
    TheKorrin().Close("gone");
    ASSERT_EQ(GetForegroundWindow(), nullptr) << "a foreground window is left";
}

HWND E2eTest::Handle(const std::string& name) const {
    for (const auto& [each, window] : windows_) {
        if (each == name) return window;
    }
    return nullptr;
}

Press E2eTest::PressKey(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind,
                        const std::string& target) {
    Press press = ::PressKey(TheKorrin(), ThePlugin(), alternate, keyCode, eventKind, target, Handle(target));
    EXPECT_EQ(press.error, "") << CallName(alternate, keyCode, eventKind);
    EXPECT_EQ(press.heldModifiers, "") << CallName(alternate, keyCode, eventKind) << ": modifiers held afterwards";
    return press;
}

}  // namespace e2e
