// GoogleTest's view of keystrokes::Diff: EXPECT_TRUE(SameEvents(expected,
// arrived)) << case_name prints both sequences, what is missing and what is
// extra, once.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tests/keystrokes.h"

inline ::testing::AssertionResult SameEvents(const std::vector<keystrokes::Event>& expected,
                                             const std::vector<keystrokes::Event>& arrived) {
    const std::string diff = keystrokes::Diff(expected, arrived);
    if (diff.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << diff;
}
