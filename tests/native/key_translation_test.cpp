// Remote keys against the stand-in desktop: what each one delivers, and what
// must never deliver anything.
#include <cstdint>
#include <cstring>

#include "tests/expected_keys.h"
#include "tests/native/fixture.h"

namespace {

class KeyTranslation : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        primary = desktop::AddWindow(kPrimaryClass);
        // Keys are posted while another application is in front.
        desktop::SetForeground(desktop::AddWindow("Bystander"));
    }

    // Checks one call against the expected words; a posted key must have
    // gone to `to`.
    void Expect(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind, const char* sends, HWND to) {
        const std::string name = CaseName(alternate, keyCode, eventKind);
        const Outcome outcome = Press(alternate, keyCode, eventKind);
        const bool sent = std::strcmp(sends, "nothing") != 0;
        EXPECT_EQ(outcome.result, sent ? 1 : 0) << name;
        EXPECT_EQ(outcome.words, sends) << name;
        if (expected::IsPosted(sends) && outcome.events.size() == 1) {
            EXPECT_EQ(outcome.events[0].window, Id(to)) << name << ": posted to the wrong window";
        }
    }

    HWND primary = nullptr;
};

// Every pair of the four event kinds 0-3 with every key code up to 64 and a
// few beyond: the mapped ones deliver exactly their keystroke, the rest
// deliver nothing and return 0.
TEST_F(KeyTranslation, EveryPairDeliversExactlyItsKeystroke) {
    for (std::uint32_t kind = 0; kind <= 3; ++kind) {
        for (std::uint32_t code = 0; code <= 64; ++code) Expect(0, code, kind, expected::Sends(kind, code), primary);
        for (std::uint32_t code : {100u, 255u, 256u, 0x7FFFu, 0xFFFFu}) Expect(0, code, kind, "nothing", primary);
    }
}

TEST_F(KeyTranslation, OtherEventKindsSendNothing) {
    for (std::uint32_t kind : {4u, 0x100u, 0x7FFFu, 0xFFFFu}) {
        for (const auto& key : expected::kKeys) Expect(0, key.keyCode, kind, "nothing", primary);
    }
}

// Only the low 16 bits of the key code and of the event kind count.
TEST_F(KeyTranslation, BitsAboveTheLow16AreIgnored) {
    constexpr std::uint32_t kHigh[] = {0x10000u, 0x80000000u, 0xFFFF0000u, 0x12340000u};
    for (const auto& key : expected::kKeys) {
        const auto code = static_cast<std::uint32_t>(key.keyCode);
        const auto kind = static_cast<std::uint32_t>(key.eventKind);
        for (std::uint32_t high : kHigh) {
            Expect(0, code | high, kind, key.sends, primary);
            Expect(0, code, kind | high, key.sends, primary);
            Expect(0, code | high, kind | high, key.sends, primary);
        }
    }
    // High bits never turn an unmapped pair into a mapped one, and bit 15
    // is part of the low 16.
    Expect(0, 0x8000u | 23u, 1, "nothing", primary);
    Expect(0, 23, 0x8000u | 1u, "nothing", primary);
    Expect(0, 0x10000u | 30u, 1, "nothing", primary);
    Expect(0, 0x10000u | 48u, 2, "nothing", primary);
    Expect(0, 23, 0x10000u, "nothing", primary);
    Expect(0, 23, 0x10003u, "nothing", primary);
    Expect(0, 23, 0x80000000u, "nothing", primary);
}

// A non-zero alternate declines the event, every bit of it counting.
TEST_F(KeyTranslation, AlternateDeclinesEveryKey) {
    for (std::uint32_t alternate : {1u, 2u, 0x10000u, 0x80000000u, 0xFFFFFFFFu}) {
        for (const auto& key : expected::kKeys) {
            Expect(alternate, static_cast<std::uint32_t>(key.keyCode), static_cast<std::uint32_t>(key.eventKind),
                   "nothing", primary);
        }
    }
}

// Windows that are not Korrin's are never a target, whatever is in front.
TEST_F(DesktopTest, NoTargetWindowSendsNothing) {
    HWND other = desktop::AddWindow("WindowsForms10.Window.8.app6");
    desktop::AddWindow("WindowsForms10.Window.8.app", other);
    desktop::AddWindow("windowsforms10.window.8.app45");
    desktop::SetForeground(other);
    for (std::uint32_t alternate : {0u, 1u}) {
        for (const auto& key : expected::kKeys) {
            const auto code = static_cast<std::uint32_t>(key.keyCode);
            const auto kind = static_cast<std::uint32_t>(key.eventKind);
            const Outcome outcome = Press(alternate, code, kind);
            EXPECT_EQ(outcome.result, 0) << CaseName(alternate, code, kind);
            EXPECT_EQ(outcome.words, "nothing") << CaseName(alternate, code, kind);
        }
    }
}

// A key-down that could not be posted (the window closed after it was found,
// or its queue is full) is not reported as handled. Chords cannot be checked,
// so they still count as sent.
TEST_F(KeyTranslation, FailedPostIsNotReportedAsHandled) {
    desktop::FailPosts(true);
    for (const auto& key : expected::kKeys) {
        const auto code = static_cast<std::uint32_t>(key.keyCode);
        const auto kind = static_cast<std::uint32_t>(key.eventKind);
        if (expected::IsPosted(key.sends)) {
            Expect(0, code, kind, "nothing", primary);
        } else {
            Expect(0, code, kind, key.sends, primary);
        }
    }
    const desktop::Counts counts = desktop::TakeCounts();
    EXPECT_EQ(counts.posts, 0u);
    EXPECT_EQ(counts.failedPosts, 9u) << "each posted key is tried once";
}

// Consecutive keys arrive one call at a time, in order, with nothing left over.
TEST_F(KeyTranslation, KeysArriveInCallOrder) {
    desktop::TakeEvents();
    EXPECT_EQ(HandleKey(0, 35, 1), 1);
    EXPECT_EQ(HandleKey(0, 23, 1), 1);
    EXPECT_EQ(HandleKey(0, 48, 1), 1);
    const auto events = desktop::TakeEvents();
    ASSERT_EQ(events.size(), 9u);
    EXPECT_EQ(keystrokes::Describe({events.begin(), events.begin() + 4}), "Ctrl+F injected");
    EXPECT_EQ(keystrokes::Describe({events.begin() + 4, events.begin() + 5}), "WM_KEYDOWN VK_UP posted");
    EXPECT_EQ(keystrokes::Describe({events.begin() + 5, events.end()}), "LeftAlt+Enter injected");
}

}  // namespace
