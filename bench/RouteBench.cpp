// Timings of the road search against a plain breadth-first floor, whole-course rebuilds and single checkpoint
// edits on courses of 1,000 and of 2 checkpoints.
#include <benchmark/benchmark.h>

#include <deque>
#include <memory>
#include <vector>

#include "AllocationCounter.h"
#include "BenchCity.h"
#include "ReferenceSearch.h"
#include "city/MapImage.h"
#include "route/CheckpointList.h"
#include "route/RaceRoute.h"
#include "route/RoadPathfinder.h"

namespace rw::bench {
namespace {

using scenario::TilePos;

constexpr std::uint64_t kCitySeed = 2024;
constexpr std::uint32_t kCourseSeed = 7;
constexpr std::size_t kLongCourse = 1000;
constexpr std::size_t kEditAt = kLongCourse / 2;

const city::CityMap& BenchCity() {
    static const auto city = DenseCity(kCitySeed);
    return *city;
}

const std::vector<TilePos>& LongCourse() {
    static const auto course = DrivenCourse(BenchCity(), kLongCourse, kCourseSeed);
    return course;
}

// Every tile a road: the search from one corner to the other handles all 16,384 tiles.
const city::CityMap& AllRoadCity() {
    static const auto city = [] {
        auto map = std::make_unique<city::CityMap>();
        for (int x = 0; x < 128; ++x) {
            for (int y = 0; y < 128; ++y) {
                map->SetBuilding(x, y, 29);
            }
        }
        return map;
    }();
    return *city;
}

std::pair<TilePos, TilePos> LegEnds(int cityKind) {
    if (cityKind == 0) {
        return {TilePos{0, 0}, TilePos{127, 127}};
    }
    return WorstCaseLegEnds(BenchCity());
}

const city::CityMap& LegCity(int cityKind) {
    return cityKind == 0 ? AllRoadCity() : BenchCity();
}

// Case 1: the longest leg, through FindRoadPath with the caller's path container as the route uses it.
// Argument 0: the all-road map; 1: the dense generated city.
void WorstCaseLeg(benchmark::State& state) {
    const auto& city = LegCity(static_cast<int>(state.range(0)));
    const auto [from, to] = LegEnds(static_cast<int>(state.range(0)));
    auto finder = std::make_unique<route::RoadPathfinder>();
    std::size_t length = 0;
    for (auto _ : state) {
        std::deque<route::PathNode> path;
        benchmark::DoNotOptimize(finder->FindRoadPath(city, from.x, from.y, to.x, to.y, path));
        length = path.size();
    }
    state.counters["pathTiles"] = static_cast<double>(length);
    if (state.range(0) == 1) {
        state.counters["reachedShare"] = ReachedShare(city);
    }
}
BENCHMARK(WorstCaseLeg)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void WorstCaseLegReference(benchmark::State& state) {
    const auto& city = LegCity(static_cast<int>(state.range(0)));
    const auto [from, to] = LegEnds(static_cast<int>(state.range(0)));
    auto search = std::make_unique<ReferenceSearch>();
    int length = 0;
    for (auto _ : state) {
        length = search->Run(city, from.x, from.y, to.x, to.y);
        benchmark::DoNotOptimize(length);
    }
    state.counters["pathTiles"] = length;
}
BENCHMARK(WorstCaseLegReference)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Case 2: the 1,000-checkpoint closed course routed from nothing, as loading a race does.
void RebuildFromScratch(benchmark::State& state) {
    const auto& city = BenchCity();
    const auto& course = LongCourse();
    auto route = std::make_unique<route::RaceRoute>();
    auto image = std::make_unique<city::MapPixels>();
    for (auto _ : state) {
        route->ClearCache();
        route->RebuildRoute(city, course, 0, *image);
    }
    state.counters["searches/iter"] =
        benchmark::Counter(static_cast<double>(route->SearchCount()), benchmark::Counter::kAvgIterations);
}
BENCHMARK(RebuildFromScratch)->Unit(benchmark::kMillisecond);

// Case 3: one edit and its rebuild with the map redraw, on the long closed course (argument 1000) and on the
// two checkpoints of it that border the edit (argument 2), so both searches the same legs. The new tile is a
// road tile a few streets away, a different one each time; the course is put back untimed and the legs only
// the edit used are forgotten, so every timed edit searches.
struct EditBench {
    explicit EditBench(const std::vector<TilePos>& checkpoints) {
        scenario.laps = 0;
        Restore(checkpoints);
    }
    void Rebuild() { route->RebuildRoute(BenchCity(), scenario.checkpoints, scenario.laps, *image); }
    void Restore(const std::vector<TilePos>& checkpoints) {
        scenario.checkpoints = checkpoints;
        Rebuild();
        route->DropUnusedLegs();
        searchesBefore = route->SearchCount();
        allocationsBefore = AllocationCount();
    }
    // The searches and heap requests of the timed edits, counted from the last Restore.
    void CountSearches() {
        searches += route->SearchCount() - searchesBefore;
        allocations += AllocationCount() - allocationsBefore;
    }
    void Report(benchmark::State& state) const {
        state.counters["searches/iter"] =
            benchmark::Counter(static_cast<double>(searches), benchmark::Counter::kAvgIterations);
        state.counters["allocs/iter"] =
            benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    }

    scenario::Scenario scenario;
    std::unique_ptr<route::RaceRoute> route = std::make_unique<route::RaceRoute>();
    std::unique_ptr<city::MapPixels> image = std::make_unique<city::MapPixels>();
    std::uint64_t searchesBefore = 0;
    std::uint64_t searches = 0;
    std::uint64_t allocationsBefore = 0;
    std::uint64_t allocations = 0;
};

std::vector<TilePos> Borders(std::size_t before, std::size_t after) {
    return {LongCourse()[before], LongCourse()[after]};
}

void AddCheckpoint(benchmark::State& state) {
    const auto start = state.range(0) == 2 ? Borders(0, kLongCourse - 1) : LongCourse();
    EditBench bench(start);
    const auto tiles = TilesNear(BenchCity(), LongCourse().back(), 1);
    std::size_t next = 0;
    for (auto _ : state) {
        const TilePos tile = tiles[next++ % tiles.size()];
        route::AddCheckpoint(bench.scenario, tile.x, tile.y);
        bench.Rebuild();
        state.PauseTiming();
        bench.CountSearches();
        bench.Restore(start);
        state.ResumeTiming();
    }
    bench.Report(state);
}
BENCHMARK(AddCheckpoint)->Arg(2)->Arg(1000)->Unit(benchmark::kMicrosecond);

void MoveCheckpoint(benchmark::State& state) {
    const bool small = state.range(0) == 2;
    const auto start = small ? Borders(kEditAt - 1, kEditAt + 1) : LongCourse();
    const int index = small ? 1 : static_cast<int>(kEditAt);
    EditBench bench(start);
    const auto tiles = TilesNear(BenchCity(), LongCourse()[kEditAt], 2);
    std::size_t next = 0;
    for (auto _ : state) {
        const TilePos tile = tiles[next++ % tiles.size()];
        route::MoveCheckpoint(bench.scenario, index, tile.x, tile.y);
        bench.Rebuild();
        state.PauseTiming();
        bench.CountSearches();
        bench.Restore(start);
        state.ResumeTiming();
    }
    bench.Report(state);
}
BENCHMARK(MoveCheckpoint)->Arg(2)->Arg(1000)->Unit(benchmark::kMicrosecond);

void DeleteCheckpoint(benchmark::State& state) {
    const bool small = state.range(0) == 2;
    const auto start = small ? Borders(kEditAt - 1, kEditAt) : LongCourse();
    const int index = small ? 1 : static_cast<int>(kEditAt);
    EditBench bench(start);
    for (auto _ : state) {
        route::DeleteCheckpoint(bench.scenario, index);
        bench.Rebuild();
        state.PauseTiming();
        bench.CountSearches();
        bench.Restore(start);
        state.ResumeTiming();
    }
    bench.Report(state);
}
BENCHMARK(DeleteCheckpoint)->Arg(2)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rw::bench
