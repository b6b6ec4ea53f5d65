// Timings of the road search against a plain breadth-first floor, whole-course rebuilds and single checkpoint
// edits on courses of 10,000 and of 10 checkpoints.
#include <benchmark/benchmark.h>

#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "AllocationCounter.h"
#include "BenchCity.h"
#include "ReferenceSearch.h"
#include "city/MapImage.h"
#include "route/RaceRoute.h"
#include "route/RoadPathfinder.h"

namespace rw::bench {
namespace {

using scenario::TilePos;

constexpr std::uint64_t kCitySeed = 2024;
constexpr std::uint32_t kCourseSeed = 7;
constexpr std::size_t kRebuiltCourse = 1000;
constexpr std::size_t kLongCourse = 10000;
constexpr std::size_t kShortCourse = 10;
constexpr std::size_t kEditAt = kLongCourse / 2;

const city::CityMap& BenchCity() {
    static const auto city = DenseCity(kCitySeed);
    return *city;
}

const std::vector<TilePos>& RebuiltCourse() {
    static const auto course = DrivenCourse(BenchCity(), kRebuiltCourse, kCourseSeed);
    return course;
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
    const auto& course = RebuiltCourse();
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

// Case 3: one edit and its rebuild with the map redraw, as the editor makes it (the route told the edit), on
// the long closed course (argument 10000) and on ten checkpoints of it around the edit (argument 10), so both
// search the same legs. The new tile is a road tile a few streets away, a different one each time; the edit
// is undone untimed and the legs only the edit used are forgotten, so every timed edit searches.
struct EditBench {
    explicit EditBench(std::vector<TilePos> checkpoints) {
        scenario.laps = 0;
        scenario.checkpoints = std::move(checkpoints);
        route->RebuildRoute(BenchCity(), scenario.checkpoints, scenario.laps, *image);
        Forget();
    }
    void Rebuild(const route::CheckpointEdit& edit) {
        route->RebuildRoute(BenchCity(), scenario.checkpoints, scenario.laps, edit, *image);
    }
    // The searches and heap requests of the timed edits, counted from the last Forget.
    void CountAndForget() {
        searches += route->SearchCount() - searchesBefore;
        allocations += AllocationCount() - allocationsBefore;
        Forget();
    }
    void Forget() {
        route->DropUnusedLegs();
        searchesBefore = route->SearchCount();
        allocationsBefore = AllocationCount();
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

bool Short(const benchmark::State& state) {
    return state.range(0) == static_cast<std::int64_t>(kShortCourse);
}

// The short course: the ten checkpoints of the long one from first on, or for an add its start and its
// last nine, so that the appended checkpoint meets the same neighbours.
std::vector<TilePos> ShortCourse(std::size_t first) {
    const auto& course = LongCourse();
    std::vector<TilePos> part{course.begin() + static_cast<std::ptrdiff_t>(first),
                              course.begin() + static_cast<std::ptrdiff_t>(first + kShortCourse)};
    if (first + kShortCourse == course.size()) {
        part.front() = course.front();
    }
    return part;
}

// A fixed number of edits per case, so that the untimed undo and the pauses around it stay bounded.
constexpr benchmark::IterationCount kEdits = 2000;

void AddCheckpoint(benchmark::State& state) {
    EditBench bench(Short(state) ? ShortCourse(kLongCourse - kShortCourse) : LongCourse());
    const auto tiles = TilesNear(BenchCity(), LongCourse().back(), 1);
    std::size_t next = 0;
    for (auto _ : state) {
        const TilePos tile = tiles[next++ % tiles.size()];
        const std::size_t count = bench.scenario.checkpoints.size();
        bench.scenario.checkpoints.push_back(tile);
        bench.Rebuild(route::CheckpointEdit::Add(count));
        state.PauseTiming();
        bench.scenario.checkpoints.pop_back();
        bench.Rebuild(route::CheckpointEdit::Delete(count));
        bench.CountAndForget();
        state.ResumeTiming();
    }
    bench.Report(state);
}
BENCHMARK(AddCheckpoint)
    ->Arg(kShortCourse)
    ->Arg(kLongCourse)
    ->Iterations(kEdits)
    ->Unit(benchmark::kMicrosecond);

void MoveCheckpoint(benchmark::State& state) {
    const std::size_t first = kEditAt - kShortCourse / 2;
    EditBench bench(Short(state) ? ShortCourse(first) : LongCourse());
    const int index = static_cast<int>(Short(state) ? kEditAt - first : kEditAt);
    const TilePos was = LongCourse()[kEditAt];
    const auto tiles = TilesNear(BenchCity(), was, 2);
    const auto edit = route::CheckpointEdit::Move(static_cast<std::size_t>(index));
    std::size_t next = 0;
    for (auto _ : state) {
        const TilePos tile = tiles[next++ % tiles.size()];
        bench.scenario.checkpoints[static_cast<std::size_t>(index)] = tile;
        bench.Rebuild(edit);
        state.PauseTiming();
        bench.scenario.checkpoints[static_cast<std::size_t>(index)] = was;
        bench.Rebuild(edit);
        bench.CountAndForget();
        state.ResumeTiming();
    }
    bench.Report(state);
}
BENCHMARK(MoveCheckpoint)
    ->Arg(kShortCourse)
    ->Arg(kLongCourse)
    ->Iterations(kEdits)
    ->Unit(benchmark::kMicrosecond);

void DeleteCheckpoint(benchmark::State& state) {
    const std::size_t first = kEditAt - kShortCourse / 2;
    EditBench bench(Short(state) ? ShortCourse(first) : LongCourse());
    const int index = static_cast<int>(Short(state) ? kEditAt - first : kEditAt);
    const TilePos was = LongCourse()[kEditAt];
    for (auto _ : state) {
        bench.scenario.checkpoints.erase(bench.scenario.checkpoints.begin() + index);
        bench.Rebuild(route::CheckpointEdit::Delete(static_cast<std::size_t>(index)));
        state.PauseTiming();
        bench.scenario.checkpoints.insert(bench.scenario.checkpoints.begin() + index, was);
        bench.Rebuild(route::CheckpointEdit::Insert(index - 1));
        bench.CountAndForget();
        state.ResumeTiming();
    }
    bench.Report(state);
}
BENCHMARK(DeleteCheckpoint)
    ->Arg(kShortCourse)
    ->Arg(kLongCourse)
    ->Iterations(kEdits)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rw::bench
