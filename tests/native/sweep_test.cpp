// Every key code under every interesting event kind and alternate value, on
// each kind of desktop: output only where a row calls for it.
#include <cstdint>

#include "tests/invariants.h"
#include "tests/native/fixture.h"

namespace {

TEST_F(DesktopTest, ExhaustiveSweepOfArgumentsAndDesktops) {
    struct Desk {
        const char* name;
        bool primary;
        bool secondary;
    };
    constexpr Desk kDesks[] = {{"no Korrin window", false, false},
                               {"primary only", true, false},
                               {"secondary only", false, true},
                               {"both classes", true, true}};
    constexpr std::uint32_t kKinds[] = {0, 1, 2, 3, 0xFFFF, 0x10001, 0x10002, 0x80000001};
    constexpr std::uint32_t kAlternates[] = {0, 1, 0x80000000};

    int failures = 0;
    std::uint64_t calls = 0, sent = 0;
    for (const Desk& desk : kDesks) {
        desktop::Reset();
        desktop::SetForeground(desktop::AddWindow("Bystander"));
        HWND secondary = desk.secondary ? desktop::AddWindow(kSecondaryClass) : nullptr;
        HWND primary = desk.primary ? desktop::AddWindow(kPrimaryClass) : nullptr;
        const std::uintptr_t target = Id(primary ? primary : secondary);
        desktop::TakeLookups();
        desktop::KeepEvents(true);
        for (std::uint32_t kind : kKinds) {
            for (std::uint32_t alternate : kAlternates) {
                for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
                    const int result =
                        HandleKey(static_cast<int>(alternate), static_cast<int>(code), static_cast<int>(kind));
                    const auto events = desktop::TakeEvents();
                    const std::string error = invariants::Check({alternate, code, kind, target, false}, result, events);
                    ++calls;
                    sent += static_cast<std::uint64_t>(result);
                    if (!error.empty()) {
                        ADD_FAILURE() << desk.name << ": " << CaseName(alternate, code, kind) << ": " << error;
                        if (++failures >= 20) return;
                    }
                }
                desktop::TakeLookups();
            }
        }
    }
    EXPECT_EQ(calls, 4u * 8u * 3u * 65536u);
    // On each of the three desktops with a Korrin window, with alternate 0:
    // the 19 kind-1 rows under kinds 1, 0x10001 and 0x80000001, and the 4
    // kind-2 rows under kinds 2 and 0x10002.
    EXPECT_EQ(sent, 3u * (3u * 19u + 2u * 4u));
}

}  // namespace
