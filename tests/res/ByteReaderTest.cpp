// Bounds of the shared byte reader and its bulk big-endian path; byte order is held by every file test.
#include "res/ByteReader.h"

#include <gtest/gtest.h>

#include <array>
#include <span>
#include <vector>

using rw::res::ByteReader;

TEST(ByteReader, RefusesReadsPastTheEnd) {
    const std::array<std::uint8_t, 3> bytes{1, 2, 3};
    ByteReader r(bytes);
    EXPECT_FALSE(r.U32LE());
    EXPECT_FALSE(r.Bytes(4));
    EXPECT_FALSE(r.Skip(4));
    EXPECT_FALSE(r.Seek(4));
    EXPECT_TRUE(r.Seek(3));
    EXPECT_FALSE(r.U8());
    EXPECT_FALSE(ByteReader::U32BEAt(bytes, SIZE_MAX - 1));
}

TEST(ByteReader, ReadsBigEndianArraysWholeOrNotAtAll) {
    // 37 words: two whole groups of 16 and a few more, so every path of the bulk conversion runs.
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < 37 * 4 + 1; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(i * 7 + 1));
    }
    ByteReader r(bytes);
    ASSERT_TRUE(r.Seek(1));
    std::vector<std::uint16_t> words(37 * 2, 0xAAAA);
    ASSERT_TRUE(r.U16BEArray(words));
    for (std::size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(words[i], ByteReader::U16BEAt(bytes, 1 + i * 2)) << i;
    }
    EXPECT_EQ(r.Offset(), bytes.size());
    ASSERT_TRUE(r.Seek(1));
    std::vector<std::uint32_t> longs(37, 0xAAAAAAAA);
    ASSERT_TRUE(r.U32BEArray(longs));
    for (std::size_t i = 0; i < longs.size(); ++i) {
        EXPECT_EQ(longs[i], ByteReader::U32BEAt(bytes, 1 + i * 4)) << i;
    }
    // One word too many: nothing is written and the position stays.
    ASSERT_TRUE(r.Seek(2));
    std::vector<std::uint32_t> tooMany(37, 0xAAAAAAAA);
    EXPECT_FALSE(r.U32BEArray(tooMany));
    EXPECT_EQ(tooMany, std::vector<std::uint32_t>(37, 0xAAAAAAAA));
    EXPECT_FALSE(r.U16BEArray(std::span(words).first(74)));
    EXPECT_EQ(r.Offset(), 2u);
    EXPECT_TRUE(r.U16BEArray({}));
}
