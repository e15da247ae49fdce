// Several threads calling at once, against a real user32: every call is
// answered, every posted key reaches Korrin's window and every chord arrives
// whole at the focused window. Run with --concurrency only: emulated 32-bit
// Wine here cannot take threads that call at once or exit.
#include <map>

#include "tests/e2e/e2e.h"

namespace e2e {
namespace {

using Concurrency = E2eTest;

struct Worker {
    const Plugin* plugin;
    std::uint32_t keyCode;
    std::uint32_t eventKind;
    int calls;
    int handled = 0;
    int inFocus = 0;
};

DWORD WINAPI Hammer(void* argument) {
    auto* worker = static_cast<Worker*>(argument);
    for (int i = 0; i < worker->calls; ++i) {
        worker->handled +=
            worker->plugin->HandleKey(0, static_cast<int>(worker->keyCode), static_cast<int>(worker->eventKind));
        worker->inFocus += worker->plugin->AreYouInFocus();
    }
    return 0;
}

// (message, key) -> how many times.
using Tally = std::map<std::pair<unsigned, std::uintptr_t>, int>;

TEST_F(Concurrency, SixThreadsPostingAndInjectingAtOnce) {
    if (!TheOptions().concurrency) GTEST_SKIP() << "no --concurrency given";
    ASSERT_NO_FATAL_FAILURE(Arrange({{"korrin", expected::kPrimaryClass, ""}, {"bystander", "Bystander", ""}}));
    ASSERT_NO_FATAL_FAILURE(Front("bystander"));
    const std::uintptr_t korrin = Id(Handle("korrin")), bystander = Id(Handle("bystander"));
    constexpr int kCalls = 200;
    // Four threads post four different keys; two inject two different chords.
    Worker workers[] = {{&ThePlugin(), 23, 1, kCalls}, {&ThePlugin(), 24, 1, kCalls}, {&ThePlugin(), 25, 1, kCalls},
                        {&ThePlugin(), 26, 1, kCalls}, {&ThePlugin(), 35, 1, kCalls}, {&ThePlugin(), 37, 1, kCalls}};
    // What must arrive, from the oracle: posted keys at Korrin's window, and
    // each injected event as its key message at the focused bystander.
    Tally wantedAtKorrin, wantedAtBystander;
    for (const Worker& w : workers) {
        for (const keystrokes::Event& e : expected::Events(0, w.keyCode, w.eventKind, korrin)) {
            if (e.kind == keystrokes::Event::Kind::Posted) {
                wantedAtKorrin[{e.message, e.wParam}] += w.calls;
            } else {
                wantedAtBystander[{(e.flags & 2) ? 0x101u : 0x100u, e.virtualKey}] += w.calls;
            }
        }
    }

    HANDLE threads[std::size(workers)];
    for (size_t i = 0; i < std::size(workers); ++i)
        threads[i] = CreateThread(nullptr, 0, Hammer, &workers[i], 0, nullptr);
    WaitForMultipleObjects(static_cast<DWORD>(std::size(threads)), threads, TRUE, INFINITE);
    for (HANDLE thread : threads) CloseHandle(thread);

    // Everything sent before the markers has arrived once they have.
    std::string error;
    const auto lines = TheKorrin().Settle(error, 60000);
    ASSERT_EQ(error, "");
    // Injected chords are counted where they land, at the focused bystander:
    // a low-level hook that is busy may be skipped by the platform, so the
    // hook cannot count them here.
    Tally atKorrin, atBystander;
    for (const keystrokes::Event& e : Korrin::Events(lines, "korrin", korrin)) {
        if (e.kind == keystrokes::Event::Kind::Posted) ++atKorrin[{e.message, e.wParam}];
    }
    for (const keystrokes::Event& e : Korrin::Events(lines, "bystander", bystander)) {
        if (e.kind == keystrokes::Event::Kind::Posted) ++atBystander[{e.message, e.wParam}];
    }
    for (const Worker& w : workers) {
        const int sent = expected::Events(0, w.keyCode, w.eventKind, korrin).empty() ? 0 : 1;
        EXPECT_EQ(w.handled, sent * w.calls) << CallName(0, w.keyCode, w.eventKind) << ": handled";
        EXPECT_EQ(w.inFocus, 0) << CallName(0, w.keyCode, w.eventKind) << ": in focus answers, bystander in front";
    }
    EXPECT_EQ(atKorrin, wantedAtKorrin) << "(message, key) -> count at Korrin's window";
    EXPECT_EQ(atBystander, wantedAtBystander) << "(message, key) -> count at the focused bystander";
}

}  // namespace
}  // namespace e2e
