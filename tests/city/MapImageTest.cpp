// The map colour rules in order, where a tile's colour lands in the bottom-up picture, the whole-map redraw
// against the one-tile rule, and the checkpoint squares: geometry, clipping, colours and painting order.
#include "city/MapImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <random>
#include <vector>

#include "city/CheckpointMarks.h"
#include "city/CityMap.h"
#include "city/MapPicking.h"

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

// Every tile's four pixels hold exactly TileColour of its layers: every building code many times over, and
// half the tiles empty, over random zones, heights, flags, tunnel fields and route marks. Tile (x, y) covers
// columns 2x, 2x + 1 and rows 2y, 2y + 1 of a picture stored bottom row first.
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
                    const int column = 2 * x + p % 2, row = 2 * y + p / 2;
                    ASSERT_EQ((*image)[static_cast<std::size_t>((255 - row) * 256 + column)], want)
                        << "tile " << x << "," << y;
                }
            }
        }
    }
}

// Marks are clipped at the map's edges; the fourth mark overlaps the selected third in columns 20-21 and
// covers it there.
TEST(CheckpointMarks, ClippedAtTheEdgesAndLaterMarksCoverEarlierOnes) {
    MapPixels image{};
    PaintCheckpointMarks(image, std::vector<MapTile>{{0, 0}, {127, 127}, {10, 10}, {11, 10}}, 2);
    const int red = res::kMarkRedIndex, orange = res::kMarkOrangeIndex;
    const int pixels[][3] = {{0, 0, red},   {1, 1, red},   {252, 255, red},  {255, 252, red},
                             {252, 251, 0}, {251, 255, 0}, {18, 18, orange}, {19, 21, orange},
                             {20, 18, red}, {23, 21, red}, {24, 18, 0},      {17, 18, 0}};
    for (const auto& [column, row, colour] : pixels) {
        EXPECT_EQ(image[PixelIndex(column, row)], colour) << column << "," << row;
    }
    EXPECT_EQ(std::count(image.begin(), image.end(), res::kMarkOrangeIndex), 8);
    EXPECT_EQ(std::count(image.begin(), image.end(), res::kMarkRedIndex), 4 + 16 + 16);
}

}  // namespace
}  // namespace rw::city
