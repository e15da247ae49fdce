// The module as the loader and the host see it: its export table, its
// version block, the two fixed answers, and the calling convention of every
// export.
#include "tests/e2e/e2e.h"
#include "tools/host/identity.h"

namespace e2e {
namespace {

using Module = E2eTest;

TEST_F(Module, ExportsExactlyTheFiveFunctionsByNameAndOrdinal) {
    const HMODULE module = ThePlugin().module;
    std::vector<std::string> table, wanted;
    for (const ExportEntry& entry : ExportTable(module))
        table.push_back("@" + std::to_string(entry.ordinal) + " " + entry.name);
    for (const expected::Export& e : expected::kExports) {
        wanted.push_back("@" + std::to_string(e.ordinal) + " " + e.name);
        const FARPROC byName = GetProcAddress(module, e.name);
        const FARPROC byOrdinal = GetProcAddress(module, MAKEINTRESOURCEA(e.ordinal));
        EXPECT_NE(byName, nullptr) << e.name;
        EXPECT_EQ(byName, byOrdinal) << e.name << ": by name and by ordinal";
    }
    EXPECT_EQ(table, wanted);
    EXPECT_EQ(ExportedModuleName(module), expected::kModuleName);
}

TEST_F(Module, VersionBlockAsAFilePropertiesPageReadsIt) {
    const std::string& dll = TheOptions().dll;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(dll.c_str(), &ignored);
    ASSERT_NE(size, 0u) << "no version block";
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(dll.c_str(), 0, size, block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    auto words = [](DWORD high, DWORD low) {
        return std::vector<unsigned>{HIWORD(high), LOWORD(high), HIWORD(low), LOWORD(low)};
    };
    using V = std::vector<unsigned>;
    EXPECT_EQ(words(fixed->dwFileVersionMS, fixed->dwFileVersionLS),
              V(std::begin(expected::kFileVersion), std::end(expected::kFileVersion)));
    EXPECT_EQ(words(fixed->dwProductVersionMS, fixed->dwProductVersionLS),
              V(std::begin(expected::kProductVersion), std::end(expected::kProductVersion)));
    EXPECT_EQ(fixed->dwFileFlagsMask, expected::kFileFlagsMask);
    EXPECT_EQ(fixed->dwFileFlags, expected::kFileFlags);
    EXPECT_EQ(fixed->dwFileOS, expected::kFileOs);
    EXPECT_EQ(fixed->dwFileType, expected::kFileType);
    EXPECT_EQ(fixed->dwFileSubtype, expected::kFileSubtype);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);

    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    const auto* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], expected::kTranslation[0]);
    EXPECT_EQ(translation[1], expected::kTranslation[1]);

    for (const expected::VersionString& s : expected::kVersionStrings) {
        EXPECT_EQ(VersionString(dll.c_str(), s.name), s.value) << s.name;
    }
}

TEST_F(Module, WhatKeysDoYouWantIsTheSameOnEveryCall) {
    for (int call = 1; call <= 3; ++call)
        EXPECT_EQ(ThePlugin().WhatKeysDoYouWant(), expected::kWantedKeys) << "call " << call;
}

// Whatever argument list the host passes, the answer is 0 and nothing
// reaches Korrin or system input.
TEST_F(Module, EnumerateProgrammableFunctionAnswers0AndSendsNothing) {
    ASSERT_NO_FATAL_FAILURE(Arrange({{"korrin", expected::kPrimaryClass, ""}, {"bystander", "Bystander", ""}}));
    ASSERT_NO_FATAL_FAILURE(Front("korrin"));
    const Plugin& plugin = ThePlugin();
    HWND korrin = Handle("korrin");
    std::string error;
    TheKorrin().Settle(error);
    EXPECT_EQ(plugin.EnumerateProgrammableFunction(), 0);
    EXPECT_EQ(plugin.EnumerateProgrammableFunction(1, 2, 3), 0);
    EXPECT_EQ(plugin.EnumerateProgrammableFunction(korrin, "Korrin", 13209, nullptr, 35, 1), 0);
    const auto lines = TheKorrin().Settle(error);
    ASSERT_EQ(error, "");
    EXPECT_TRUE(SameEvents({}, Korrin::Events(lines, "korrin", Id(korrin))));
}

// Each export called as the host calls it, through the thunk that measures
// the stack pointer: a cdecl export leaves its arguments for the caller to
// remove (0 bytes popped). Configure's call is checked with the About box.
TEST_F(Module, EveryExportLeavesItsArgumentsToTheCaller) {
    ASSERT_NO_FATAL_FAILURE(Arrange({{"bystander", "Bystander", ""}}));
    ASSERT_NO_FATAL_FAILURE(Front("bystander"));
    const Plugin& plugin = ThePlugin();
    const auto enumerate = plugin.enumerateProgrammableFunction;
    struct Case {
        const char* call;
        host_abi::Checked checked;
        int result;
    };
    const Case cases[] = {
        {"WhatKeysDoYouWant()", host_abi::Call(plugin.whatKeysDoYouWant), expected::kWantedKeys},
        {"AreYouInFocus(), no Korrin window", host_abi::Call(plugin.areYouInFocus), 0},
        {"HandleKey(0, 23, 1), no Korrin window", host_abi::Call(plugin.handleKey, 0, 23, 1), 0},
        {"EnumerateProgrammableFunction()", host_abi::Call(enumerate), 0},
        {"EnumerateProgrammableFunction(7)", host_abi::Call(enumerate, 7), 0},
        {"EnumerateProgrammableFunction(1, 2, 3)", host_abi::Call(enumerate, 1, 2, 3), 0},
        {"EnumerateProgrammableFunction(1, 2, 3, 4, 5, 6)", host_abi::Call(enumerate, 1, 2, 3, 4, 5, 6), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.checked.popped, 0) << c.call << ": bytes the plug-in removed from the stack";
        EXPECT_EQ(c.checked.result, c.result) << c.call;
    }
}

}  // namespace
}  // namespace e2e
