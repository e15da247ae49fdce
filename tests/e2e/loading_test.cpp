// Loading as the host loads: a plug-in that lacks an export or is built for
// the other bitness is refused with a reason, and loading, using and
// unloading Korzel.dll many times leaves nothing behind.
#include "tests/e2e/e2e.h"

#include <psapi.h>

#include <cstdio>

namespace e2e {
namespace {

using Loading = E2eTest;

TEST_F(Loading, APlugInWithoutHandleKeyIsRefusedAndUnloaded) {
    const std::string& broken = TheOptions().brokenDll;
    if (broken.empty()) GTEST_SKIP() << "no --broken plug-in given";
    Plugin plugin;
    std::string error;
    EXPECT_FALSE(LoadPlugin(broken.c_str(), plugin, error));
    EXPECT_NE(error.find("no export named HandleKey"), std::string::npos) << error;
    const size_t slash = broken.find_last_of("/\\");
    EXPECT_EQ(GetModuleHandleA(broken.substr(slash == std::string::npos ? 0 : slash + 1).c_str()), nullptr)
        << "the refused plug-in is still loaded";
    UnloadPlugin(plugin);
}

TEST_F(Loading, APlugInOfTheOtherBitnessIsRefusedNamingBoth) {
    const std::string& other = TheOptions().otherMachineDll;
    if (other.empty()) GTEST_SKIP() << "no --other-machine plug-in given";
    Plugin plugin;
    std::string error;
    EXPECT_FALSE(LoadPlugin(other.c_str(), plugin, error));
    EXPECT_NE(error.find(sizeof(void*) == 4 ? "is 64-bit x64; this host is 32-bit x86"
                                            : "is 32-bit x86; this host is 64-bit x64"),
              std::string::npos)
        << error;
    UnloadPlugin(plugin);
}

struct ProcessFigures {
    DWORD handles = 0;
    SIZE_T privateBytes = 0;
    const char* handleSource = "";
    const char* memorySource = "";
};

// Open handles, counted by asking about every handle value in turn; for
// platforms whose GetProcessHandleCount answers 0.
DWORD ProbeHandles() {
    DWORD open = 0, flags = 0;
    for (std::uintptr_t value = 4; value < 0x40000; value += 4) {
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++open;
    }
    return open;
}

// Committed private memory, summed over the address space; for platforms
// whose PrivateUsage answers 0.
SIZE_T ProbePrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    const char* address = nullptr;
    while (VirtualQuery(address, &info, sizeof info) == sizeof info) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return total;
}

ProcessFigures Measure() {
    ProcessFigures figures;
    GetProcessHandleCount(GetCurrentProcess(), &figures.handles);
    figures.handleSource = "GetProcessHandleCount";
    if (figures.handles == 0) {
        figures.handles = ProbeHandles();
        figures.handleSource = "GetHandleInformation probe";
    }
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    figures.privateBytes = counters.PrivateUsage;
    figures.memorySource = "PrivateUsage";
    if (figures.privateBytes == 0) {
        figures.privateBytes = ProbePrivateBytes();
        figures.memorySource = "committed MEM_PRIVATE regions";
    }
    return figures;
}

// Load, use (every export but Configure) and unload the plug-in many times:
// the open handles and the committed private memory stay where they were.
TEST_F(Loading, LoadUseUnloadCyclesLeaveNothingBehind) {
    const int cycles = TheOptions().loadCycles;
    if (cycles <= 0) GTEST_SKIP() << "no --load-cycles given";
    const std::string dll = TheOptions().dll;
    // Posted keys land in this thread's own queue and are discarded there.
    HWND target = OwnTargetWindow(false);
    ASSERT_NE(target, nullptr);
    const std::uintptr_t targetId = Id(target);
    auto cycle = [&]() -> std::string {
        Plugin plugin;
        std::string error;
        if (!LoadPlugin(dll.c_str(), plugin, error)) return error;
        std::string wrong;
        if (plugin.WhatKeysDoYouWant() != expected::kWantedKeys) wrong += " WhatKeysDoYouWant";
        if (plugin.EnumerateProgrammableFunction() != 0) wrong += " EnumerateProgrammableFunction";
        if (plugin.AreYouInFocus() != 0) wrong += " AreYouInFocus";  // a hidden target is not in front
        for (std::uint32_t code : {23u, 35u, 30u}) {
            const int sent = expected::Events(0, code, 1, targetId).empty() ? 0 : 1;
            if (plugin.HandleKey(0, static_cast<int>(code), 1) != sent)
                wrong += " HandleKey(0, " + std::to_string(code) + ", 1)";
        }
        UnloadPlugin(plugin);
        DiscardMessages();
        return wrong;
    };
    // Warm up, so that the first load's one-time allocations are not counted.
    for (int i = 0; i < 10; ++i) cycle();
    const ProcessFigures before = Measure();
    int failed = 0;
    std::string firstFailure;
    for (int i = 0; i < cycles; ++i) {
        const std::string wrong = cycle();
        if (!wrong.empty() && failed++ == 0) firstFailure = wrong;
    }
    const ProcessFigures after = Measure();
    DestroyWindow(target);
    // The chords went into the keyboard input, and Korrin's hook reports
    // every one of them: let it catch up before the next case.
    std::string error;
    TheKorrin().Settle(error, 300000);
    EXPECT_EQ(error, "");
    std::printf("%d load cycles: handles %lu -> %lu (%s), private bytes %llu -> %llu (%s)\n", cycles, before.handles,
                after.handles, before.handleSource, static_cast<unsigned long long>(before.privateBytes),
                static_cast<unsigned long long>(after.privateBytes), before.memorySource);
    EXPECT_EQ(failed, 0) << "cycles that did not load or answer as expected; the first:" << firstFailure;
    EXPECT_EQ(after.handles, before.handles) << "open handles";
    EXPECT_EQ(after.privateBytes, before.privateBytes) << "committed private bytes";
}

}  // namespace
}  // namespace e2e
