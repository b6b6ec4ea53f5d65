// Generated cities: determinism, exact round trip through the writer and reader, and what they contain.
#include "city/CityGenerator.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <set>
#include <vector>

#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "city/TileCodes.h"
#include "city/WriteCityFile.h"

namespace rw::city {
namespace {

// The pathfinder's set, kept here so that the city tests do not depend on the route library.
bool IsDrivable(int code) {
    return (code >= 29 && code <= 43) || (code >= 63 && code <= 70) || (code >= 73 && code <= 91) ||
           (code >= 93 && code <= 107);
}

int TunnelField(const CityData& city, int x, int y) {
    return (city.altitude[TileIndex(x, y)] & 0x7C00) >> 10;
}

struct Generated {
    std::unique_ptr<CityData> city;
    GeneratedCityInfo info;
};

Generated Make(std::uint64_t seed, RoadDensity roads = RoadDensity::Normal) {
    Generated g;
    CityGeneratorOptions options;
    options.seed = seed;
    options.roads = roads;
    options.name = "Seed " + std::to_string(seed);
    g.city = std::make_unique<CityData>(GenerateCity(options, &g.info));
    return g;
}

// Breadth-first search from the west portal over road tiles and tiles with a tunnel field; counts the
// road tiles reached. With withTunnel false the tunnel's inner tiles are closed.
int RoadTilesReached(const CityData& city, const GeneratedCityInfo& info, bool withTunnel) {
    std::vector<bool> seen(kTileCount, false);
    std::deque<std::pair<int, int>> queue{{info.westPortalX, info.westPortalY}};
    seen[TileIndex(info.westPortalX, info.westPortalY)] = true;
    int reached = 0;
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        reached += IsRoadTile(city.buildings[TileIndex(x, y)]) ? 1 : 0;
        for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
            if (nx < 0 || nx > 127 || ny < 0 || ny > 127 || seen[TileIndex(nx, ny)]) {
                continue;
            }
            const int field = TunnelField(city, nx, ny);
            if (IsRoadTile(city.buildings[TileIndex(nx, ny)]) || (withTunnel && field > 1)) {
                seen[TileIndex(nx, ny)] = true;
                queue.emplace_back(nx, ny);
            }
        }
    }
    return reached;
}

int RoadTileCount(const CityData& city) {
    int count = 0;
    for (std::uint8_t code : city.buildings) {
        count += IsRoadTile(code) ? 1 : 0;
    }
    return count;
}

// Travels by the pathfinder's rules (surface steps onto drivable codes, tunnel steps from a portal or
// inside a tunnel onto tiles with a tunnel field) and tells whether `to` is reached from `from`.
bool Drivable(const CityData& city, std::pair<int, int> from, std::pair<int, int> to) {
    std::vector<bool> seen(kTileCount, false);
    std::deque<std::tuple<int, int, bool>> queue{{from.first, from.second, false}};
    seen[TileIndex(from.first, from.second)] = true;
    while (!queue.empty()) {
        const auto [x, y, inTunnel] = queue.front();
        queue.pop_front();
        if (std::pair{x, y} == to) {
            return true;
        }
        const bool portal = TunnelField(city, x, y) == 1;
        for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
            if (nx < 0 || nx > 127 || ny < 0 || ny > 127 || seen[TileIndex(nx, ny)]) {
                continue;
            }
            if ((portal || inTunnel) && TunnelField(city, nx, ny) != 0) {
                seen[TileIndex(nx, ny)] = true;
                queue.emplace_back(nx, ny, true);
            } else if ((portal || !inTunnel) && IsDrivable(city.buildings[TileIndex(nx, ny)])) {
                seen[TileIndex(nx, ny)] = true;
                queue.emplace_back(nx, ny, false);
            }
        }
    }
    return false;
}

const std::vector<std::uint64_t> kSeeds{1, 2, 3, 17, 2024};
const std::vector<RoadDensity> kDensities{RoadDensity::Sparse, RoadDensity::Normal, RoadDensity::Dense};

TEST(CityGeneratorTest, SameOptionsGiveTheSameCity) {
    const auto a = Make(5);
    const auto b = Make(5);
    const auto c = Make(6);
    EXPECT_TRUE(*a.city == *b.city);
    EXPECT_FALSE(*a.city == *c.city);
    EXPECT_NE(a.city->buildings, c.city->buildings);
}

TEST(CityGeneratorTest, CitiesLoadBackToExactlyTheirLayers) {
    CityMap map;
    for (const RoadDensity density : kDensities) {
        for (const std::uint64_t seed : kSeeds) {
            const auto g = Make(seed, density);
            ASSERT_TRUE(LoadCityBytes(map, EncodeCityFile(*g.city), "unused")) << seed;
            auto loaded = std::make_unique<CityData>();
            map.CopyTo(*loaded);
            EXPECT_TRUE(*loaded == *g.city) << seed;
            EXPECT_EQ(map.Name(), "Seed " + std::to_string(seed));
            EXPECT_EQ(map.Building(70, 3), g.city->buildings[TileIndex(70, 3)]);
        }
    }
}

TEST(CityGeneratorTest, WrittenFileLoadsFromDisk) {
    const auto g = Make(9);
    const auto path = std::filesystem::temp_directory_path() / "rw_city_generator_test.urb";
    ASSERT_TRUE(WriteCityFile(*g.city, path.string()));
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));
    CityMap map;
    ASSERT_TRUE(LoadCityFile(map, path.string()));
    auto loaded = std::make_unique<CityData>();
    map.CopyTo(*loaded);
    EXPECT_TRUE(*loaded == *g.city);
    std::filesystem::remove(path);
    EXPECT_FALSE(WriteCityFile(*g.city, "/nonexistent/folder/city.urb"));
}

TEST(CityGeneratorTest, RoadCodesPassPlacementAndPathfinding) {
    for (const RoadDensity density : kDensities) {
        for (const std::uint64_t seed : kSeeds) {
            const auto g = Make(seed, density);
            std::set<int> transportOnly;
            for (std::uint8_t code : g.city->buildings) {
                if (IsRoadTile(code)) {
                    ASSERT_TRUE(IsDrivable(code)) << int{code};
                }
                if (IsTransportTile(code) && !IsRoadTile(code)) {
                    transportOnly.insert(code);
                }
            }
            EXPECT_FALSE(transportOnly.empty()) << "no white tile that is not a road, seed " << seed;
        }
    }
}

TEST(CityGeneratorTest, RoadNetworkIsConnectedOnlyThroughTheTunnel) {
    for (const RoadDensity density : kDensities) {
        for (const std::uint64_t seed : kSeeds) {
            const auto g = Make(seed, density);
            const int roads = RoadTileCount(*g.city);
            EXPECT_EQ(RoadTilesReached(*g.city, g.info, true), roads) << seed;
            EXPECT_LT(RoadTilesReached(*g.city, g.info, false), roads) << seed;
        }
    }
}

TEST(CityGeneratorTest, TunnelHasPortalsAtBothEndsAndCarriesTraffic) {
    for (const std::uint64_t seed : kSeeds) {
        const auto g = Make(seed);
        const CityData& city = *g.city;
        const auto& info = g.info;
        EXPECT_EQ(TunnelField(city, info.westPortalX, info.westPortalY), 1);
        EXPECT_EQ(TunnelField(city, info.eastPortalX, info.eastPortalY), 1);
        EXPECT_TRUE(IsRoadTile(city.buildings[TileIndex(info.westPortalX, info.westPortalY)]));
        EXPECT_TRUE(IsRoadTile(city.buildings[TileIndex(info.eastPortalX, info.eastPortalY)]));
        const int dx = info.riverAcrossX ? 1 : 0, dy = info.riverAcrossX ? 0 : 1;
        int underWater = 0;
        for (int step = 1; step < info.tunnelLength - 1; ++step) {
            const int x = info.westPortalX + dx * step, y = info.westPortalY + dy * step;
            EXPECT_GT(TunnelField(city, x, y), 1);
            EXPECT_FALSE(IsDrivable(city.buildings[TileIndex(x, y)]));
            underWater += (city.bits[TileIndex(x, y)] & 4) != 0 ? 1 : 0;
        }
        EXPECT_GT(underWater, 0);
        EXPECT_EQ(info.eastPortalX, info.westPortalX + dx * (info.tunnelLength - 1));
        // Far corners of the two banks reach each other by the pathfinder's rules.
        std::pair<int, int> west{-1, -1}, east{-1, -1};
        for (int i = 0; i < 128 && (west.first < 0 || east.first < 0); ++i) {
            for (int j = 0; j < 128; ++j) {
                const int x = info.riverAcrossX ? i : j, y = info.riverAcrossX ? j : i;
                const int across = info.riverAcrossX ? x : y;
                if (IsRoadTile(city.buildings[TileIndex(x, y)])) {
                    if (west.first < 0 && across < 40) {
                        west = {x, y};
                    }
                    if (across > 100) {
                        east = {x, y};
                    }
                }
            }
        }
        ASSERT_GE(west.first, 0);
        ASSERT_GE(east.first, 0);
        EXPECT_TRUE(Drivable(city, west, east)) << seed;
    }
}

TEST(CityGeneratorTest, CityHasTerrainWaterZonesBuildingsAndLocations) {
    const std::set<int> locationCodes{200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212, 213,
                                      214, 215, 216, 217, 218, 243, 245, 248, 251, 252, 253, 254, 255};
    for (const std::uint64_t seed : kSeeds) {
        const auto g = Make(seed);
        const CityData& city = *g.city;
        std::set<int> heights, zones, small, locations;
        int water = 0;
        for (std::size_t i = 0; i < kTileCount; ++i) {
            const int code = city.buildings[i];
            heights.insert(city.altitude[i] & 31);
            EXPECT_EQ(city.altitude[i] & ~0x7C1F, 0);
            if ((city.bits[i] & 4) != 0) {
                ++water;
                EXPECT_EQ(code, 0);
            }
            zones.insert(city.zones[i] & 15);
            if (code >= 1 && code <= 12) {
                small.insert(code);
            }
            if (code >= 200) {
                EXPECT_TRUE(locationCodes.count(code)) << code;
                locations.insert(code);
            }
        }
        EXPECT_GE(heights.size(), 6u);
        EXPECT_GT(water, 500);
        for (int z = 1; z <= 9; ++z) {
            EXPECT_TRUE(zones.count(z)) << "zone " << z << " seed " << seed;
        }
        EXPECT_EQ(small.size(), 12u);
        EXPECT_GE(locations.size(), 5u);
        EXPECT_EQ(city.misc[0], kMiscCheckValue);
    }
}

TEST(CityGeneratorTest, DenseRoadsReachNearlyEveryPartOfTheMap) {
    const auto sparse = Make(11, RoadDensity::Sparse);
    const auto normal = Make(11, RoadDensity::Normal);
    const auto dense = Make(11, RoadDensity::Dense);
    EXPECT_LT(RoadTileCount(*sparse.city), RoadTileCount(*normal.city));
    EXPECT_LT(RoadTileCount(*normal.city), RoadTileCount(*dense.city));
    // Every 8 x 8 square outside the river band holds a road.
    int squares = 0, withRoad = 0;
    for (int sx = 0; sx < 16; ++sx) {
        for (int sy = 0; sy < 16; ++sy) {
            bool road = false;
            for (int x = sx * 8; x < sx * 8 + 8; ++x) {
                for (int y = sy * 8; y < sy * 8 + 8; ++y) {
                    road = road || IsRoadTile(dense.city->buildings[TileIndex(x, y)]);
                }
            }
            ++squares;
            withRoad += road ? 1 : 0;
        }
    }
    EXPECT_GE(withRoad * 100 / squares, 80);
}

}  // namespace
}  // namespace rw::city
