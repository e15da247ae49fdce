// Finding Korrin's window and answering whether Korrin is in focus.
#include <string>
#include <vector>

#include "target/target_window.h"
#include "tests/native/fixture.h"

namespace {

using Lookups = std::vector<std::string>;

// Which window is the target, and which classes were asked for to find it.
TEST_F(DesktopTest, TargetLookupPrefersThePrimaryClass) {
    struct Case {
        const char* name;
        std::vector<const char*> classes;  // created in this order
        int target;                        // index into classes, or -1 for none
        Lookups lookups;
    };
    const Case cases[] = {
        {"neither class", {"Bystander"}, -1, {kPrimaryClass, kSecondaryClass}},
        {"primary only", {kPrimaryClass}, 0, {kPrimaryClass}},
        {"secondary only", {kSecondaryClass}, 0, {kPrimaryClass, kSecondaryClass}},
        {"both, secondary older", {kSecondaryClass, kPrimaryClass}, 1, {kPrimaryClass}},
        {"both, primary older", {kPrimaryClass, kSecondaryClass}, 0, {kPrimaryClass}},
        // Where a class has several windows, the platform's search finds the
        // top one: here the newest.
        {"two primaries", {kPrimaryClass, kPrimaryClass}, 1, {kPrimaryClass}},
        {"two secondaries", {"Bystander", kSecondaryClass, kSecondaryClass}, 2, {kPrimaryClass, kSecondaryClass}},
    };
    for (const Case& c : cases) {
        desktop::Reset();
        std::vector<HWND> windows;
        for (const char* cls : c.classes) windows.push_back(desktop::AddWindow(cls));
        const HWND expectedTarget = c.target < 0 ? nullptr : windows[static_cast<size_t>(c.target)];

        EXPECT_EQ(korzel::FindTargetWindow(), expectedTarget) << c.name;
        EXPECT_EQ(desktop::TakeLookups(), c.lookups) << c.name << ": FindTargetWindow's lookups";

        // HandleKey and AreYouInFocus make the same lookups: one FindWindowA
        // when a primary window exists, two otherwise.
        AreYouInFocus();
        EXPECT_EQ(desktop::TakeLookups(), c.lookups) << c.name << ": AreYouInFocus's lookups";
        const Outcome outcome = Press(0, 23, 1);
        EXPECT_EQ(desktop::TakeLookups(), c.lookups) << c.name << ": HandleKey's lookups";
        EXPECT_TRUE(SameEvents(expected::Events(0, 23, 1, Id(expectedTarget)), outcome.events)) << c.name;
    }
}

// A target window that closes is no longer found: nothing is cached.
TEST_F(DesktopTest, TargetIsLookedUpAfreshOnEveryCall) {
    HWND secondary = desktop::AddWindow(kSecondaryClass);
    HWND primary = desktop::AddWindow(kPrimaryClass);
    EXPECT_EQ(korzel::FindTargetWindow(), primary);
    desktop::RemoveWindow(primary);
    EXPECT_EQ(korzel::FindTargetWindow(), secondary);
    EXPECT_EQ(Press(0, 24, 1).events.at(0).window, Id(secondary));
    desktop::RemoveWindow(secondary);
    EXPECT_EQ(korzel::FindTargetWindow(), nullptr);
    EXPECT_EQ(Press(0, 24, 1).result, 0);
}

// AreYouInFocus on desktops built from a short script. Windows are named by
// letters: P primary, S secondary, B a bystander application; "x<-y" makes
// window x owned by y.
TEST_F(DesktopTest, FocusIsJudgedAgainstTheTargetWindow) {
    struct Window {
        const char* name;
        const char* cls;
        const char* owner;  // name of an earlier window, or null
    };
    struct Case {
        const char* name;
        std::vector<Window> windows;
        const char* foreground;  // a window's name, or null for no foreground window
        int inFocus;
    };
    const Case cases[] = {
        {"neither class, bystander in front", {{"B", "Bystander", nullptr}}, "B", 0},
        {"neither class, no foreground", {}, nullptr, 0},
        {"primary in front", {{"P", kPrimaryClass, nullptr}}, "P", 1},
        {"primary behind a bystander", {{"P", kPrimaryClass, nullptr}, {"B", "Bystander", nullptr}}, "B", 0},
        {"Korrin's dialog in front", {{"P", kPrimaryClass, nullptr}, {"D", "#32770", "P"}}, "D", 1},
        {"dialog owned by Korrin's dialog",
         {{"P", kPrimaryClass, nullptr}, {"D", "#32770", "P"}, {"E", "#32770", "D"}},
         "E",
         0},
        {"bystander's dialog in front",
         {{"P", kPrimaryClass, nullptr}, {"B", "Bystander", nullptr}, {"D", "#32770", "B"}},
         "D",
         0},
        {"primary, no foreground window", {{"P", kPrimaryClass, nullptr}}, nullptr, 0},
        // A secondary-class target counts by the same rule as a primary one.
        {"secondary in front", {{"S", kSecondaryClass, nullptr}}, "S", 1},
        {"secondary behind a bystander", {{"S", kSecondaryClass, nullptr}, {"B", "Bystander", nullptr}}, "B", 0},
        {"secondary's dialog in front", {{"S", kSecondaryClass, nullptr}, {"D", "#32770", "S"}}, "D", 1},
        {"secondary, dialog of its dialog",
         {{"S", kSecondaryClass, nullptr}, {"D", "#32770", "S"}, {"E", "#32770", "D"}},
         "E",
         0},
        {"secondary, no foreground window", {{"S", kSecondaryClass, nullptr}}, nullptr, 0},
        // With both classes present, only the primary window counts.
        {"both, secondary in front", {{"P", kPrimaryClass, nullptr}, {"S", kSecondaryClass, nullptr}}, "S", 0},
        {"both, secondary's dialog in front",
         {{"P", kPrimaryClass, nullptr}, {"S", kSecondaryClass, nullptr}, {"D", "#32770", "S"}},
         "D",
         0},
        {"both, primary in front", {{"S", kSecondaryClass, nullptr}, {"P", kPrimaryClass, nullptr}}, "P", 1},
        {"both, secondary owned by primary in front",
         {{"P", kPrimaryClass, nullptr}, {"S", kSecondaryClass, "P"}},
         "S",
         1},
    };
    for (const Case& c : cases) {
        desktop::Reset();
        std::vector<std::pair<std::string, HWND>> made;
        auto byName = [&](const char* name) -> HWND {
            for (const auto& [n, w] : made) {
                if (name != nullptr && n == name) return w;
            }
            return nullptr;
        };
        for (const Window& w : c.windows) made.emplace_back(w.name, desktop::AddWindow(w.cls, byName(w.owner)));
        desktop::SetForeground(byName(c.foreground));

        EXPECT_EQ(AreYouInFocus(), c.inFocus) << c.name;
        EXPECT_EQ(AreYouInFocus(), c.inFocus) << c.name << " (asked again)";
        EXPECT_TRUE(desktop::TakeEvents().empty()) << c.name << ": asking about focus sent something";
    }
}

// The stand-in's search by class answers as user32 did under Wine for the
// same arrangements (e2e: Lookup.*): class names match whatever their case,
// and of several windows the top of the z-order is found; bringing an owner
// to the front puts it above the window it owns.
TEST_F(DesktopTest, TargetIsWhatTheSearchByClassFindsAsUser32Does) {
    HWND bystander = desktop::AddWindow("Bystander");
    HWND odd = desktop::AddWindow("windowsforms10.WINDOW.8.app4");
    desktop::SetForeground(bystander);
    EXPECT_EQ(korzel::FindTargetWindow(), odd) << "a class name in another case";
    EXPECT_EQ(AreYouInFocus(), 0) << "odd-case window behind a bystander";
    desktop::SetForeground(odd);
    EXPECT_EQ(AreYouInFocus(), 1) << "odd-case window in front";

    struct Step {
        int front;  // 0: main, 1: other
        int found;
        int inFocus;
    };
    for (bool owned : {false, true}) {
        desktop::Reset();
        HWND main = desktop::AddWindow(kPrimaryClass);
        HWND other = desktop::AddWindow(kPrimaryClass, owned ? main : nullptr);
        const HWND windows[] = {main, other};
        for (const Step& step : {Step{0, 0, 1}, Step{1, 1, 1}, Step{0, 0, 1}}) {
            const std::string name =
                std::string(owned ? "owned" : "unrelated") + (step.front ? ", other" : ", main") + " in front";
            desktop::SetForeground(windows[step.front]);
            EXPECT_EQ(korzel::FindTargetWindow(), windows[step.found]) << name;
            EXPECT_EQ(AreYouInFocus(), step.inFocus) << name;
        }
    }
}

}  // namespace
