// Generated cities and the checkpoint courses the benchmarks run on.
#include "BenchCity.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "city/CityGenerator.h"
#include "city/TileCodes.h"
#include "route/RoadPathfinder.h"

namespace rw::bench {

namespace {

using scenario::TilePos;

constexpr int kNearest = 6;
constexpr int kFarthest = 24;

// A small fixed generator, so courses do not depend on the standard library's distributions.
struct Lcg {
    std::uint32_t state;
    std::uint32_t Next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

TilePos Tile(int x, int y) {
    return TilePos{static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
}

// The tile the search from start reaches last, and how many tiles it reaches.
std::pair<TilePos, int> Farthest(const city::CityMap& city, TilePos start) {
    auto finder = std::make_unique<route::RoadPathfinder>();
    // A goal off the grid is never met, so the search runs until it has reached everything.
    finder->FindPath(city, start.x, start.y, 1000, 1000);
    const auto& steps = finder->Steps();
    std::size_t best = 0;
    int reached = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        reached += steps[i] != 0 ? 1 : 0;
        if (steps[i] > steps[best]) {
            best = i;
        }
    }
    return {Tile(static_cast<int>(best / 128), static_cast<int>(best % 128)), reached};
}

}  // namespace

city::CityData DenseCityData(std::uint64_t seed) {
    city::CityGeneratorOptions options;
    options.seed = seed;
    options.name = "Bench City";
    options.roads = city::RoadDensity::Dense;
    return city::GenerateCity(options);
}

std::unique_ptr<city::CityMap> DenseCity(std::uint64_t seed) {
    auto map = std::make_unique<city::CityMap>();
    std::array<std::uint32_t, 16> graphMax{};
    graphMax.fill(1);
    map->Replace(DenseCityData(seed), graphMax);
    return map;
}

std::vector<TilePos> RoadTiles(const city::CityMap& city) {
    std::vector<TilePos> roads;
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 128; ++y) {
            if (city::IsRoadTile(city.Building(x, y))) {
                roads.push_back(Tile(x, y));
            }
        }
    }
    return roads;
}

double ReachedShare(const city::CityMap& city) {
    const auto roads = RoadTiles(city);
    return roads.empty() ? 0.0 : Farthest(city, roads.front()).second / (128.0 * 128.0);
}

std::pair<TilePos, TilePos> WorstCaseLegEnds(const city::CityMap& city) {
    const auto roads = RoadTiles(city);
    const TilePos first = Farthest(city, roads.front()).first;
    return {first, Farthest(city, first).first};
}

std::vector<TilePos> TilesNear(const city::CityMap& city, TilePos near, std::uint32_t seed) {
    std::vector<TilePos> tiles;
    for (int x = std::max(0, near.x - kFarthest); x <= std::min(127, near.x + kFarthest); ++x) {
        for (int y = std::max(0, near.y - kFarthest); y <= std::min(127, near.y + kFarthest); ++y) {
            const int distance = std::abs(x - near.x) + std::abs(y - near.y);
            if (distance >= kNearest && distance <= kFarthest && city::IsRoadTile(city.Building(x, y))) {
                tiles.push_back(Tile(x, y));
            }
        }
    }
    Lcg random{seed};
    for (std::size_t i = tiles.size(); i > 1; --i) {
        std::swap(tiles[i - 1], tiles[random.Next() % i]);
    }
    return tiles;
}

std::vector<TilePos> DrivenCourse(const city::CityMap& city, std::size_t count, std::uint32_t seed) {
    const auto roads = RoadTiles(city);
    Lcg random{seed};
    std::vector<TilePos> course{roads[random.Next() % roads.size()]};
    while (course.size() < count) {
        const auto next = TilesNear(city, course.back(), random.Next());
        course.push_back(next.empty() ? roads[random.Next() % roads.size()] : next.front());
    }
    return course;
}

}  // namespace rw::bench
