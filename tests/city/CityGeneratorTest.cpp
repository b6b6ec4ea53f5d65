// Generated cities: the terrain, zones, buildings, locations, roads and tunnel they hold.
#include "city/CityGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "city/LocationNames.h"
#include "city/TileCodes.h"
#include "route/DrivableCode.h"

namespace rw::city {
namespace {

using route::IsDrivableCode;

int TunnelField(const CityData& city, int x, int y) {
    return (city.altitude[TileIndex(x, y)] & 0x7C00) >> 10;
}

// Loading them back is the make-city command's test and the writer's the reader fuzz target's.
TEST(CityGeneratorTest, CitiesHoldABelievableCity) {
    for (const RoadDensity density : {RoadDensity::Sparse, RoadDensity::Normal, RoadDensity::Dense}) {
        for (const std::uint64_t seed : {1u, 2u, 3u, 17u, 2024u}) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " density " << int(density));
            GeneratedCityInfo info;
            const auto owned = std::make_unique<CityData>(GenerateCity({seed, "Seed", density}, &info));
            const CityData& city = *owned;
            // Terrain, water, zones 1..9, all twelve small buildings, a few listed locations.
            std::set<int> heights, zones, small, locations, transportOnly;
            int water = 0;
            for (std::size_t i = 0; i < kTileCount; ++i) {
                const int code = city.buildings[i];
                heights.insert(city.altitude[i] & 31);
                EXPECT_EQ(city.altitude[i] & ~0x7C1F, 0);
                water += (city.bits[i] & 4) != 0 ? 1 : 0;
                EXPECT_TRUE((city.bits[i] & 4) == 0 || code == 0);
                zones.insert(city.zones[i] & 15);
                if (code >= 1 && code <= 12) {
                    small.insert(code);
                }
                if (code >= 200) {
                    EXPECT_TRUE(LocationNameOf(code)) << code;
                    locations.insert(code);
                }
                EXPECT_TRUE(!IsRoadTile(code) || IsDrivableCode(code)) << code;
                if (IsTransportTile(code) && !IsRoadTile(code)) {
                    transportOnly.insert(code);
                }
            }
            EXPECT_GE(heights.size(), 6u);
            EXPECT_GT(water, 500);
            EXPECT_TRUE(std::ranges::includes(zones, std::set{1, 2, 3, 4, 5, 6, 7, 8, 9}))
                << testing::PrintToString(zones);
            EXPECT_EQ(small.size(), 12u);
            EXPECT_GE(locations.size(), 5u);
            EXPECT_FALSE(transportOnly.empty()) << "no white tile that is not a road";

            // The tunnel: portals at both ends, inner tiles with a field above 1, not drivable.
            EXPECT_EQ(TunnelField(city, info.westPortalX, info.westPortalY), 1);
            EXPECT_EQ(TunnelField(city, info.eastPortalX, info.eastPortalY), 1);
            EXPECT_TRUE(IsRoadTile(city.buildings[TileIndex(info.westPortalX, info.westPortalY)]));
            EXPECT_TRUE(IsRoadTile(city.buildings[TileIndex(info.eastPortalX, info.eastPortalY)]));
            const int dx = info.riverAcrossX ? 1 : 0, dy = 1 - dx;
            EXPECT_EQ(info.eastPortalX, info.westPortalX + dx * (info.tunnelLength - 1));
            EXPECT_EQ(info.eastPortalY, info.westPortalY + dy * (info.tunnelLength - 1));
            const int midX = info.westPortalX + dx * info.tunnelLength / 2,
                      midY = info.westPortalY + dy * info.tunnelLength / 2;
            EXPECT_GT(TunnelField(city, midX, midY), 1);
            EXPECT_FALSE(IsDrivableCode(city.buildings[TileIndex(midX, midY)]));
        }
    }
}

}  // namespace
}  // namespace rw::city
