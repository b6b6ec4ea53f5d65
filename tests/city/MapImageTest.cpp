// The map colour rules in order, and where a tile's colour lands in the bottom-up picture.
#include "city/MapImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "city/CityMap.h"
#include "res/BlankMap.h"

namespace rw::city {
namespace {

constexpr std::uint16_t kTunnel2 = 2 << 10;
constexpr std::uint8_t kWaterBit = 4;

// Shorter name for the rule under test: (route, altitude word, building code, zone byte, flag byte).
std::uint8_t Colour(bool route, std::uint16_t altitude, std::uint8_t building, std::uint8_t zone,
                    std::uint8_t bits) {
    return TileColour(route, altitude, building, zone, bits);
}

TEST(MapColours, EachRuleBeatsTheNext) {
    // Route over tunnel, tunnel over water and buildings, water over zones, buildings over zones.
    EXPECT_EQ(Colour(true, kTunnel2, 81, 1, kWaterBit), 253);
    EXPECT_EQ(Colour(false, kTunnel2, 81, 1, kWaterBit), 60);
    EXPECT_EQ(Colour(false, 1 << 10, 0, 0, 0), 60);   // a portal
    EXPECT_EQ(Colour(false, 31 << 10, 5, 0, 0), 60);  // the highest field value
    EXPECT_EQ(Colour(false, 0, 0, 3, kWaterBit), 36);
    EXPECT_EQ(Colour(false, 0, 0, 3, 0), 47);
    EXPECT_EQ(Colour(false, 0, 81, 3, kWaterBit), 63);  // the flag only counts without a building
    EXPECT_EQ(Colour(false, 0, 5, 3, 0), 28);
    EXPECT_EQ(Colour(false, 0, 12, 3, 0), 86);
}

TEST(MapColours, BuildingCodeBoundaries) {
    EXPECT_EQ(Colour(false, 0, 1, 0, 0), 28);
    EXPECT_EQ(Colour(false, 0, 5, 0, 0), 28);
    EXPECT_EQ(Colour(false, 0, 6, 0, 0), 86);
    EXPECT_EQ(Colour(false, 0, 12, 0, 0), 86);
    EXPECT_EQ(Colour(false, 0, 13, 0, 0), 211);  // ground
    EXPECT_EQ(Colour(false, 0, 28, 2, 0), 87);   // ground: zone colour
    EXPECT_EQ(Colour(false, 0, 29, 2, 0), 63);
    EXPECT_EQ(Colour(false, 0, 73, 2, 0), 63);
    EXPECT_EQ(Colour(false, 0, 90, 2, 0), 87);    // a road, but not drawn as transport
    EXPECT_EQ(Colour(false, 0, 210, 0, 0), 211);  // location buildings take the ground colour
}

TEST(MapColours, GroundIsZoneThenHeight) {
    const std::array<std::uint8_t, 9> zones{230, 87, 47, 39, 126, 122, 16, 16, 16};
    for (std::uint8_t z = 1; z <= 9; ++z) {
        EXPECT_EQ(Colour(false, 7, 0, z, 0), zones[z - 1u]) << int(z);
    }
    EXPECT_EQ(Colour(false, 7, 0, 0x31, 0), 230);  // only the low four bits are the type
    EXPECT_EQ(Colour(false, 7, 0, 0x1A, 0), 218);  // type 10 counts as no zone
    EXPECT_EQ(Colour(false, 7, 0, 0, 0), 218);
    EXPECT_EQ(Colour(false, 0, 0, 0, 0), 211);
    EXPECT_EQ(Colour(false, 9, 0, 0, 0), 220);
    EXPECT_EQ(Colour(false, 31, 0, 0, 0), 220);
    EXPECT_EQ(Colour(false, 0x3E5, 0, 0, 0), 216);  // bits 5-9 are not part of the height
    EXPECT_EQ(Colour(false, 0, 0, 0, 0xFB), 211);   // flags other than bit 2 change nothing
}

TEST(RedrawMap, TileFillsTwoByTwoPixelsBottomUp) {
    const auto city = std::make_unique<CityMap>();
    std::array<std::uint8_t, 128 * 128> route{};
    city->SetBuilding(3, 5, 5);    // columns 6-7, rows 10-11
    route[1 * 128 + 2] = 1;        // tile (1, 2): columns 2-3, rows 4-5
    city->SetAltitude(127, 0, 4);  // top-right corner, height 4
    MapPixels image{};
    image.fill(99);
    RedrawMap(*city, route, image);

    EXPECT_TRUE(std::none_of(image.begin(), image.end(), [](std::uint8_t p) { return p == 99; }));
    for (int c = 6; c <= 7; ++c) {
        for (int r = 10; r <= 11; ++r) {
            EXPECT_EQ(image[static_cast<std::size_t>((255 - r) * 256 + c)], 28);
        }
    }
    EXPECT_EQ(image[PixelIndex(5, 10)], 211);
    EXPECT_EQ(image[PixelIndex(8, 11)], 211);
    EXPECT_EQ(image[PixelIndex(6, 9)], 211);
    EXPECT_EQ(image[PixelIndex(7, 12)], 211);
    // The route map is indexed [x][y]: a swap would mark tile (2, 1) instead.
    EXPECT_EQ(image[PixelIndex(2, 4)], 253);
    EXPECT_EQ(image[PixelIndex(3, 5)], 253);
    EXPECT_EQ(image[PixelIndex(4, 2)], 211);
    EXPECT_EQ(image[PixelIndex(254, 0)], 215);
    EXPECT_EQ(image[255 * 256 + 255], 215);  // the top row is stored last
    EXPECT_EQ(image[255], 211);              // tile (127, 127): stored first
    EXPECT_EQ(std::count(image.begin(), image.end(), std::uint8_t{28}), 4);
    EXPECT_EQ(std::count(image.begin(), image.end(), std::uint8_t{253}), 4);
}

TEST(RedrawMap, BlankPictureIsCopiedWhole) {
    MapPixels image{};
    ShowBlankMapPicture(image);
    const auto blank = res::BlankMapPixels();
    EXPECT_TRUE(std::equal(image.begin(), image.end(), blank.begin(), blank.end()));
}

}  // namespace
}  // namespace rw::city
