// The end-to-end cases' common ground: the real DLL, loaded once into this
// process the way the host loads it, and one stand-in Korrin in a real
// Windows user32 (under Wine here). Each case arranges Korrin's windows,
// asserts the arrangement, calls the plug-in and compares exactly what
// arrived with what the oracle (tests/expected.h) says must arrive.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/expected.h"
#include "tests/keystrokes.h"
#include "tests/same_events.h"
#include "tools/host/korrin_link.h"
#include "tools/host/plugin_loader.h"
#include "tools/host/session.h"

namespace e2e {

// What the command line gave (see main.cpp).
struct Options {
    std::string dll;
    std::string korrinExe;
    std::string brokenDll;        // a plug-in without HandleKey
    std::string otherMachineDll;  // Korzel.dll of the other bitness
    std::string keymapFile;       // where to write the key map, if anywhere
    int loadCycles = 0;           // LoadLibrary/FreeLibrary cycles to check
    bool concurrency = false;     // run the cases with several threads
};
const Options& TheOptions();
const Plugin& ThePlugin();
Korrin& TheKorrin();

std::string Hex(std::uintptr_t value);
inline std::uintptr_t Id(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

// One window of a case's arrangement, all of them Korrin's.
struct Window {
    std::string name;
    std::string className;
    std::string owner;  // the name of the owning window, or ""
};

class E2eTest : public ::testing::Test {
protected:
    // Every case starts with no modifier down and nothing left to report.
    void SetUp() override;
    // Closes this case's windows, newest first; no modifier may be left down.
    void TearDown() override;

    // Creates the windows in order and asserts each one's owner.
    void Arrange(const std::vector<Window>& windows);
    // Brings a window to the front and asserts that it is the foreground
    // window afterwards.
    void Front(const std::string& name);
    // Leaves no foreground window at all, and asserts it.
    void NoForeground();
    HWND Handle(const std::string& name) const;

    // One HandleKey call through the host's checked call, and every report
    // Korrin made because of it, once all of it has arrived.
    Press PressKey(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind, const std::string& target);

private:
    std::vector<std::pair<std::string, HWND>> windows_;
};

// "HandleKey(alternate 0x0, code 0x17, kind 0x1)".
std::string CallName(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind);

}  // namespace e2e
