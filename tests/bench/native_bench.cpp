// What one remote key costs the plug-in's own logic: HandleKey and
// AreYouInFocus over the stand-in desktop, in ns per call, with the heap
// allocations per call (which must be 0).
#include <benchmark/benchmark.h>

#include "plugin/korzel_plugin.h"
#include "tests/alloc_counter.h"
#include "tests/expected.h"
#include "tests/standin/desktop.h"

namespace {

using expected::kPrimaryClass;
using expected::kSecondaryClass;

enum class Desk { Primary, SecondaryOnly, None };

void Arrange(Desk desk, bool targetInFront) {
    desktop::Reset();
    HWND bystander = desktop::AddWindow("Bystander");
    HWND target = desk == Desk::Primary         ? desktop::AddWindow(kPrimaryClass)
                  : desk == Desk::SecondaryOnly ? desktop::AddWindow(kSecondaryClass)
                                                : nullptr;
    desktop::SetForeground(targetInFront && target ? target : bystander);
    desktop::KeepEvents(false);
}

// Runs `call` and reports allocations per call; any allocation fails the run.
template <typename Call>
void Measure(benchmark::State& state, Call call) {
    const std::uint64_t before = alloc_counter::Allocations();
    for (auto _ : state) benchmark::DoNotOptimize(call());
    const std::uint64_t allocations = alloc_counter::Allocations() - before;
    state.counters["allocs/call"] =
        benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(state.iterations()));
    if (allocations != 0) state.SkipWithError("the plug-in allocated on the heap");
}

struct Case {
    const char* name;
    Desk desk;
    bool targetInFront;
    bool focusQuestion;  // AreYouInFocus instead of HandleKey
    int keyCode;
};

constexpr Case kCases[] = {
    {"HandleKey/PostedKey", Desk::Primary, false, false, 23},
    {"HandleKey/PostedKey_SecondaryOnly", Desk::SecondaryOnly, false, false, 23},
    {"HandleKey/CtrlChord", Desk::Primary, true, false, 35},
    {"HandleKey/AltEnter", Desk::Primary, true, false, 48},
    {"HandleKey/UnmappedCode", Desk::Primary, true, false, 30},
    {"HandleKey/NoTarget", Desk::None, false, false, 23},
    {"AreYouInFocus/InFront", Desk::Primary, true, true, 0},
    {"AreYouInFocus/Behind", Desk::Primary, false, true, 0},
};

}  // namespace

int main(int argc, char** argv) {
    for (const Case& c : kCases) {
        benchmark::RegisterBenchmark(c.name, [c](benchmark::State& state) {
            Arrange(c.desk, c.targetInFront);
            if (c.focusQuestion) {
                Measure(state, [] { return AreYouInFocus(); });
            } else {
                Measure(state, [&c] { return HandleKey(0, c.keyCode, 1); });
            }
        });
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
