// The blank map picture and the palette read from it: size, header fields and the colours the map relies on.
#include "res/BlankMap.h"
#include "res/ByteReader.h"
#include "res/MapPalette.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

using rw::res::ByteReader;
using rw::res::Rgb;

TEST(BlankMap, IsAnUncompressedBottomUp8BitBitmapOf66600Bytes) {
    const auto bytes = rw::res::BlankMapResource();
    ASSERT_EQ(bytes.size(), 66600u);
    ByteReader r(bytes);
    EXPECT_EQ(r.U32LE(), 40u);     // header size
    EXPECT_EQ(r.I32LE(), 256);     // width
    EXPECT_EQ(r.I32LE(), 256);     // height, positive: bottom-up
    EXPECT_EQ(r.U16LE(), 1u);      // planes
    EXPECT_EQ(r.U16LE(), 8u);      // bits per pixel
    EXPECT_EQ(r.U32LE(), 0u);      // no compression
    EXPECT_EQ(r.U32LE(), 65536u);  // image size
    r.Skip(8);                     // resolution
    const auto used = r.U32LE();
    EXPECT_TRUE(used == 0u || used == 256u);  // a full colour table
}

TEST(BlankMap, ViewsPointIntoTheResource) {
    const auto bytes = rw::res::BlankMapResource();
    EXPECT_EQ(rw::res::BlankMapColourTable().data(), bytes.data() + 40);
    EXPECT_EQ(rw::res::BlankMapPixels().data(), bytes.data() + 1064);
    EXPECT_EQ(rw::res::BlankMapPixels().data() + 65536, bytes.data() + bytes.size());
}

TEST(BlankMap, CommittedFileIsTheResourceBehindAFileHeader) {
    std::ifstream in(RW_BLANK_MAP_FILE, std::ios::binary);
    ASSERT_TRUE(in);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(file.size(), 14u + 66600u);
    ByteReader r(file);
    EXPECT_EQ(r.U8(), 'B');
    EXPECT_EQ(r.U8(), 'M');
    EXPECT_EQ(r.U32LE(), 66614u);
    r.Skip(4);
    EXPECT_EQ(r.U32LE(), 14u + 1064u);  // pixel offset within the file
    const auto resource = rw::res::BlankMapResource();
    EXPECT_TRUE(std::equal(resource.begin(), resource.end(), file.begin() + 14));
}

TEST(MapPalette, HoldsEveryColourTheMapDraws) {
    const auto palette = rw::res::MapPalette();
    const std::vector<std::pair<int, Rgb>> expected{
        {253, {0, 255, 0}},    {60, {191, 191, 191}},  {36, {36, 40, 125}},    {63, {255, 255, 255}},
        {28, {238, 138, 76}},  {86, {25, 107, 23}},    {230, {181, 207, 138}}, {87, {33, 128, 28}},
        {47, {203, 208, 246}}, {39, {70, 80, 186}},    {126, {250, 241, 169}}, {122, {235, 207, 17}},
        {16, {32, 30, 47}},    {211, {103, 35, 26}},   {212, {119, 47, 38}},   {213, {135, 60, 51}},
        {214, {151, 72, 63}},  {215, {157, 97, 75}},   {216, {163, 122, 86}},  {217, {178, 131, 91}},
        {218, {192, 140, 96}}, {219, {207, 149, 101}}, {220, {217, 182, 146}},
    };
    for (const auto& [index, rgb] : expected) {
        const Rgb got = palette[static_cast<std::size_t>(index)];
        EXPECT_EQ(got, rgb) << "entry " << index << " is " << int(got.r) << "," << int(got.g) << ","
                            << int(got.b);
    }
}

TEST(MapPalette, MarkColoursHaveReservedEntriesOfTheirOwn) {
    const auto palette = rw::res::MapPalette();
    EXPECT_EQ(palette[rw::res::kMarkRedIndex], (Rgb{255, 0, 0}));
    EXPECT_EQ(palette[rw::res::kMarkOrangeIndex], (Rgb{246, 110, 0}));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        if (i != rw::res::kMarkRedIndex && i != rw::res::kMarkOrangeIndex) {
            EXPECT_NE(palette[i], (Rgb{255, 0, 0})) << i;
            EXPECT_NE(palette[i], (Rgb{246, 110, 0})) << i;
        }
    }
}

TEST(BlankMap, PictureUsesSeveralColoursAndNoneOfTheRouteOrMarkEntries) {
    // The blank picture must not look like a drawn route or checkpoint before any city is loaded.
    std::set<std::uint8_t> used(rw::res::BlankMapPixels().begin(), rw::res::BlankMapPixels().end());
    EXPECT_GT(used.size(), 8u);
    EXPECT_EQ(used.count(253), 0u);
    EXPECT_EQ(used.count(rw::res::kMarkRedIndex), 0u);
    EXPECT_EQ(used.count(rw::res::kMarkOrangeIndex), 0u);
}
