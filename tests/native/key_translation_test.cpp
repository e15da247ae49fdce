// Remote keys against the stand-in desktop: what each one delivers, and what
// must never deliver anything.
#include <cstdint>

#include "tests/expected.h"
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

    // Checks one call against exactly the events it must deliver, posted
    // keys going to `to`.
    void Expect(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind, HWND to) {
        Expect(alternate, keyCode, eventKind, expected::Events(alternate, keyCode, eventKind, Id(to)));
    }
    void Expect(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind,
                const std::vector<keystrokes::Event>& wanted) {
        const std::string name = CaseName(alternate, keyCode, eventKind);
        const Outcome outcome = Press(alternate, keyCode, eventKind);
        EXPECT_EQ(outcome.result, wanted.empty() ? 0 : 1) << name;
        EXPECT_TRUE(SameEvents(wanted, outcome.events)) << name;
    }
    static std::vector<keystrokes::Event> Nothing() { return {}; }

    HWND primary = nullptr;
};

// Every pair of the four event kinds 0-3 with every key code up to 64 and a
// few beyond: the mapped ones deliver exactly their keystroke, the rest
// deliver nothing and return 0.
TEST_F(KeyTranslation, EveryPairDeliversExactlyItsKeystroke) {
    for (std::uint32_t kind = 0; kind <= 3; ++kind) {
        for (std::uint32_t code = 0; code <= 64; ++code) Expect(0, code, kind, primary);
        for (std::uint32_t code : {100u, 255u, 256u, 0x7FFFu, 0xFFFFu}) Expect(0, code, kind, Nothing());
    }
}

TEST_F(KeyTranslation, OtherEventKindsSendNothing) {
    for (std::uint32_t kind : {4u, 0x100u, 0x7FFFu, 0xFFFFu}) {
        for (const auto& key : expected::kKeys) Expect(0, static_cast<std::uint32_t>(key.keyCode), kind, Nothing());
    }
}

// Only the low 16 bits of the key code and of the event kind count.
TEST_F(KeyTranslation, BitsAboveTheLow16AreIgnored) {
    constexpr std::uint32_t kHigh[] = {0x10000u, 0x80000000u, 0xFFFF0000u, 0x12340000u};
    for (const auto& key : expected::kKeys) {
        const auto code = static_cast<std::uint32_t>(key.keyCode);
        const auto kind = static_cast<std::uint32_t>(key.eventKind);
        const auto wanted = expected::Events(key, Id(primary));
        for (std::uint32_t high : kHigh) {
            Expect(0, code | high, kind, wanted);
            Expect(0, code, kind | high, wanted);
            Expect(0, code | high, kind | high, wanted);
        }
    }
    // High bits never turn an unmapped pair into a mapped one, and bit 15
    // is part of the low 16.
    Expect(0, 0x8000u | 23u, 1, Nothing());
    Expect(0, 23, 0x8000u | 1u, Nothing());
    Expect(0, 0x10000u | 30u, 1, Nothing());
    Expect(0, 0x10000u | 48u, 2, Nothing());
    Expect(0, 23, 0x10000u, Nothing());
    Expect(0, 23, 0x10003u, Nothing());
    Expect(0, 23, 0x80000000u, Nothing());
}

// A non-zero alternate declines the event, every bit of it counting.
TEST_F(KeyTranslation, AlternateDeclinesEveryKey) {
    for (std::uint32_t alternate : {1u, 2u, 0x10000u, 0x80000000u, 0xFFFFFFFFu}) {
        for (const auto& key : expected::kKeys) {
            Expect(alternate, static_cast<std::uint32_t>(key.keyCode), static_cast<std::uint32_t>(key.eventKind),
                   Nothing());
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
            EXPECT_TRUE(SameEvents({}, outcome.events)) << CaseName(alternate, code, kind);
        }
    }
}

// A key-down that could not be posted (the window closed after it was found,
// or its queue is full) is not reported as handled. Chords cannot be checked,
// so they still count as sent.
TEST_F(KeyTranslation, FailedPostIsNotReportedAsHandled) {
    desktop::FailPosts(true);
    std::uint64_t postedKeys = 0;
    for (const auto& key : expected::kKeys) {
        const auto code = static_cast<std::uint32_t>(key.keyCode);
        const auto kind = static_cast<std::uint32_t>(key.eventKind);
        const bool posted = key.delivery == expected::Delivery::Posted;
        Expect(0, code, kind, posted ? Nothing() : expected::Events(key, Id(primary)));
        postedKeys += posted ? 1u : 0u;
    }
    const desktop::Counts counts = desktop::TakeCounts();
    EXPECT_EQ(counts.posts, 0u);
    EXPECT_EQ(counts.failedPosts, postedKeys) << "each posted key is tried once";
}

// Consecutive keys arrive one call at a time, in order, with nothing left over.
TEST_F(KeyTranslation, KeysArriveInCallOrder) {
    desktop::TakeEvents();
    std::vector<keystrokes::Event> wanted;
    for (std::uint32_t code : {35u, 23u, 48u}) {
        EXPECT_EQ(HandleKey(0, static_cast<int>(code), 1), 1);
        const auto events = expected::Events(0, code, 1, Id(primary));
        wanted.insert(wanted.end(), events.begin(), events.end());
    }
    EXPECT_TRUE(SameEvents(wanted, desktop::TakeEvents()));
}

}  // namespace
