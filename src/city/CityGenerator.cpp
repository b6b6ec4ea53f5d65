// The synthetic city: terrain, a river with one tunnel under it, a street grid per bank, zones, buildings.
#include "city/CityGenerator.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include "city/CityPlan.h"
#include "city/GeneratedStatistics.h"
#include "city/LayStreets.h"
#include "city/SeededRandom.h"

namespace rw::city {

namespace {

constexpr int kN = kCitySize;
constexpr std::uint16_t kInnerTunnelField = 2;
constexpr std::array<std::uint8_t, 27> kLocationCodes{200, 201, 202, 203, 204, 205, 206, 207, 208,
                                                      209, 210, 211, 212, 213, 214, 215, 216, 217,
                                                      218, 243, 245, 248, 251, 252, 253, 254, 255};

// Smooth values over the map: random lattice values every cell tiles, blended bilinearly, times weight.
void AddNoise(std::array<int, kTileCount>& field, SeededRandom& random, int cell, int weight) {
    const int n = kN / cell + 2;
    std::vector<int> lattice(static_cast<std::size_t>(n * n));
    for (int& value : lattice) {
        value = random.Below(256);
    }
    const auto at = [&](int gx, int gy) { return lattice[static_cast<std::size_t>(gx * n + gy)]; };
    for (int x = 0; x < kN; ++x) {
        for (int y = 0; y < kN; ++y) {
            const int gx = x / cell, fx = x % cell, gy = y / cell, fy = y % cell;
            const int top = at(gx, gy) * (cell - fx) + at(gx + 1, gy) * fx;
            const int bottom = at(gx, gy + 1) * (cell - fx) + at(gx + 1, gy + 1) * fx;
            field[TileIndex(x, y)] += (top * (cell - fy) + bottom * fy) / (cell * cell) * weight;
        }
    }
}

void ShapeLand(CityPlan& w, SeededRandom& random) {
    std::array<int, kTileCount> noise{};
    AddNoise(noise, random, 32, 4);
    AddNoise(noise, random, 16, 2);
    AddNoise(noise, random, 8, 1);
    for (std::size_t i = 0; i < kTileCount; ++i) {
        w.height[i] = 2 + noise[i] * 12 / (255 * 7);
    }
    // The river: its centre wanders between 60 and 68 and its half-width between 2 and 4, so the water
    // stays inside the band between the banks' streets.
    std::array<int, kTileCount> course{};
    AddNoise(course, random, 16, 1);
    for (int v = 0; v < kN; ++v) {
        const int centre = 60 + course[TileIndex(v, 0)] * 8 / 255;
        const int halfWidth = 2 + course[TileIndex(v, 64)] * 2 / 255;
        for (int u = centre - halfWidth; u <= centre + halfWidth; ++u) {
            w.use[w.At(u, v)] = Use::Water;
            w.height[w.At(u, v)] = 1;
        }
    }
}
std::uint8_t RoadCode(const CityPlan& w, const CityData& city, int x, int y) {
    // w.At maps plan coordinates to the tile index, so use[] is indexed like every layer.
    const auto road = [&](int nx, int ny) {
        return nx >= 0 && nx < kN && ny >= 0 && ny < kN && IsRoadLike(w.use[TileIndex(nx, ny)]);
    };
    const bool left = road(x - 1, y), right = road(x + 1, y), up = road(x, y - 1), down = road(x, y + 1);
    const int ways = int{left} + int{right} + int{up} + int{down};
    const std::size_t i = TileIndex(x, y);
    const bool alongX = !up && !down;
    const bool alongY = !left && !right;
    const auto height = [&](int hx, int hy) { return city.altitude[TileIndex(hx, hy)] & 31; };
    if (w.arterial[i]) {
        return ways >= 3 ? 88 : (alongY ? 82 : 81);
    }
    if (ways == 4) {
        return 43;
    }
    if (ways == 3) {
        return !up ? 39 : (!down ? 40 : (!left ? 41 : 42));
    }
    if (alongX) {
        if (right && height(x + 1, y) != height(x, y)) {
            return height(x + 1, y) > height(x, y) ? 93 : 94;
        }
        return 29;
    }
    if (alongY) {
        if (down && height(x, y + 1) != height(x, y)) {
            return height(x, y + 1) > height(x, y) ? 95 : 96;
        }
        return 30;
    }
    return down ? (right ? 35 : 36) : (left ? 37 : 38);
}

// Zone type of the block around (u, v): shops near the tunnel, homes around them, industry further out,
// and some parks; a quarter of the blocks pick any type.
int ZoneOf(const std::array<int, 256>& blockDraw, int u, int v, int mainRow) {
    const int draw = blockDraw[static_cast<std::size_t>((u / 8) * 16 + v / 8)];
    const int centre = u < 64 ? 30 : 98;
    const int distance = std::abs(u - centre) + std::abs(v - mainRow);
    if (draw % 100 < 10) {
        return 0;  // park
    }
    if (draw % 100 < 25) {
        return 1 + draw / 100 % 9;
    }
    const int kind = distance < 24 ? 4 : (distance < 60 ? 1 : 7);
    return kind + draw / 100 % 3;
}

void PlaceBuildings(const CityPlan& w, CityData& city, SeededRandom& random, const StreetGrid& grid,
                    int mainRow) {
    std::array<int, 256> blockDraw{};
    for (int& draw : blockDraw) {
        draw = random.Below(900);
    }
    for (int u = 0; u < kN; ++u) {
        for (int v = 0; v < kN; ++v) {
            const std::size_t i = w.At(u, v);
            if (w.use[i] != Use::Land) {
                continue;
            }
            const bool inTown = u >= grid.lo && u <= grid.hi && v >= grid.lo && v <= grid.hi;
            const bool bank = u < kWestPortal || u > kEastPortal;
            const int zone = inTown && bank ? ZoneOf(blockDraw, u, v, mainRow) : 0;
            city.zones[i] = static_cast<std::uint8_t>(zone);
            if (zone >= 1 && zone <= 3) {
                city.buildings[i] = random.Chance(65) ? static_cast<std::uint8_t>(random.Between(1, 5)) : 0;
            } else if (zone >= 4 && zone <= 6) {
                city.buildings[i] =
                    random.Chance(55) ? static_cast<std::uint8_t>(random.Between(140, 179)) : 0;
            } else if (zone >= 7) {
                city.buildings[i] =
                    random.Chance(50) ? static_cast<std::uint8_t>(random.Between(180, 199)) : 0;
            } else {
                city.buildings[i] =
                    random.Chance(inTown ? 70 : 40) ? static_cast<std::uint8_t>(random.Between(6, 12)) : 0;
            }
        }
    }
}

void PlaceLocations(CityPlan& w, CityData& city, SeededRandom& random) {
    std::array<std::uint8_t, kLocationCodes.size()> codes = kLocationCodes;
    for (std::size_t i = codes.size() - 1; i > 0; --i) {
        std::swap(codes[i], codes[static_cast<std::size_t>(random.Below(static_cast<int>(i + 1)))]);
    }
    int placed = 0;
    for (int tries = 0; tries < 2000 && placed < 10; ++tries) {
        const std::size_t i = w.At(random.Below(kN), random.Below(kN));
        if (w.use[i] == Use::Land) {
            w.use[i] = Use::Location;
            city.buildings[i] = codes[static_cast<std::size_t>(placed++)];
        }
    }
}

void WriteLabel(CityData& city, std::size_t label, std::string_view text) {
    const std::size_t length = std::min<std::size_t>(text.size(), 23);
    city.labels[label * 25] = static_cast<std::uint8_t>(length);
    std::copy_n(text.begin(), length, city.labels.begin() + static_cast<std::ptrdiff_t>(label * 25 + 1));
}

}  // namespace

CityData GenerateCity(const CityGeneratorOptions& options, GeneratedCityInfo* info) {
    SeededRandom random(options.seed);
    const StreetGrid grid = StreetGridFor(options.roads);
    const auto w = std::make_unique<CityPlan>();
    w->transpose = random.Chance(50);
    ShapeLand(*w, random);
    LayStreets(*w, random, grid);
    const int mainRow = w->mainRow;
    LayRails(*w, random, grid);

    CityData city;
    city.name = options.name;
    for (std::size_t i = 0; i < kTileCount; ++i) {
        city.altitude[i] = static_cast<std::uint16_t>(w->height[i]);
    }
    PlaceLocations(*w, city, random);
    PlaceBuildings(*w, city, random, grid, mainRow);
    for (int x = 0; x < kN; ++x) {
        for (int y = 0; y < kN; ++y) {
            const std::size_t i = TileIndex(x, y);
            switch (w->use[i]) {
                case Use::Road:
                    city.buildings[i] = RoadCode(*w, city, x, y);
                    break;
                case Use::Portal:
                    city.buildings[i] = (w->transpose ? y : x) == kWestPortal ? 63 : 64;
                    city.altitude[i] = static_cast<std::uint16_t>(city.altitude[i] | (1u << 10));
                    city.underground[i] = 1;
                    break;
                case Use::Tunnel:
                    city.altitude[i] =
                        static_cast<std::uint16_t>(city.altitude[i] | (kInnerTunnelField << 10));
                    city.underground[i] = 1;
                    break;
                case Use::Water:
                    city.bits[i] = 4;
                    break;
                case Use::Rail:
                    city.buildings[i] = w->transpose ? 74 : 73;
                    break;
                default:
                    break;
            }
            const bool water = w->use[i] == Use::Water || (w->use[i] == Use::Tunnel && w->height[i] == 1);
            if (water) {
                city.bits[i] = 4;
                city.buildings[i] = 0;
            }
            city.terrain[i] = static_cast<std::uint8_t>((w->height[i] & 0x0F) | (water ? 0x10 : 0));
        }
    }
    WriteLabel(city, 1, "Main Street");
    WriteLabel(city, 2, "River Tunnel");
    WriteLabel(city, 3, options.name);
    FillStatistics(city, random);

    if (info != nullptr) {
        const auto tile = [&](int u, int v, int& x, int& y) {
            x = w->transpose ? v : u;
            y = w->transpose ? u : v;
        };
        tile(kWestPortal, mainRow, info->westPortalX, info->westPortalY);
        tile(kEastPortal, mainRow, info->eastPortalX, info->eastPortalY);
        info->tunnelLength = kEastPortal - kWestPortal + 1;
        info->riverAcrossX = !w->transpose;
    }
    return city;
}

}  // namespace rw::city