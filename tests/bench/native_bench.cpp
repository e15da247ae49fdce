// What one remote key costs the plug-in's own logic: HandleKey and
// AreYouInFocus over the stand-in desktop, in ns per call, with the heap
// allocations per call (which must be 0).
#include <benchmark/benchmark.h>

#include "plugin/korzel_plugin.h"
#include "tests/alloc_counter.h"
#include "tests/standin/desktop.h"

namespace {

constexpr char kPrimary[] = "WindowsForms10.Window.8.app4";
constexpr char kSecondary[] = "WindowsForms10.Window.8.app5";

enum class Desk { Primary, SecondaryOnly, None };

void Arrange(Desk desk, bool targetInFront) {
    desktop::Reset();
    HWND bystander = desktop::AddWindow("Bystander");
    HWND target = desk == Desk::Primary         ? desktop::AddWindow(kPrimary)
                  : desk == Desk::SecondaryOnly ? desktop::AddWindow(kSecondary)
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

void BM_HandleKey_PostedKey(benchmark::State& state) {
    Arrange(Desk::Primary, false);
    Measure(state, [] { return HandleKey(0, 23, 1); });
}
void BM_HandleKey_PostedKey_SecondaryOnly(benchmark::State& state) {
    Arrange(Desk::SecondaryOnly, false);
    Measure(state, [] { return HandleKey(0, 23, 1); });
}
void BM_HandleKey_CtrlChord(benchmark::State& state) {
    Arrange(Desk::Primary, true);
    Measure(state, [] { return HandleKey(0, 35, 1); });
}
void BM_HandleKey_AltEnter(benchmark::State& state) {
    Arrange(Desk::Primary, true);
    Measure(state, [] { return HandleKey(0, 48, 1); });
}
void BM_HandleKey_UnmappedCode(benchmark::State& state) {
    Arrange(Desk::Primary, true);
    Measure(state, [] { return HandleKey(0, 30, 1); });
}
void BM_HandleKey_NoTarget(benchmark::State& state) {
    Arrange(Desk::None, false);
    Measure(state, [] { return HandleKey(0, 23, 1); });
}
void BM_AreYouInFocus_InFront(benchmark::State& state) {
    Arrange(Desk::Primary, true);
    Measure(state, [] { return AreYouInFocus(); });
}
void BM_AreYouInFocus_Behind(benchmark::State& state) {
    Arrange(Desk::Primary, false);
    Measure(state, [] { return AreYouInFocus(); });
}

BENCHMARK(BM_HandleKey_PostedKey);
BENCHMARK(BM_HandleKey_PostedKey_SecondaryOnly);
BENCHMARK(BM_HandleKey_CtrlChord);
BENCHMARK(BM_HandleKey_AltEnter);
BENCHMARK(BM_HandleKey_UnmappedCode);
BENCHMARK(BM_HandleKey_NoTarget);
BENCHMARK(BM_AreYouInFocus_InFront);
BENCHMARK(BM_AreYouInFocus_Behind);

}  // namespace

BENCHMARK_MAIN();
