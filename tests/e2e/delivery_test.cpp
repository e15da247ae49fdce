// Where keystrokes go: posted keys to the target window alone, whichever
// window is in front; chords into the keyboard input, to the window that has
// the focus.
#include "tests/e2e/e2e.h"

namespace e2e {
namespace {

using Delivery = E2eTest;

TEST_F(Delivery, PostedKeysGoToTheSecondaryWindowWhenThereIsNoPrimary) {
    ASSERT_NO_FATAL_FAILURE(Arrange({{"bystander", "Bystander", ""}, {"secondary", expected::kSecondaryClass, ""}}));
    ASSERT_NO_FATAL_FAILURE(Front("bystander"));
    for (std::uint32_t code : {23u, 29u}) {
        const Press press = PressKey(0, code, 1, "secondary");
        EXPECT_EQ(press.result, 1) << CallName(0, code, 1);
        EXPECT_TRUE(SameEvents(expected::Events(0, code, 1, Id(Handle("secondary"))), press.events))
            << CallName(0, code, 1);
    }
}

TEST_F(Delivery, WithBothClassesOnlyThePrimaryWindowGetsTheKey) {
    ASSERT_NO_FATAL_FAILURE(Arrange({{"bystander", "Bystander", ""},
                                     {"secondary", expected::kSecondaryClass, ""},
                                     {"primary", expected::kPrimaryClass, ""}}));
    ASSERT_NO_FATAL_FAILURE(Front("secondary"));
    const Press press = PressKey(0, 25, 2, "primary");
    EXPECT_EQ(press.result, 1);
    EXPECT_TRUE(SameEvents(expected::Events(0, 25, 2, Id(Handle("primary"))), press.events));
    EXPECT_TRUE(SameEvents({}, Korrin::Events(press.lines, "secondary", Id(Handle("secondary")))))
        << "the secondary window got a key";
}

// The key messages that an injected chord becomes at the focused window:
// for each event, WM_KEYDOWN (repeat count 1) or WM_KEYUP (previous state
// and transition bits set), with the event's key and scan code 0.
std::vector<keystrokes::Event> AtFocusedWindow(const std::vector<keystrokes::Event>& injected, std::uintptr_t window) {
    std::vector<keystrokes::Event> messages;
    for (const keystrokes::Event& e : injected) {
        const bool up = (e.flags & 2) != 0;
        messages.push_back(keystrokes::Posted(window, up ? 0x101 : 0x100, e.virtualKey, up ? 0xC0000001 : 0x1));
    }
    return messages;
}

std::vector<keystrokes::Event> OfKind(const std::vector<keystrokes::Event>& events, keystrokes::Event::Kind kind) {
    std::vector<keystrokes::Event> some;
    for (const keystrokes::Event& e : events) {
        if (e.kind == kind) some.push_back(e);
    }
    return some;
}

// With Korrin's window in front, a Ctrl chord arrives there as its four key
// messages, in order; the keyboard hook saw the four injected events.
TEST_F(Delivery, AChordReachesTheFocusedWindowAsItsKeyMessagesInOrder) {
    ASSERT_NO_FATAL_FAILURE(Arrange({{"bystander", "Bystander", ""}, {"korrin", expected::kPrimaryClass, ""}}));
    ASSERT_NO_FATAL_FAILURE(Front("korrin"));
    for (std::uint32_t code : {35u, 40u}) {
        const std::uintptr_t korrin = Id(Handle("korrin"));
        const auto injected = expected::Events(0, code, 1, korrin);
        const Press press = PressKey(0, code, 1, "korrin");
        EXPECT_EQ(press.result, 1) << CallName(0, code, 1);
        using Kind = keystrokes::Event::Kind;
        EXPECT_TRUE(SameEvents(injected, OfKind(press.events, Kind::Injected)))
            << CallName(0, code, 1) << ": at the hook";
        EXPECT_TRUE(SameEvents(AtFocusedWindow(injected, korrin), OfKind(press.events, Kind::Posted)))
            << CallName(0, code, 1) << ": at Korrin's focused window";
    }
}

}  // namespace
}  // namespace e2e
