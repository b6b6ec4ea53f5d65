// The map colour rules in order, where a tile's colour lands in the bottom-up picture, the whole-map redraw
// against the one-tile rule, and the checkpoint squares: geometry, clipping, colours and painting order.
#include "city/MapImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

#include "city/CheckpointMarks.h"
#include "city/CityMap.h"

namespace rw::city {
namespace {

using RouteMap = std::array<std::uint8_t, 128 * 128>;

TEST(MapColours, RulesInOrderAndAtTheirBoundaries) {
    // Altitude bits 10-14 are the tunnel field (0x800: field 2), flag bit 2 (4) marks water.
    // Route over tunnel; tunnel (a portal, field 1, or the highest field 31), tunnel over water and
    // buildings, water over zones (the flag only counts without a building), buildings over zones; then the
    // building code boundaries (90 is a road but not drawn as transport; location buildings take the ground
    // colour); then the ground: zone types 1..9 (low four bits only, 10 counts as none), else 211 + the
    // height (bits 0-4) cut to 9; flags other than bit 2 change nothing.
    EXPECT_EQ(TileColour(true, 0x800, 81, 1, 4), 253);
    const struct {
        std::uint16_t altitude;
        std::uint8_t building, zone, bits, want;
    } cases[] = {
        {0x800, 81, 1, 4, 60}, {0x400, 0, 0, 0, 60}, {0x7C00, 5, 0, 0, 60}, {0, 0, 3, 4, 36},
        {0, 0, 3, 0, 47},      {0, 81, 3, 4, 63},    {0, 5, 3, 0, 28},      {0, 12, 3, 0, 86},
        {0, 1, 0, 0, 28},      {0, 6, 0, 0, 86},     {0, 13, 0, 0, 211},    {0, 28, 2, 0, 87},
        {0, 29, 2, 0, 63},     {0, 73, 2, 0, 63},    {0, 90, 2, 0, 87},     {0, 210, 0, 0, 211},
        {7, 0, 1, 0, 230},     {7, 0, 2, 0, 87},     {7, 0, 3, 0, 47},      {7, 0, 4, 0, 39},
        {7, 0, 5, 0, 126},     {7, 0, 6, 0, 122},    {7, 0, 7, 0, 16},      {7, 0, 8, 0, 16},
        {7, 0, 9, 0, 16},      {7, 0, 0x31, 0, 230}, {7, 0, 0x1A, 0, 218},  {7, 0, 0, 0, 218},
        {9, 0, 0, 0, 220},     {31, 0, 0, 0, 220},   {0x3E5, 0, 0, 0, 216}, {0, 0, 0, 0, 211},
        {0, 0, 0, 0xFB, 211},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TileColour(false, c.altitude, c.building, c.zone, c.bits), c.want)
            << c.altitude << " " << int(c.building) << " " << int(c.zone) << " " << int(c.bits);
    }
}

TEST(RedrawMap, TileFillsTwoByTwoPixelsBottomUp) {
    const auto city = std::make_unique<CityMap>();
    RouteMap route{};
    city->SetBuilding(3, 5, 5);    // columns 6-7, rows 10-11
    route[1 * 128 + 2] = 1;        // tile (1, 2): columns 2-3, rows 4-5
    city->SetAltitude(127, 0, 4);  // top-right corner, height 4
    MapPixels image{};
    RedrawMap(*city, route, image);
    // The route map is [x][y]: a swap would mark tile (2, 1).
    for (const auto& [column, row, want] : std::initializer_list<std::tuple<int, int, int>>{
             {6, 10, 28}, {7, 11, 28}, {5, 10, 211}, {8, 11, 211}, {2, 4, 253}, {4, 2, 211}, {254, 0, 215}}) {
        EXPECT_EQ(image[PixelIndex(column, row)], want) << column << "," << row;
    }
    EXPECT_EQ(image[(255 - 10) * 256 + 6], 28);
    EXPECT_EQ(image[255 * 256 + 255], 215);  // the top row is stored last
    EXPECT_EQ(image[255], 211);              // tile (127, 127): stored first
    EXPECT_EQ(std::count(image.begin(), image.end(), std::uint8_t{28}), 4);
}

// Every tile's four pixels hold exactly TileColour of its layers: every building code many times over, and
// half the tiles empty, over random zones, heights, flags, tunnel fields and route marks.
TEST(RedrawMap, EveryTileFollowsTheTileRule) {
    std::mt19937 rng(3);
    auto city = std::make_unique<CityMap>();
    auto image = std::make_unique<MapPixels>();
    RouteMap route{};
    for (int round = 0; round < 4; ++round) {
        for (int x = 0; x < 128; ++x) {
            for (int y = 0; y < 128; ++y) {
                const auto code = static_cast<std::uint8_t>((x + y * 128 + round) % 256);
                city->SetBuilding(x, y, rng() % 2 == 0 ? code : std::uint8_t{0});
                const unsigned field = rng() % 8 == 0 ? rng() % 32 : 0;
                city->SetAltitude(x, y,
                                  static_cast<std::uint16_t>((field << 10) | (rng() % 32) |
                                                             (rng() % 2 == 0 ? 0x8000u : 0u)));
                city->SetZone(x, y, static_cast<std::uint8_t>(rng() % 256));
                city->SetBits(x, y, static_cast<std::uint8_t>(rng() % 256));
                route[static_cast<std::size_t>(x * 128 + y)] =
                    rng() % 10 == 0 ? static_cast<std::uint8_t>(1 + rng() % 255) : std::uint8_t{0};
            }
        }
        image->fill(static_cast<std::uint8_t>(round));
        RedrawMap(*city, route, *image);
        for (int x = 0; x < 128; ++x) {
            for (int y = 0; y < 128; ++y) {
                const std::uint8_t want =
                    TileColour(route[static_cast<std::size_t>(x * 128 + y)] != 0, city->Altitude(x, y),
                               city->Building(x, y), city->Zone(x, y), city->Bits(x, y));
                for (int p = 0; p < 4; ++p) {
                    ASSERT_EQ((*image)[PixelIndex(2 * x + p % 2, 2 * y + p / 2)], want)
                        << "tile " << x << "," << y;
                }
            }
        }
    }
}

struct Pos {
    int x;
    int y;
};

std::ptrdiff_t CountColour(const MapPixels& image, std::uint8_t colour) {
    return std::count(image.begin(), image.end(), colour);
}

TEST(CheckpointMarks, MarksAtTheCornersAreClippedAndStoredBottomUp) {
    MapPixels image{};
    PaintCheckpointMark(image, 0, 0, false);  // only the bottom-right quarter shows
    EXPECT_EQ(CountColour(image, res::kMarkRedIndex), 4);
    for (const auto& [column, row] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
        EXPECT_EQ(image[PixelIndex(column, row)], res::kMarkRedIndex);
    }
    image = {};
    PaintCheckpointMark(image, 127, 127, true);
    EXPECT_EQ(CountColour(image, res::kMarkOrangeIndex), 16);
    // Row 255 is the first stored row of a bottom-up picture.
    for (const auto& [at, colour] : {std::pair{252, res::kMarkOrangeIndex},
                                     {255, res::kMarkOrangeIndex},
                                     {3 * 256 + 252, res::kMarkOrangeIndex},
                                     {4 * 256 + 252, 0},
                                     {251, 0}}) {
        EXPECT_EQ(image[static_cast<std::size_t>(at)], colour) << at;
    }
}

// The second mark overlaps the selected first one in columns 20-21 and covers it there.
TEST(CheckpointMarks, SelectedIsOrangeAndLaterMarksCoverEarlierOnes) {
    MapPixels image{};
    PaintCheckpointMarks(image, std::vector<Pos>{{10, 10}, {11, 10}, {40, 40}}, 0);
    EXPECT_EQ(image[PixelIndex(18, 18)], res::kMarkOrangeIndex);
    EXPECT_EQ(image[PixelIndex(20, 18)], res::kMarkRedIndex);
    EXPECT_EQ(CountColour(image, res::kMarkOrangeIndex), 8);
    EXPECT_EQ(CountColour(image, res::kMarkRedIndex), 16 + 16);
}

}  // namespace
}  // namespace rw::city
