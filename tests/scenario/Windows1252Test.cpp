// The windows-1252 mapping both ways.
#include <gtest/gtest.h>

#include "scenario/Windows1252.h"

namespace rw::scenario {
namespace {

// Every non-zero byte round trips; the euro sign, the last of the table, a Latin-1 byte and the five
// undefined bytes (kept as C1 controls) have their code points.
TEST(Windows1252Test, EveryNonZeroByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        const char32_t cp = DecodeWindows1252(byte);
        ASSERT_EQ(EncodeWindows1252(cp), byte) << b;
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
    EXPECT_EQ(Windows1252ToUtf8("\x80\x9F\xE9\x81\x8D\x8F\x90\x9D"),
              "\xE2\x82\xAC\xC5\xB8\xC3\xA9\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

// Malformed UTF-8, and the one code point whose byte another owns; zero and characters the code page lacks
// are refusals of the JSON converter's table.
TEST(Windows1252Test, RefusesWhatCannotBeStored) {
    EXPECT_FALSE(EncodeWindows1252(U'\u0080')) << "the euro sign owns byte 0x80";
    EXPECT_EQ(Utf8ToWindows1252(""), "");
    for (const char* bad : {"\xC3", "\xC3\x28", "\xC0\xA9", "\xE0\x80\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xFF", "\x80", "\xE2\x82"}) {
        EXPECT_FALSE(Utf8ToWindows1252(bad)) << ::testing::PrintToString(std::string(bad));
    }
}

}  // namespace
}  // namespace rw::scenario
