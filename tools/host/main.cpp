// Stand-in host: loads a plug-in DLL the way the remote-control host does and
// calls its exports.
//
//   korzel-host identity <plugin.dll>
//       the plug-in's module name, exports, version strings and wanted keys
//   korzel-host demo <plugin.dll> <korrin.exe> [--keymap <file>]
//       the identity, then every remote key pressed against a stand-in
//       Korrin, with what Korrin received; --keymap also writes the handled
//       keys as a Markdown table
//   korzel-host bench <plugin.dll> [--empty <dll>] [--rounds N] [--calls N] [--cycles N]
//       HandleKey timed against the bare platform calls it makes; with
//       --empty, also the plug-in's LoadLibrary + FreeLibrary against those
//       of an empty DLL. Each round makes N calls of each kind (chords: N/4)
//       and N load cycles of each DLL.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/expected.h"
#include "tools/host/bench.h"
#include "tools/host/identity.h"
#include "tools/host/plugin_loader.h"
#include "tools/host/session.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: korzel-host identity <plugin.dll>\n"
                 "       korzel-host demo <plugin.dll> <korrin.exe> [--keymap <file>]\n"
                 "       korzel-host bench <plugin.dll> [--empty <dll>] [--rounds N] [--calls N] [--cycles N]\n");
    return 2;
}

const char* Option(int argc, char** argv, const char* name) {
    for (int i = 0; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
    }
    return nullptr;
}

int Demo(const Plugin& plugin, const char* korrinExe, const char* keymapFile) {
    Korrin korrin;
    std::string error;
    // Korrin starts with its main window, of the primary class, and one
    // dialog that it owns.
    if (!korrin.Start(korrinExe, error, std::string(expected::kPrimaryClass) + " 1")) {
        std::fprintf(stderr, "korzel-host: %s\n", error.c_str());
        return 1;
    }
    std::printf("Stand-in Korrin: window 0x%llX of class %s, owning dialog 0x%llX\n",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(korrin.Started("korrin"))),
                expected::kPrimaryClass,
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(korrin.Started("owned1"))));
    korrin.Front("owned1");
    std::printf("  Korrin's dialog in front: AreYouInFocus = %d\n", plugin.AreYouInFocus());
    korrin.Window("other", "OtherApplication");
    korrin.Front("other");
    std::printf("  another application in front: AreYouInFocus = %d\n\n", plugin.AreYouInFocus());
    korrin.Close("other");
    const std::vector<KeyRow> rows = PressEveryKey(korrin, plugin, "korrin", korrin.Started("korrin"));
    korrin.Stop();
    PrintKeyTable(rows);
    if (keymapFile != nullptr && !WriteKeymap(rows, keymapFile)) {
        std::fprintf(stderr, "korzel-host: cannot write %s\n", keymapFile);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) return Usage();
    const std::string mode = argv[1];
    const char* dll = argv[2];

    Plugin plugin;
    std::string error;
    if (!LoadPlugin(dll, plugin, error)) {
        std::fprintf(stderr, "korzel-host: %s\n", error.c_str());
        return 1;
    }
    int status = 0;
    if (mode == "identity") {
        PrintIdentity(plugin, dll);
    } else if (mode == "demo" && argc >= 4) {
        PrintIdentity(plugin, dll);
        status = Demo(plugin, argv[3], Option(argc, argv, "--keymap"));
    } else if (mode == "bench") {
        const char* rounds = Option(argc, argv, "--rounds");
        const char* calls = Option(argc, argv, "--calls");
        const int roundCount = rounds ? std::atoi(rounds) : 31;
        const int callCount = calls ? std::atoi(calls) : 4000;
        status = RunBenchmarks(plugin, roundCount, callCount);
        if (const char* empty = Option(argc, argv, "--empty"); empty != nullptr && status == 0) {
            UnloadPlugin(plugin);
            const char* cycles = Option(argc, argv, "--cycles");
            status = RunLoadBenchmark(dll, empty, roundCount, cycles ? std::atoi(cycles) : 100);
        }
    } else {
        status = Usage();
    }
    UnloadPlugin(plugin);
    return status;
}
