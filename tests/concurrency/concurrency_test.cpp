// Many threads press keys and ask about focus while another rearranges the
// desktop under them: no data race, and every answer fits the desktop of
// its moment.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "plugin/korzel_plugin.h"
#include "target/target_window.h"
#include "tests/expected.h"
#include "tests/invariants.h"
#include "tests/standin/desktop.h"

namespace {

using expected::kPrimaryClass;
using expected::kSecondaryClass;

struct Arrangement {
    std::vector<desktop::WindowSpec> windows;
    int foreground;
    bool hasTarget;
    int inFocus;
};

const std::vector<Arrangement>& Arrangements() {
    static const std::vector<Arrangement> all = {
        {{{"Bystander", -1}}, 0, false, 0},
        {{{kPrimaryClass, -1}, {"Bystander", -1}}, 1, true, 0},
        {{{kPrimaryClass, -1}}, 0, true, 1},
        {{{kSecondaryClass, -1}, {"Dialog", 0}}, 1, true, 1},
        {{{kPrimaryClass, -1}, {kSecondaryClass, -1}}, 1, true, 0},
        {{{kSecondaryClass, -1}, {"Bystander", -1}}, 1, true, 0},
        {{{kPrimaryClass, -1}, {"Dialog", 0}, {"Dialog", 1}}, 1, true, 1},
        {{{kPrimaryClass, -1}, {"Dialog", 0}, {"Dialog", 1}}, 2, true, 0},
        {{{kSecondaryClass, -1}}, -1, true, 0},
    };
    return all;
}

struct Tally {
    std::uint64_t handled = 0;
    std::uint64_t steadyCalls = 0;  // calls during which the desktop did not change
    std::uint64_t inconsistent = 0;
    std::string firstInconsistency;
};

void Press(int keyCode, int calls, Tally& tally) {
    const auto& arrangements = Arrangements();
    auto note = [&](const char* what, int expected, int got, int tag) {
        if (tally.inconsistent++ == 0) {
            tally.firstInconsistency = std::string(what) + " on arrangement " + std::to_string(tag) + ": expected " +
                                       std::to_string(expected) + ", got " + std::to_string(got);
        }
    };
    for (int i = 0; i < calls; ++i) {
        desktop::Snapshot before = desktop::Now();
        const int handled = HandleKey(0, keyCode, 1);
        desktop::Snapshot after = desktop::Now();
        tally.handled += static_cast<std::uint64_t>(handled);
        if (handled != 0 && handled != 1) note("HandleKey result", 1, handled, after.tag);
        if (before.version == after.version && before.tag >= 0) {
            ++tally.steadyCalls;
            const int expected = arrangements[static_cast<size_t>(before.tag)].hasTarget ? 1 : 0;
            if (handled != expected) note("HandleKey", expected, handled, before.tag);
        }

        before = desktop::Now();
        const int inFocus = AreYouInFocus();
        after = desktop::Now();
        if (inFocus != 0 && inFocus != 1) note("AreYouInFocus result", 1, inFocus, after.tag);
        if (before.version == after.version && before.tag >= 0) {
            ++tally.steadyCalls;
            const int expected = arrangements[static_cast<size_t>(before.tag)].inFocus;
            if (inFocus != expected) note("AreYouInFocus", expected, inFocus, before.tag);
        }
    }
}

TEST(Concurrency, KeysAndFocusWhileTheDesktopChanges) {
    constexpr int kThreads = 8;
    constexpr int kCalls = 100000;
    // Six threads post six different keys; two inject two different chords.
    constexpr int kKeyCodes[kThreads] = {23, 24, 25, 26, 27, 28, 35, 48};

    desktop::Reset();
    desktop::Arrange(Arrangements()[0].windows, Arrangements()[0].foreground, 0);

    std::atomic<bool> done{false};
    std::uint64_t arranged = 0;
    std::thread mover([&] {
        const auto& arrangements = Arrangements();
        for (size_t next = 1; !done.load(); ++next) {
            const Arrangement& a = arrangements[next % arrangements.size()];
            desktop::Arrange(a.windows, a.foreground, static_cast<int>(next % arrangements.size()));
            ++arranged;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });

    Tally tallies[kThreads];
    std::vector<std::thread> pressers;
    for (int t = 0; t < kThreads; ++t) pressers.emplace_back(Press, kKeyCodes[t], kCalls, std::ref(tallies[t]));
    for (auto& thread : pressers) thread.join();
    done = true;
    mover.join();

    // Every handled key is accounted for: one post for each posted key, four
    // balanced events for each chord, all of them at Korrin's windows.
    const auto events = desktop::TakeEvents();
    std::uint64_t posted[256] = {};
    std::uint64_t injected = 0, strayPosts = 0;
    for (const keystrokes::Event& e : events) {
        if (e.kind == keystrokes::Event::Kind::Posted) {
            ++posted[e.wParam & 0xFF];
            const std::string cls = desktop::ClassOf(e.window);
            if (cls != kPrimaryClass && cls != kSecondaryClass) ++strayPosts;
        } else {
            ++injected;
        }
    }
    EXPECT_EQ(strayPosts, 0u) << "keys posted to windows that are not Korrin's";

    constexpr std::uint8_t kPostedKeys[] = {0x26, 0x28, 0x27, 0x25, 'M', 0x24};
    std::uint64_t steady = 0;
    for (int t = 0; t < kThreads; ++t) {
        SCOPED_TRACE("key code " + std::to_string(kKeyCodes[t]));
        EXPECT_EQ(tallies[t].inconsistent, 0u) << tallies[t].firstInconsistency;
        EXPECT_GT(tallies[t].handled, 0u);
        if (t < 6) {
            EXPECT_EQ(posted[kPostedKeys[t]], tallies[t].handled);
        }
        steady += tallies[t].steadyCalls;
    }
    EXPECT_EQ(injected, 4 * (tallies[6].handled + tallies[7].handled));
    // Chords from two threads interleave, but each thread's chords balance.
    std::vector<keystrokes::Event> injectedOnly;
    for (const keystrokes::Event& e : events) {
        if (e.kind == keystrokes::Event::Kind::Injected) injectedOnly.push_back(e);
    }
    int downs[256] = {}, ups[256] = {};
    for (const keystrokes::Event& e : injectedOnly) ++((e.flags & 2) ? ups : downs)[e.virtualKey];
    for (int vk = 0; vk < 256; ++vk) EXPECT_EQ(downs[vk], ups[vk]) << "key 0x" << std::hex << vk;

    // The consistency checks above had something to check.
    EXPECT_GT(arranged, 10u);
    EXPECT_GT(steady, static_cast<std::uint64_t>(kThreads) * kCalls / 2);
    std::printf(
        "concurrency: %d threads x %d calls each of HandleKey and AreYouInFocus; %llu desktop changes; "
        "%llu calls on a steady desktop checked against it\n",
        kThreads, kCalls, static_cast<unsigned long long>(arranged), static_cast<unsigned long long>(steady));
}

}  // namespace
