// The plug-in never touches the heap: every path of HandleKey and
// AreYouInFocus, counted through a replaced operator new.
#include <gtest/gtest.h>

#include "plugin/korzel_plugin.h"
#include "tests/alloc_counter.h"
#include "tests/expected.h"
#include "tests/standin/desktop.h"

namespace {

TEST(Allocations, NoPathAllocates) {
    struct Case {
        const char* name;
        bool primary;
        bool secondary;
        bool targetInFront;
        int alternate, keyCode, eventKind;
        bool handled;
    };
    const Case cases[] = {
        {"posted key, primary", true, false, false, 0, 23, 1, true},
        {"posted key, secondary only", false, true, false, 0, 25, 2, true},
        {"Ctrl chord", true, false, true, 0, 35, 1, true},
        {"Alt+Enter", true, false, true, 0, 48, 1, true},
        {"unmapped code", true, false, true, 0, 30, 1, false},
        {"other event kind", true, false, true, 0, 23, 3, false},
        {"alternate", true, false, true, 1, 23, 1, false},
        {"no target window", false, false, false, 0, 23, 1, false},
    };
    for (const Case& c : cases) {
        desktop::Reset();
        HWND bystander = desktop::AddWindow("Bystander");
        HWND target = c.primary ? desktop::AddWindow(expected::kPrimaryClass)
                                : (c.secondary ? desktop::AddWindow(expected::kSecondaryClass) : nullptr);
        desktop::SetForeground(c.targetInFront ? target : bystander);
        desktop::KeepEvents(false);  // the stand-in only counts, so any allocation is the plug-in's

        const std::uint64_t before = alloc_counter::Allocations();
        int handled = 0, inFocus = 0;
        for (int i = 0; i < 1000; ++i) {
            handled += HandleKey(c.alternate, c.keyCode, c.eventKind);
            inFocus += AreYouInFocus();
        }
        const bool expectFocus = c.targetInFront && (c.primary || c.secondary);
        const std::uint64_t allocations = alloc_counter::Allocations() - before;
        EXPECT_EQ(allocations, 0u) << c.name;
        // The calls did their work, so the count above means something.
        EXPECT_EQ(handled, c.handled ? 1000 : 0) << c.name;
        EXPECT_EQ(inFocus, expectFocus ? 1000 : 0) << c.name;
        EXPECT_EQ(desktop::TakeCounts().lookups, static_cast<std::uint64_t>(2000 * (c.primary ? 1 : 2))) << c.name;
    }
    desktop::Reset();
}

}  // namespace
