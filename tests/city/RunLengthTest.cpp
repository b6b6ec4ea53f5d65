// The run-length code: control bytes, the ends of data and destination, and the encoder's round trip.
#include "city/RunLength.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "city/DecompressChunk.h"

namespace rw::city {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A destination of the given capacity inside guard bytes that must never change.
struct Guarded {
    explicit Guarded(std::size_t capacity, std::uint8_t fill = 0xEE) : buffer(capacity + 16, fill) {}
    std::span<std::uint8_t> Destination() { return std::span(buffer).subspan(8, buffer.size() - 16); }
    bool GuardsIntact() const {
        for (std::size_t i = 0; i < 8; ++i) {
            if (buffer[i] != 0xEE || buffer[buffer.size() - 1 - i] != 0xEE) {
                return false;
            }
        }
        return true;
    }
    Bytes buffer;
};

TEST(RunLengthTest, RunControlBytes) {
    Bytes one(1);
    EXPECT_TRUE(DecodeRunLength(Bytes{128, 7}, one));
    EXPECT_EQ(one, Bytes{7});

    Bytes many(128);
    EXPECT_TRUE(DecodeRunLength(Bytes{255, 9}, many));
    EXPECT_EQ(many, Bytes(128, 9));
}

TEST(RunLengthTest, LiteralsAndZeroControlBytes) {
    Bytes out(5, 0xAA);
    EXPECT_TRUE(DecodeRunLength(Bytes{0, 2, 1, 2, 0, 0, 129, 3}, out));
    EXPECT_EQ(out, (Bytes{1, 2, 3, 3, 0xAA}));
}

TEST(RunLengthTest, ShortDecodeKeepsTheRestOfTheDestination) {
    Bytes out{5, 5, 5, 5, 5, 5};
    EXPECT_TRUE(DecodeRunLength(Bytes{130, 1}, out));
    EXPECT_EQ(out, (Bytes{1, 1, 1, 5, 5, 5}));
    EXPECT_TRUE(DecodeRunLength(Bytes{}, out));
}

TEST(RunLengthTest, MissingRunValueByteFails) {
    Guarded dest(10);
    EXPECT_FALSE(DecodeRunLength(Bytes{1, 4, 130}, dest.Destination()));
    EXPECT_TRUE(dest.GuardsIntact());
}

TEST(RunLengthTest, LiteralBeyondTheDataFails) {
    Guarded dest(10);
    EXPECT_FALSE(DecodeRunLength(Bytes{5, 1, 2}, dest.Destination()));
    EXPECT_TRUE(dest.GuardsIntact());
}

TEST(RunLengthTest, DataLeftOverWhenTheDestinationIsFullFails) {
    Bytes out(2);
    EXPECT_FALSE(DecodeRunLength(Bytes{129, 1, 0}, out));  // even a trailing 0 counts as left over
    EXPECT_FALSE(DecodeRunLength(Bytes{2, 1, 2, 128, 3}, out));
    EXPECT_TRUE(DecodeRunLength(Bytes{2, 1, 2}, out));  // exactly full
}

TEST(RunLengthTest, NothingIsWrittenPastTheDestination) {
    Guarded run(10);
    EXPECT_FALSE(DecodeRunLength(Bytes{136, 7, 131, 8}, run.Destination()));  // 9 + 4 > 10
    EXPECT_TRUE(run.GuardsIntact());

    Guarded literal(3);
    EXPECT_FALSE(DecodeRunLength(Bytes{4, 1, 2, 3, 4}, literal.Destination()));
    EXPECT_TRUE(literal.GuardsIntact());

    Guarded empty(0);
    EXPECT_FALSE(DecodeRunLength(Bytes{128, 1}, empty.Destination()));
    EXPECT_TRUE(empty.GuardsIntact());
}

TEST(RunLengthTest, EncoderRoundTripsAndLimitsItsCodes) {
    std::mt19937 random(7);
    std::vector<Bytes> inputs{{}, {1}, {1, 1}, {1, 1, 1}, Bytes(128, 4), Bytes(129, 4), Bytes(300, 0)};
    Bytes noisy(1000);
    for (auto& b : noisy) {
        b = static_cast<std::uint8_t>(random() % 256);
    }
    inputs.push_back(noisy);
    Bytes mixed;
    for (int i = 0; i < 200; ++i) {
        mixed.insert(mixed.end(), static_cast<std::size_t>(random() % 6 + 1),
                     static_cast<std::uint8_t>(random() % 3));
    }
    inputs.push_back(mixed);
    for (const Bytes& input : inputs) {
        const Bytes encoded = EncodeRunLength(input);
        Bytes decoded(input.size(), 0x5A);
        EXPECT_TRUE(DecodeRunLength(encoded, decoded)) << input.size();
        EXPECT_EQ(decoded, input);
    }
    EXPECT_EQ(EncodeRunLength(Bytes(128, 4)), (Bytes{255, 4}));
    EXPECT_EQ(EncodeRunLength(Bytes(16384, 0)).size(), 256u);
    EXPECT_EQ(EncodeRunLength(noisy).size(), 1000u + 8u);  // 127-byte literals
}

TEST(DecompressChunkTest, ReadsItsLengthAndFailsOnAShortFile) {
    const Bytes file{129, 6, 0xFF, 0xFF};
    res::ByteReader reader(file);
    Bytes out(2);
    EXPECT_TRUE(DecompressChunk(reader, 2, out));
    EXPECT_EQ(out, (Bytes{6, 6}));
    EXPECT_EQ(reader.Offset(), 2u);
    EXPECT_FALSE(DecompressChunk(reader, 3, out));
    EXPECT_EQ(reader.Offset(), 2u);
}

}  // namespace
}  // namespace rw::city
