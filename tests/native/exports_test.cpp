// The exports whose answers are fixed, and the About box.
#include "tests/native/fixture.h"

namespace {

TEST_F(DesktopTest, WhatKeysDoYouWantIsAlwaysTheSameMask) {
    desktop::AddWindow(kPrimaryClass);
    for (int call = 0; call < 3; ++call) EXPECT_EQ(WhatKeysDoYouWant(), expected::kWantedKeys);
    EXPECT_TRUE(desktop::TakeLookups().empty());
}

TEST_F(DesktopTest, EnumerateProgrammableFunctionReturns0AndDoesNothing) {
    HWND primary = desktop::AddWindow(kPrimaryClass);
    desktop::SetForeground(primary);
    EXPECT_EQ(EnumerateProgrammableFunction(), 0);
    EXPECT_EQ(EnumerateProgrammableFunction(1, 2, 3), 0);
    EXPECT_EQ(EnumerateProgrammableFunction(primary, "name", 13209, nullptr, 1.5), 0);
    EXPECT_TRUE(desktop::TakeLookups().empty());
    EXPECT_TRUE(desktop::TakeEvents().empty());
    EXPECT_TRUE(desktop::TakeMessageBoxes().empty());
}

TEST_F(DesktopTest, ConfigureShowsTheAboutBoxAndReturnsItsResult) {
    HWND host = desktop::AddWindow("HostMain");
    struct Case {
        HWND owner;
        int boxResult;
    };
    for (const Case& c : {Case{host, IDOK}, Case{nullptr, IDOK}, Case{host, 0}, Case{host, 7}}) {
        desktop::SetMessageBoxResult(c.boxResult);
        EXPECT_EQ(Configure(c.owner), c.boxResult);
        const auto boxes = desktop::TakeMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].owner, c.owner);
        EXPECT_EQ(boxes[0].text, expected::kAboutText);
        EXPECT_EQ(boxes[0].caption, expected::kAboutCaption);
        EXPECT_EQ(boxes[0].type, expected::kAboutStyle) << "a single OK button and no icon";
    }
    EXPECT_TRUE(desktop::TakeLookups().empty());
    EXPECT_TRUE(desktop::TakeEvents().empty());
}

// The words the tests compare rely on Describe being strict: any deviation
// from the exact shapes must come out raw.
TEST(Keystrokes, DescribeNamesOnlyExactShapes) {
    using keystrokes::Injected;
    using keystrokes::Posted;
    struct Case {
        std::vector<keystrokes::Event> events;
        std::string words;
    };
    const Case cases[] = {
        {{}, "nothing"},
        {{Posted(0x10, 0x100, 0x26, 0)}, "WM_KEYDOWN VK_UP posted"},
        {{Posted(0x10, 0x100, 'M', 0)}, "WM_KEYDOWN M posted"},
        {{Posted(0x10, 0x100, 0x26, 1)}, "posted 0x100 wParam 0x26 lParam 0x1 to 0x10"},
        {{Posted(0x10, 0x101, 0x26, 0)}, "posted 0x101 wParam 0x26 lParam 0x0 to 0x10"},
        {{Injected(0x11, 0, 0, 0), Injected('F', 0, 0, 0), Injected('F', 0, 2, 0), Injected(0x11, 0, 2, 0)},
         "Ctrl+F injected"},
        {{Injected(0xA4, 0, 0, 0), Injected(0x0D, 0, 0, 0), Injected(0x0D, 0, 2, 0), Injected(0xA4, 0, 2, 0)},
         "LeftAlt+Enter injected"},
        {{Injected(0x12, 0, 0, 0), Injected(0x0D, 0, 0, 0), Injected(0x0D, 0, 2, 0), Injected(0x12, 0, 2, 0)},
         "Alt+Enter injected"},
        {{Injected(0x11, 0, 0, 0), Injected(0x27, 0, 1, 0), Injected(0x27, 0, 3, 0), Injected(0x11, 0, 2, 0)},
         "injected vk 0x11 scan 0x0 flags 0x0 extra 0x0; injected vk 0x27 scan 0x0 flags 0x1 extra 0x0; "
         "injected vk 0x27 scan 0x0 flags 0x3 extra 0x0; injected vk 0x11 scan 0x0 flags 0x2 extra 0x0"},
        {{Injected(0x11, 0, 0, 0), Injected('F', 0x21, 0, 0), Injected('F', 0, 2, 0), Injected(0x11, 0, 2, 0)},
         "injected vk 0x11 scan 0x0 flags 0x0 extra 0x0; injected vk 0x46 scan 0x21 flags 0x0 extra 0x0; "
         "injected vk 0x46 scan 0x0 flags 0x2 extra 0x0; injected vk 0x11 scan 0x0 flags 0x2 extra 0x0"},
        {{Injected(0x11, 0, 0, 0), Injected('F', 0, 0, 0), Injected(0x11, 0, 2, 0), Injected('F', 0, 2, 0)},
         "injected vk 0x11 scan 0x0 flags 0x0 extra 0x0; injected vk 0x46 scan 0x0 flags 0x0 extra 0x0; "
         "injected vk 0x11 scan 0x0 flags 0x2 extra 0x0; injected vk 0x46 scan 0x0 flags 0x2 extra 0x0"},
    };
    for (const Case& c : cases) EXPECT_EQ(keystrokes::Describe(c.events), c.words);
}

// Every sequence comparison in the tests goes through Diff: it must see any
// difference, and say which events are missing or extra.
TEST(Keystrokes, DiffSeesEveryDifference) {
    using keystrokes::Injected;
    using keystrokes::Posted;
    const std::vector<keystrokes::Event> chord = {Injected(0x11, 0, 0, 0), Injected('F', 0, 0, 0),
                                                  Injected('F', 0, 2, 0), Injected(0x11, 0, 2, 0)};
    struct Case {
        const char* name;
        std::vector<keystrokes::Event> arrived;
        std::vector<std::string> mentions;  // "" when nothing may be reported
    };
    const Case cases[] = {
        {"the same", chord, {}},
        {"nothing arrived", {}, {"missing:", "arrived:\n    nothing"}},
        {"one more",
         {chord[0], chord[1], chord[2], chord[3], Injected(0x11, 0, 0, 0)},
         {"extra:\n    injected vk 0x11"}},
        {"modifier released first", {chord[0], chord[1], chord[3], chord[2]}, {"in another order"}},
        {"extra information",
         {chord[0], Injected('F', 0, 0, 7), chord[2], chord[3]},
         {"missing:\n    injected vk 0x46 scan 0x0 flags 0x0 extra 0x0",
          "extra:\n    injected vk 0x46 scan 0x0 flags 0x0 extra 0x7"}},
        {"posted to another window",
         {Posted(0x20, 0x100, 0x26, 0)},
         {"extra:\n    posted 0x100 wParam 0x26 lParam 0x0 to 0x20"}},
    };
    for (const Case& c : cases) {
        const std::string diff = keystrokes::Diff(chord, c.arrived);
        EXPECT_EQ(diff.empty(), c.mentions.empty()) << c.name << diff;
        for (const std::string& text : c.mentions)
            EXPECT_NE(diff.find(text), std::string::npos) << c.name << ": " << text << diff;
    }
}

}  // namespace
