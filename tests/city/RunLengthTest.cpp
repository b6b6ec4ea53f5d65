// The run-length code: control bytes, the ends of data and destination, and the encoder's round trip.
#include "city/RunLength.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace rw::city {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(RunLengthTest, DecodeControlBytesAndEnds) {
    constexpr std::uint8_t F = 0x5A;  // the destination's bytes before the decode
    const struct {
        Bytes data;
        std::size_t capacity;
        bool ok;
        Bytes want;  // the destination after a successful decode
    } cases[] = {
        {{128, 7}, 1, true, {7}},                                // 128: a run of one
        {{255, 9}, 128, true, Bytes(128, 9)},                    // 255: a run of 128
        {{0, 2, 1, 2, 0, 0, 129, 3}, 5, true, {1, 2, 3, 3, F}},  // 0 does nothing; literals; short decode
        {{130, 1}, 6, true, {1, 1, 1, F, F, F}},                 // short decode keeps the rest
        {{}, 6, true, Bytes(6, F)},                              //
        {{2, 1, 2}, 2, true, {1, 2}},                            // exactly full
        {{1, 4, 130}, 10, false, {}},                            // missing run value byte
        {{5, 1, 2}, 10, false, {}},                              // literal beyond the data
        {{129, 1, 0}, 2, false, {}},                             // left over, even a 0, when full
        {{2, 1, 2, 128, 3}, 2, false, {}},                       //
        {{136, 7, 131, 8}, 10, false, {}},                       // run past the destination
        {{4, 1, 2, 3, 4}, 3, false, {}},                         // literal past the destination
        {{128, 1}, 0, false, {}}                                 //
    };
    for (const auto& c : cases) {
        // The destination sits between guard bytes that must never change.
        Bytes buffer(c.capacity + 16, 0xEE);
        std::fill(buffer.begin() + 8, buffer.end() - 8, F);
        EXPECT_EQ(DecodeRunLength(c.data, std::span(buffer).subspan(8, c.capacity)), c.ok)
            << testing::PrintToString(c.data);
        if (c.ok) {
            EXPECT_EQ(Bytes(buffer.begin() + 8, buffer.end() - 8), c.want);
        }
        EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 8), Bytes(8, 0xEE));
        EXPECT_EQ(Bytes(buffer.end() - 8, buffer.end()), Bytes(8, 0xEE));
    }
}

// The round trip is the fuzz target's; here the encoder's code lengths.
TEST(RunLengthTest, EncoderUsesItsLongestCodes) {
    Bytes noisy(1000);
    std::mt19937 random(7);
    std::ranges::generate(noisy, [&] { return static_cast<std::uint8_t>(random() % 256); });
    EXPECT_EQ(EncodeRunLength(Bytes(128, 4)), (Bytes{255, 4}));
    EXPECT_EQ(EncodeRunLength(Bytes(16384, 0)).size(), 256u);
    EXPECT_EQ(EncodeRunLength(noisy).size(), 1000u + 8u);  // 127-byte literals
}

// The faster prefix decode must agree with the exact one on the decoded bytes, their count and every
// failure, and never write outside the destination, whatever the data (long steps near either end too).
TEST(RunLengthTest, PrefixDecodeAgreesWithTheExactDecode) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 400; ++trial) {
        // Random bytes still hold valid steps often enough to decode far.
        Bytes data(static_cast<std::size_t>(random() % 600));
        std::ranges::generate(data, [&] { return static_cast<std::uint8_t>(random() % 256); });
        if (trial % 2 == 0) {
            Bytes plain;
            while (plain.size() < static_cast<std::size_t>(random() % 2000)) {
                plain.insert(plain.end(), static_cast<std::size_t>(random() % 140 + 1),
                             static_cast<std::uint8_t>(random() % (trial % 4 == 0 ? 2 : 256)));
            }
            data = EncodeRunLength(plain);
        }
        const std::size_t capacity = static_cast<std::size_t>(random() % 2100);
        Bytes exact(capacity + 32, 0xEE), prefix = exact;
        const bool ok = DecodeRunLength(data, std::span(exact).subspan(16, capacity));
        const auto count = DecodeRunLengthPrefix(data, std::span(prefix).subspan(16, capacity));
        ASSERT_EQ(count.has_value(), ok) << trial;
        EXPECT_EQ(Bytes(prefix.begin(), prefix.begin() + 16), Bytes(16, 0xEE)) << trial;
        EXPECT_EQ(Bytes(prefix.end() - 16, prefix.end()), Bytes(16, 0xEE)) << trial;
        if (ok) {
            const auto end = exact.begin() + 16 + static_cast<std::ptrdiff_t>(*count);
            EXPECT_EQ(Bytes(prefix.begin() + 16, prefix.begin() + 16 + static_cast<std::ptrdiff_t>(*count)),
                      Bytes(exact.begin() + 16, end))
                << trial;
            EXPECT_EQ(Bytes(end, exact.end() - 16), Bytes(capacity - *count, 0xEE)) << trial;  // none more
        }
    }
}

}  // namespace
}  // namespace rw::city
