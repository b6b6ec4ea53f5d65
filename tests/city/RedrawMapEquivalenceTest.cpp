// The whole-map redraw against the one-tile colour rule, over every building code and random layers.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>

#include "city/CityMap.h"
#include "city/MapImage.h"

namespace rw::city {
namespace {

// Every tile's four pixels hold exactly TileColour of its layers; nothing else of the picture is left over.
void ExpectEveryTileByTheRule(const CityMap& city, const std::array<std::uint8_t, 128 * 128>& route,
                              const MapPixels& image) {
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 128; ++y) {
            const std::uint8_t want =
                TileColour(route[static_cast<std::size_t>(x * 128 + y)] != 0, city.Altitude(x, y),
                           city.Building(x, y), city.Zone(x, y), city.Bits(x, y));
            for (const auto& [column, row] : {std::pair{2 * x, 2 * y}, std::pair{2 * x + 1, 2 * y},
                                              std::pair{2 * x, 2 * y + 1}, std::pair{2 * x + 1, 2 * y + 1}}) {
                ASSERT_EQ(image[PixelIndex(column, row)], want) << "tile " << x << "," << y;
            }
        }
    }
}

TEST(RedrawMapEquivalence, RandomLayersFollowTheTileRule) {
    std::mt19937 rng(3);
    auto city = std::make_unique<CityMap>();
    auto image = std::make_unique<MapPixels>();
    std::array<std::uint8_t, 128 * 128> route{};
    for (int round = 0; round < 4; ++round) {
        for (int x = 0; x < 128; ++x) {
            for (int y = 0; y < 128; ++y) {
                // Code (x + y * 128 + round) % 256 walks every building code many times over.
                city->SetBuilding(x, y, static_cast<std::uint8_t>((x + y * 128 + round) % 256));
                const std::uint16_t field = rng() % 8 == 0 ? static_cast<std::uint16_t>(rng() % 32) : 0;
                city->SetAltitude(x, y,
                                  static_cast<std::uint16_t>(static_cast<unsigned>(field << 10) |
                                                             (rng() % 32) | (rng() % 2 == 0 ? 0x8000u : 0u)));
                city->SetZone(x, y, static_cast<std::uint8_t>(rng() % 256));
                city->SetBits(x, y, static_cast<std::uint8_t>(rng() % 256));
                route[static_cast<std::size_t>(x * 128 + y)] =
                    rng() % 10 == 0 ? static_cast<std::uint8_t>(1 + rng() % 255) : std::uint8_t{0};
            }
        }
        image->fill(static_cast<std::uint8_t>(round));
        RedrawMap(*city, route, *image);
        ExpectEveryTileByTheRule(*city, route, *image);
    }
}

// Zero buildings take water or ground by their flag bit; the ground by zone, else by height.
TEST(RedrawMapEquivalence, EmptyTilesOverEveryZoneAndHeight) {
    auto city = std::make_unique<CityMap>();
    auto image = std::make_unique<MapPixels>();
    const std::array<std::uint8_t, 128 * 128> route{};
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 128; ++y) {
            city->SetZone(x, y, static_cast<std::uint8_t>(x * 2 + y));
            city->SetAltitude(x, y, static_cast<std::uint16_t>(y % 32));
            city->SetBits(x, y, static_cast<std::uint8_t>(x % 8));
        }
    }
    RedrawMap(*city, route, *image);
    ExpectEveryTileByTheRule(*city, route, *image);
}

}  // namespace
}  // namespace rw::city
