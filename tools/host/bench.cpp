#include "tools/host/bench.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/expected.h"
#include "tools/host/session.h"

namespace {

using expected::kPrimaryClass;

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

// ns per call of `call`, over one round; the queue is emptied afterwards,
// outside the timing.
template <typename Call>
double Round(int calls, Call call) {
    const double start = Now();
    for (int i = 0; i < calls; ++i) call();
    const double elapsed = Now() - start;
    DiscardMessages();
    return elapsed * 1e9 / calls;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Pair {
    const char* name;
    const char* bare;
    double plugin;
    double baseline;
};

// Alternates the two sides round by round, so that drift in the machine's
// speed hits both alike, and keeps the median of each.
template <typename A, typename B>
Pair Compare(const char* name, const char* bare, int rounds, int calls, A plugin, B baseline) {
    std::vector<double> a, b;
    Round(calls, plugin);
    Round(calls, baseline);
    for (int r = 0; r < rounds; ++r) {
        a.push_back(Round(calls, plugin));
        b.push_back(Round(calls, baseline));
    }
    return {name, bare, Median(a), Median(b)};
}

}  // namespace

int RunBenchmarks(const Plugin& plugin, int rounds, int callsPerRound) {
    // Korrin's window lives in this process and has the focus, so that
    // posted keys and chords both land in this thread's queue.
    HWND target = OwnTargetWindow(true);
    SetForegroundWindow(target);
    SetFocus(target);
    DiscardMessages();

    const Pair posted = Compare(
        "HandleKey, posted key (code 23)", "FindWindowA + PostMessageA", rounds, callsPerRound,
        [&] { plugin.HandleKey(0, 23, 1); },
        [&] { PostMessageA(FindWindowA(kPrimaryClass, nullptr), WM_KEYDOWN, VK_UP, 0); });
    auto ctrlF = [] {
        keybd_event(VK_CONTROL, 0, 0, 0);
        keybd_event('F', 0, 0, 0);
        keybd_event('F', 0, KEYEVENTF_KEYUP, 0);
        keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    };
    const Pair chord = Compare(
        "HandleKey, Ctrl chord (code 35)", "4 x keybd_event", rounds, callsPerRound / 4,
        [&] { plugin.HandleKey(0, 35, 1); }, ctrlF);
    // A chord, too, is sent only once Korrin's window has been found.
    const Pair chordWithLookup = Compare(
        "HandleKey, Ctrl chord (code 35)", "FindWindowA + 4 x keybd_event", rounds, callsPerRound / 4,
        [&] { plugin.HandleKey(0, 35, 1); },
        [&] {
            if (FindWindowA(kPrimaryClass, nullptr) != nullptr) ctrlF();
        });
    DestroyWindow(target);

    std::printf("Medians of %d rounds; %d posted keys or %d chords per round\n", rounds, callsPerRound,
                callsPerRound / 4);
    std::printf("%-34s %12s   %-28s %12s   %s\n", "plug-in", "ns/call", "bare platform calls", "ns/call", "ratio");
    for (const Pair& p : {posted, chord, chordWithLookup}) {
        std::printf("%-34s %12.0f   %-28s %12.0f   %.3f\n", p.name, p.plugin, p.bare, p.baseline,
                    p.plugin / p.baseline);
    }
    return 0;
}

int RunLoadBenchmark(const char* dll, const char* emptyDll, int rounds, int cyclesPerRound) {
    // Neither module may be loaded already, or LoadLibrary would only count
    // a reference.
    for (const char* path : {dll, emptyDll}) {
        HMODULE module = LoadLibraryA(path);
        if (module == nullptr) {
            std::fprintf(stderr, "korzel-host: cannot load %s (error %lu)\n", path, GetLastError());
            return 1;
        }
        FreeLibrary(module);
        if (GetModuleHandleA(path) != nullptr) {
            std::fprintf(stderr, "korzel-host: %s stays loaded in this process; its load cannot be timed\n", path);
            return 1;
        }
    }
    const Pair load = Compare(
        "LoadLibrary + FreeLibrary", "the same, an empty DLL", rounds, cyclesPerRound,
        [&] { FreeLibrary(LoadLibraryA(dll)); }, [&] { FreeLibrary(LoadLibraryA(emptyDll)); });
    std::printf("\nMedians of %d rounds of %d load cycles, ns per cycle\n", rounds, cyclesPerRound);
    std::printf("  %s: %.0f\n  %s: %.0f\n  ratio %.3f\n", dll, load.plugin, emptyDll, load.baseline,
                load.plugin / load.baseline);
    return 0;
}
