// Remote keys with Korrin's window behind another window: each call delivers
// exactly what the oracle says, entry by entry, and nothing else; judged
// only once the markers sent after the call have arrived.
#include "tests/e2e/e2e.h"

namespace e2e {
namespace {

struct KeyCase {
    std::uint32_t alternate;
    std::uint32_t keyCode;
    std::uint32_t eventKind;
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << CallName(c.alternate, c.keyCode, c.eventKind); }

class Keys : public E2eTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Keys, DeliverExactlyWhatTheirRowSays) {
    ASSERT_NO_FATAL_FAILURE(Arrange({{"korrin", expected::kPrimaryClass, ""}, {"bystander", "Bystander", ""}}));
    // A posted key reaches Korrin's window even while another is in front.
    ASSERT_NO_FATAL_FAILURE(Front("bystander"));
    const KeyCase& c = GetParam();
    const auto wanted = expected::Events(c.alternate, c.keyCode, c.eventKind, Id(Handle("korrin")));
    const Press press = PressKey(c.alternate, c.keyCode, c.eventKind, "korrin");
    EXPECT_EQ(press.result, wanted.empty() ? 0 : 1);
    EXPECT_TRUE(SameEvents(wanted, press.events));
}

std::vector<KeyCase> EveryKindAndCode() {
    std::vector<KeyCase> cases;
    for (std::uint32_t kind = 0; kind <= 3; ++kind) {
        for (std::uint32_t code = 20; code <= 51; ++code) cases.push_back({0, code, kind});
    }
    return cases;
}

std::string Name(const ::testing::TestParamInfo<KeyCase>& info) {
    const KeyCase& c = info.param;
    return "alternate" + std::to_string(c.alternate) + "_code" + std::to_string(c.keyCode) + "_kind" +
           std::to_string(c.eventKind);
}

// Event kinds 0 to 3 with key codes 20 to 51: every row and its neighbours.
INSTANTIATE_TEST_SUITE_P(EveryKindAndCode, Keys, ::testing::ValuesIn(EveryKindAndCode()), Name);

// Only the low 16 bits of the key code and of the event kind count; bit 15
// is one of them.
INSTANTIATE_TEST_SUITE_P(HighBits, Keys,
                         ::testing::Values(KeyCase{0, 0x10017, 1}, KeyCase{0, 23, 0x10001}, KeyCase{0, 0x8017, 1},
                                           KeyCase{0, 23, 0x8001}, KeyCase{0, 0xFFFF0023, 0x80000001},
                                           KeyCase{0, 0x12340030, 1}, KeyCase{0, 0x10024, 0x10002},
                                           KeyCase{0, 48, 0x10002}, KeyCase{0, 23, 0x10000}),
                         Name);

// A non-zero alternate declines every key, whichever bits are set.
INSTANTIATE_TEST_SUITE_P(Alternate, Keys,
                         ::testing::Values(KeyCase{1, 23, 1}, KeyCase{1, 35, 1}, KeyCase{1, 48, 1}, KeyCase{1, 36, 2},
                                           KeyCase{0x80000000, 23, 1}, KeyCase{0x80000000, 35, 1},
                                           KeyCase{0xFFFFFFFF, 48, 1}, KeyCase{0xFFFFFFFF, 25, 2}),
                         Name);

}  // namespace
}  // namespace e2e
