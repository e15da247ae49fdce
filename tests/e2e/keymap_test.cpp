// The README's key map, written from what the DLL just did (--keymap): the
// readme.keymap test compares it with the README.
#include "tests/e2e/e2e.h"
#include "tools/host/identity.h"

namespace e2e {
namespace {

using KeyMap = E2eTest;

TEST_F(KeyMap, WrittenFromWhatTheDllDid) {
    const std::string& file = TheOptions().keymapFile;
    if (file.empty()) GTEST_SKIP() << "no --keymap given";
    ASSERT_NO_FATAL_FAILURE(Arrange({{"korrin", expected::kPrimaryClass, ""}}));
    const std::vector<KeyRow> rows = PressEveryKey(TheKorrin(), ThePlugin(), "korrin", Handle("korrin"));
    for (const KeyRow& row : rows) {
        EXPECT_EQ(
            row.result,
            expected::Find(static_cast<std::uint32_t>(row.eventKind), static_cast<std::uint32_t>(row.keyCode)) ? 1 : 0)
            << CallName(0, static_cast<std::uint32_t>(row.keyCode), static_cast<std::uint32_t>(row.eventKind));
    }
    EXPECT_TRUE(WriteKeymap(rows, file.c_str())) << file;
}

}  // namespace
}  // namespace e2e
