// Timings of the road search, whole-course rebuilds and single checkpoint edits.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "city/CityGenerator.h"
#include "city/CityMap.h"
#include "city/MapImage.h"
#include "city/TileCodes.h"
#include "route/RaceRoute.h"
#include "route/RoadPathfinder.h"
#include "scenario/Scenario.h"

namespace {

using rw::scenario::TilePos;

// Every tile a road: a search from one corner to the other reaches all 16,384 tiles before its goal.
std::unique_ptr<rw::city::CityMap> AllRoadCity() {
    auto city = std::make_unique<rw::city::CityMap>();
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 128; ++y) {
            city->SetBuilding(x, y, 29);
        }
    }
    return city;
}

std::unique_ptr<rw::city::CityMap> GeneratedCity() {
    auto city = std::make_unique<rw::city::CityMap>();
    rw::city::CityGeneratorOptions options;
    options.seed = 2024;
    options.roads = rw::city::RoadDensity::Dense;
    std::array<std::uint32_t, 16> graphMax{};
    graphMax.fill(1);
    city->Replace(rw::city::GenerateCity(options), graphMax);
    return city;
}

// Road tiles of city in a fixed scattered order, count of them (repeating when the city has fewer).
std::vector<TilePos> RoadTiles(const rw::city::CityMap& city, std::size_t count) {
    std::vector<TilePos> roads;
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 128; ++y) {
            if (rw::city::IsRoadTile(city.Building(x, y))) {
                roads.push_back(TilePos{static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)});
            }
        }
    }
    std::vector<TilePos> picked;
    std::uint32_t state = 12345;
    while (picked.size() < count) {
        state = state * 1103515245u + 12345u;
        picked.push_back(roads[(state >> 8) % roads.size()]);
    }
    return picked;
}

// The floor a road search can approach: breadth-first over drivable tiles with a flat visited array and a
// fixed ring buffer, no travel modes, no path.
int ReferenceSearch(const rw::city::CityMap& city, int fromX, int fromY, int toX, int toY) {
    static std::array<std::uint16_t, 128 * 128> visited;
    static std::array<std::uint16_t, 128 * 128> ring;
    const auto buildings = city.BuildingLayer();
    visited.fill(0);
    std::size_t head = 0;
    std::size_t tail = 0;
    const int start = fromX * 128 + fromY;
    const int goal = toX * 128 + toY;
    ring[tail++] = static_cast<std::uint16_t>(start);
    visited[static_cast<std::size_t>(start)] = 1;
    while (head != tail) {
        const int index = ring[head++ % ring.size()];
        if (index == goal) {
            return visited[static_cast<std::size_t>(index)];
        }
        const int x = index / 128;
        const int y = index % 128;
        const int neighbours[4] = {x > 0 ? index - 128 : -1, x < 127 ? index + 128 : -1,
                                   y > 0 ? index - 1 : -1, y < 127 ? index + 1 : -1};
        for (const int n : neighbours) {
            if (n >= 0 && visited[static_cast<std::size_t>(n)] == 0 &&
                rw::route::IsDrivableCode(buildings[static_cast<std::size_t>(n)])) {
                visited[static_cast<std::size_t>(n)] =
                    static_cast<std::uint16_t>(visited[static_cast<std::size_t>(index)] + 1);
                ring[tail++ % ring.size()] = static_cast<std::uint16_t>(n);
            }
        }
    }
    return 0;
}

void WorstCaseLeg(benchmark::State& state) {
    const auto city = AllRoadCity();
    auto finder = std::make_unique<rw::route::RoadPathfinder>();
    for (auto _ : state) {
        std::deque<rw::route::PathNode> path;
        benchmark::DoNotOptimize(finder->FindRoadPath(*city, 0, 0, 127, 127, path));
        benchmark::DoNotOptimize(path.size());
    }
}
BENCHMARK(WorstCaseLeg);

void WorstCaseLegReference(benchmark::State& state) {
    const auto city = AllRoadCity();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReferenceSearch(*city, 0, 0, 127, 127));
    }
}
BENCHMARK(WorstCaseLegReference);

// A closed course of state.range(0) checkpoints rebuilt from nothing, as loading a race does.
void FullRebuild(benchmark::State& state) {
    const auto city = GeneratedCity();
    const auto course = RoadTiles(*city, static_cast<std::size_t>(state.range(0)));
    auto route = std::make_unique<rw::route::RaceRoute>();
    auto image = std::make_unique<rw::city::MapPixels>();
    for (auto _ : state) {
        route->ClearCache();
        route->RebuildRoute(*city, course, 0, *image);
    }
}
BENCHMARK(FullRebuild)->Arg(1000)->Unit(benchmark::kMillisecond);

// One checkpoint appended to a closed course of state.range(0) checkpoints, with the leg cache and the map
// redraw; the new tile differs every time so both new legs are searched.
void AddCheckpoint(benchmark::State& state) {
    const auto city = GeneratedCity();
    auto course = RoadTiles(*city, static_cast<std::size_t>(state.range(0)));
    const auto extra = RoadTiles(*city, 4000);
    auto route = std::make_unique<rw::route::RaceRoute>();
    auto image = std::make_unique<rw::city::MapPixels>();
    route->RebuildRoute(*city, course, 0, *image);
    std::size_t next = 0;
    for (auto _ : state) {
        course.push_back(extra[next++ % extra.size()]);
        route->RebuildRoute(*city, course, 0, *image);
        state.PauseTiming();
        course.pop_back();
        route->RebuildRoute(*city, course, 0, *image);
        state.ResumeTiming();
    }
}
BENCHMARK(AddCheckpoint)->Arg(2)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
