// A fresh stand-in desktop per test, and one remote key pressed against it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "plugin/korzel_plugin.h"
#include "tests/expected.h"
#include "tests/keystrokes.h"
#include "tests/same_events.h"
#include "tests/standin/desktop.h"

using expected::kPrimaryClass;
using expected::kSecondaryClass;

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override { desktop::Reset(); }
    void TearDown() override { desktop::Reset(); }

    struct Outcome {
        int result;
        std::vector<keystrokes::Event> events;
        std::string words;
    };

    // One call of the HandleKey export, with what it delivered.
    static Outcome Press(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind) {
        desktop::TakeEvents();
        const int result =
            HandleKey(static_cast<int>(alternate), static_cast<int>(keyCode), static_cast<int>(eventKind));
        auto events = desktop::TakeEvents();
        std::string words = keystrokes::Describe(events);
        return {result, std::move(events), std::move(words)};
    }

    static std::uintptr_t Id(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }
};

// "kind 1 code 23" style names for failure messages.
inline std::string CaseName(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind) {
    char text[96];
    std::snprintf(text, sizeof text, "HandleKey(alternate 0x%X, code 0x%X, kind 0x%X)", alternate, keyCode, eventKind);
    return text;
}
