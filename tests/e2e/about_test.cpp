// The About box, as a user sees it: owned by the host's window (or by none),
// with the plug-in's text, one OK button and no icon; Configure returns when
// it is closed, with its result.
#include "tests/e2e/e2e.h"

namespace e2e {
namespace {

class About : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "StandInHostMain";
        RegisterClassA(&wc);
        host_ = CreateWindowExA(0, wc.lpszClassName, "Stand-in host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(host_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(host_);
        E2eTest::TearDown();
    }
    HWND host_ = nullptr;
};

TEST_F(About, ShowsTheBoxOwnedByTheGivenWindowAndReturnsOk) {
    for (HWND owner : {host_, static_cast<HWND>(nullptr)}) {
        const std::string name = owner ? "Configure(host window)" : "Configure(null)";
        TheKorrin().Sync();
        TheKorrin().WatchForAbout(expected::kAboutCaption);
        const host_abi::Checked call = host_abi::Call(ThePlugin().configure, owner);
        EXPECT_EQ(call.popped, 0) << name << ": bytes the plug-in removed from the stack";
        EXPECT_EQ(call.result, IDOK) << name << ": the result once OK was pressed";
        std::string seen = "no About box";
        for (const std::string& line : TheKorrin().Sync()) {
            if (line.rfind("about", 0) == 0) seen = line;
        }
        EXPECT_EQ(seen, "about owner " + Hex(Id(owner)) + " buttons 1 ok-id 1 icons 0 button-text [OK] text [" +
                            expected::kAboutText + "]")
            << name;
    }
}

// An owner handle that is no window: Configure passes on whatever the
// platform's message box makes of it (Wine: -1, where Windows documents 0),
// and does not crash.
TEST_F(About, AnOwnerThatIsNoWindowGetsTheMessageBoxsOwnAnswer) {
    HWND bogus = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7FF0DEAC));
    ASSERT_FALSE(IsWindow(bogus));
    TheKorrin().WatchForAbout(expected::kAboutCaption, 3000);
    const int direct = MessageBoxA(bogus, expected::kAboutText, expected::kAboutCaption, expected::kAboutStyle);
    TheKorrin().WatchForAbout(expected::kAboutCaption, 3000);
    EXPECT_EQ(ThePlugin().Configure(bogus), direct);
    TheKorrin().Sync();
}

}  // namespace
}  // namespace e2e
