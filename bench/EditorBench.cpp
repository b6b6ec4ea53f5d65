// The editor without a window, on a closed race of 1,000 checkpoints: a right-button drag of one checkpoint
// over 20 road tiles, each step timed, against a left click that appends a checkpoint (the click budget).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "BenchCity.h"
#include "city/WriteCityFile.h"
#include "editor/CourseEditor.h"
#include "editor/ScratchGameFolder.h"
#include "editor/ScriptedHost.h"
#include "editor/ScriptedView.h"
#include "scenario/WriteScenario.h"

namespace rw::bench {
namespace {

constexpr std::uint64_t kCitySeed = 2024;

struct Race {
    editor::test::ScratchGameFolder folder;
    editor::test::ScriptedView view;
    editor::test::ScriptedHost host;
    std::vector<scenario::TilePos> course;
    std::unique_ptr<editor::CourseEditor> editor;

    bool Load() {
        const auto city = DenseCity(kCitySeed);
        course = DrivenCourse(*city, 1000, 7);
        scenario::Scenario race;
        race.cityFile = "bench.urb";
        race.laps = 3;
        race.checkpoints = course;
        if (!city::WriteCityFile(DenseCityData(kCitySeed), folder.City("bench.urb")) ||
            !scenario::WriteScenario(race, folder.Scenario("bench.scn"))) {
            return false;
        }
        editor = std::make_unique<editor::CourseEditor>(view, host, folder.Path());
        host.scenarioPicks.push_back("bench.scn");
        editor->OnLoadScenario();
        return editor->GetScenario().checkpoints.size() == course.size();
    }
};

double Microseconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

// Each iteration drags checkpoint 500 over 20 road tiles near it and back (undo), timing every step; the
// counters give the worst step and the median click that appends a checkpoint, and their ratio.
void DragOverTwentyTiles(benchmark::State& state) {
    Race race;
    if (!race.Load()) {
        state.SkipWithError("cannot load the race");
        return;
    }
    editor::CourseEditor& editor = *race.editor;
    const auto city = DenseCity(kCitySeed);
    const scenario::TilePos start = race.course[500];
    std::vector<scenario::TilePos> path = TilesNear(*city, start, 3);
    if (path.size() < 20) {
        state.SkipWithError("not enough road tiles near the checkpoint");
        return;
    }
    path.resize(20);
    std::vector<double> steps, clicks;
    for (auto _ : state) {
        race.view.ListSelect(500);
        editor.OnSelchangeCheckpoints();
        auto begin = std::chrono::steady_clock::now();
        editor.OnRButtonDown(2 * path[0].x, 2 * path[0].y);
        steps.push_back(Microseconds(begin));
        for (std::size_t i = 1; i < path.size(); ++i) {
            begin = std::chrono::steady_clock::now();
            editor.OnMouseMove(2 * path[i].x, 2 * path[i].y, true);
            steps.push_back(Microseconds(begin));
        }
        editor.OnRButtonUp();
        begin = std::chrono::steady_clock::now();
        editor.OnLButtonDown(2 * start.x, 2 * start.y);
        clicks.push_back(Microseconds(begin));
        state.PauseTiming();
        editor.OnUndo();  // the click
        editor.OnUndo();  // the drag
        state.ResumeTiming();
    }
    std::sort(clicks.begin(), clicks.end());
    std::sort(steps.begin(), steps.end());
    const double click = clicks[clicks.size() / 2];
    state.counters["median_click_us"] = click;
    state.counters["median_step_us"] = steps[steps.size() / 2];
    state.counters["p99_step_us"] = steps[steps.size() * 99 / 100];
    state.counters["worst_step_us"] = steps.back();
    state.counters["p99_step_per_click"] = steps[steps.size() * 99 / 100] / click;
}
BENCHMARK(DragOverTwentyTiles)->Iterations(50)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rw::bench
