// Whether Korrin counts as in focus, for arrangements of real windows; and
// which window the platform's search by class gives, which the stand-in
// desktop of the native tests must match.
#include "tests/e2e/e2e.h"

namespace e2e {
namespace {

struct FocusCase {
    const char* name;
    std::vector<Window> windows;
    const char* front;  // null: no foreground window at all
    int inFocus;
};

void PrintTo(const FocusCase& c, std::ostream* out) { *out << c.name; }

class Focus : public E2eTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(Focus, AnswersForTheArrangement) {
    const FocusCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(Arrange(c.windows));
    if (c.front != nullptr) {
        ASSERT_NO_FATAL_FAILURE(Front(c.front));
    } else {
        ASSERT_NO_FATAL_FAILURE(NoForeground());
    }
    EXPECT_EQ(ThePlugin().AreYouInFocus(), c.inFocus);
}

const char* const P = expected::kPrimaryClass;
const char* const S = expected::kSecondaryClass;

const FocusCase kFocusCases[] = {
    {"NeitherClass", {{"bystander", "Bystander", ""}}, "bystander", 0},
    {"PrimaryInFront", {{"primary", P, ""}}, "primary", 1},
    {"PrimaryBehindABystander", {{"primary", P, ""}, {"bystander", "Bystander", ""}}, "bystander", 0},
    {"DialogOfPrimaryInFront", {{"primary", P, ""}, {"dialog", "KorrinDialog", "primary"}}, "dialog", 1},
    {"DialogOfItsDialogInFront",
     {{"primary", P, ""}, {"dialog", "KorrinDialog", "primary"}, {"inner", "KorrinDialog", "dialog"}},
     "inner",
     0},
    {"PrimaryWithNoForegroundWindow", {{"primary", P, ""}}, nullptr, 0},
    {"SecondaryOnlyInFront", {{"secondary", S, ""}}, "secondary", 1},
    {"SecondaryOnlyBehindABystander", {{"secondary", S, ""}, {"bystander", "Bystander", ""}}, "bystander", 0},
    {"DialogOfSecondaryInFront", {{"secondary", S, ""}, {"dialog", "KorrinDialog", "secondary"}}, "dialog", 1},
    {"BothSecondaryInFront", {{"primary", P, ""}, {"secondary", S, ""}}, "secondary", 0},
    {"BothPrimaryInFront", {{"secondary", S, ""}, {"primary", P, ""}}, "primary", 1},
};

INSTANTIATE_TEST_SUITE_P(Arrangements, Focus, ::testing::ValuesIn(kFocusCases),
                         [](const ::testing::TestParamInfo<FocusCase>& info) { return std::string(info.param.name); });

// The platform's search by class, which the plug-in relies on: class names
// match whatever their case, and the search runs from the top of the
// z-order. The native stand-in desktop is held to the answers seen here
// (target_window_test.cpp, "as user32 does").
using Lookup = E2eTest;

struct ZOrderSearch {
    const char* className;
    std::string found;
};

BOOL CALLBACK AddIfOfClass(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ZOrderSearch*>(context);
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search->className) == 0) search->found += (search->found.empty() ? "" : " ") + Hex(Id(window));
    return TRUE;
}

// The top-level windows of a class, top of the z-order first, as
// "0x1234 0x5678".
std::string ZOrder(const char* className) {
    ZOrderSearch search{className, ""};
    EnumWindows(AddIfOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(Lookup, AClassNameInAnotherCaseIsKorrinsClass) {
    // Another application registers the class under a name that differs
    // only in case: a Korrin process of its own, since a process finds its
    // own classes without regard to case too. (The name it reads back is
    // the one first registered on the desktop: class names are atoms.)
    Korrin odd;
    std::string error;
    ASSERT_TRUE(odd.Start(TheOptions().korrinExe, error, "windowsforms10.WINDOW.8.app4")) << error;
    HWND korrin = odd.Started("korrin");
    ASSERT_NE(korrin, nullptr);
    ASSERT_NO_FATAL_FAILURE(Arrange({{"bystander", "Bystander", ""}}));
    ASSERT_NO_FATAL_FAILURE(Front("bystander"));

    EXPECT_EQ(FindWindowA(expected::kPrimaryClass, nullptr), korrin);
    odd.Settle(error);
    EXPECT_EQ(ThePlugin().HandleKey(0, 23, 1), 1);
    EXPECT_TRUE(
        SameEvents(expected::Events(0, 23, 1, Id(korrin)), Korrin::Events(odd.Settle(error), "korrin", Id(korrin))));
    EXPECT_EQ(error, "");
    EXPECT_EQ(Hex(Id(odd.Front("korrin"))), Hex(Id(korrin)));
    odd.Sync();
    EXPECT_EQ(ThePlugin().AreYouInFocus(), 1);
    odd.Stop();
}

// Two windows of the primary class, the second owned by the first. Under
// Wine, bringing the owner to the front puts it above the window it owns,
// so the owner is found and counts as in focus. (Windows keeps an owned
// window above its owner: there the owned window would be found, and the
// answer with the owner in front would be 0.)
TEST_F(Lookup, OfTwoPrimaryWindowsTheTopmostIsFound) {
    struct Step {
        const char* front;
        const char* found;
        int inFocus;
    };
    for (bool owned : {false, true}) {
        ASSERT_NO_FATAL_FAILURE(Arrange({{"main", P, ""}, {"other", P, owned ? "main" : ""}}));
        for (const Step& step : {Step{"main", "main", 1}, Step{"other", "other", 1}, Step{"main", "main", 1}}) {
            const std::string name = std::string(owned ? "owned" : "unrelated") + ", " + step.front + " in front";
            ASSERT_NO_FATAL_FAILURE(Front(step.front));
            const std::string zOrder = ZOrder(P);
            HWND found = FindWindowA(P, nullptr);
            EXPECT_EQ(zOrder.substr(0, zOrder.find(' ')), Hex(Id(found))) << name << ": not the top of " << zOrder;
            EXPECT_EQ(found, Handle(step.found)) << name << "; z-order " << zOrder;
            EXPECT_EQ(ThePlugin().AreYouInFocus(), step.inFocus) << name;
        }
        TearDown();
    }
}

}  // namespace
}  // namespace e2e
