// The end-to-end run: one process per bitness, since a 32-bit process may be
// slow to start here.
//
//   korzel_e2e.exe --dll <Korzel.dll> --korrin <korrin.exe>
//                  [--broken <dll>] [--other-machine <dll>] [--keymap <file>]
//                  [--load-cycles N] [--concurrency] [GoogleTest flags]
//
// --gtest_filter=Keys/* and the like run a part of it.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/e2e/e2e.h"

// GoogleTest also hands every failure and skip message to
// OutputDebugStringA, for a debugger to show. That call raises an exception
// to reach the debugger, and 32-bit Wine emulated on a 64-bit-only kernel
// crashes on it, ending the run at its first failure. The messages are on
// stdout already, so this program's calls to it do nothing: the import slot
// they go through is defined here, and the linker takes it before the one
// in kernel32's import library.
extern "C" void WINAPI KorzelQuietOutputDebugString(LPCSTR) {}
#if defined(__i386__)
extern "C" void(WINAPI* const korzel_imported_output_debug_string)(LPCSTR) __asm__("__imp__OutputDebugStringA@4") =
    KorzelQuietOutputDebugString;
#else
extern "C" void(WINAPI* const korzel_imported_output_debug_string)(LPCSTR) __asm__("__imp_OutputDebugStringA") =
    KorzelQuietOutputDebugString;
#endif

namespace e2e {
namespace {

Options g_options;
Plugin g_plugin;
Korrin g_korrin;

// Loads the plug-in and starts the stand-in Korrin once for the whole run;
// at the end, no call of the run may have found an export popping its own
// arguments.
class Environment : public ::testing::Environment {
public:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(LoadPlugin(g_options.dll.c_str(), g_plugin, error)) << error;
        ASSERT_TRUE(g_korrin.Start(g_options.korrinExe, error)) << error;
    }
    void TearDown() override {
        g_korrin.Stop();
        EXPECT_EQ(g_plugin.AbiFaults(), 0) << "calls in which an export removed its own arguments from the stack";
        UnloadPlugin(g_plugin);
    }
};

bool ParseOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--concurrency") {
            g_options.concurrency = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (name == "--dll") {
            g_options.dll = value;
        } else if (name == "--korrin") {
            g_options.korrinExe = value;
        } else if (name == "--broken") {
            g_options.brokenDll = value;
        } else if (name == "--other-machine") {
            g_options.otherMachineDll = value;
        } else if (name == "--keymap") {
            g_options.keymapFile = value;
        } else if (name == "--load-cycles") {
            g_options.loadCycles = std::atoi(value);
        } else {
            return false;
        }
    }
    return !g_options.dll.empty() && !g_options.korrinExe.empty();
}

}  // namespace

const Options& TheOptions() { return g_options; }
const Plugin& ThePlugin() { return g_plugin; }
Korrin& TheKorrin() { return g_korrin; }

}  // namespace e2e

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    if (!e2e::ParseOptions(argc, argv)) {
        std::fprintf(stderr,
                     "usage: korzel_e2e --dll <Korzel.dll> --korrin <korrin.exe> [--broken <dll>]\n"
                     "                  [--other-machine <dll>] [--keymap <file>] [--load-cycles N]\n"
                     "                  [--concurrency] [GoogleTest flags]\n");
        return 2;
    }
    ::testing::AddGlobalTestEnvironment(new e2e::Environment);
    return RUN_ALL_TESTS();
}
