// The editor window on the offscreen platform: a left click on a road tile handled end to end (fields read,
// checkpoint added, route rebuilt, map redrawn, list refilled, window repainted) on a race of 1,000
// checkpoints, timed click by click; beside each click, the editor's own part of such a click (the add on
// another tile handed straight to it) timed in the same window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "AllocationCounter.h"
#include "BenchCity.h"
#include "city/WriteCityFile.h"
#include "scenario/WriteScenario.h"
#include "ui/CourseEditorDlg.h"

// Under `valgrind --tool=callgrind --collect-atstart=no` only the timed clicks are counted.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define RW_COUNT_INSTRUCTIONS() CALLGRIND_TOGGLE_COLLECT
#else
#define RW_COUNT_INSTRUCTIONS()
#endif

namespace rw::bench {
namespace {

constexpr std::uint64_t kCitySeed = 2024;
constexpr int kClicks = 100;

// Picks the benchmark's race whenever the window asks for a scenario, and declines everything else.
class BenchHost : public editor::EditorHost {
  public:
    editor::SaveAnswer AskSaveQuestion(bool) override { return editor::SaveAnswer::No; }
    void ShowMessage(std::string_view, std::string_view, editor::MessageIcon) override {}
    std::optional<std::string> AskSavePath(const std::string&) override { return std::nullopt; }
    std::optional<std::string> PickScenario(const std::string&) override { return "bench1000.scn"; }
    std::optional<std::string> PickCity(const std::string&) override { return std::nullopt; }
    void ShowAbout() override {}
    bool LaunchGame(const std::string&, const std::string&) override { return false; }
    void EndEditor() override {}
};

// A game folder holding the dense city and a closed race of 1,000 checkpoints on it.
bool WriteGameFolder(const QString& folder, const std::vector<scenario::TilePos>& course) {
    QDir(folder).mkpath(QStringLiteral("cities"));
    QDir(folder).mkpath(QStringLiteral("scenarios/movie"));
    if (!city::WriteCityFile(DenseCityData(kCitySeed),
                             (folder + QStringLiteral("/cities/bench.urb")).toStdString())) {
        return false;
    }
    scenario::Scenario race;
    race.cityFile = "bench.urb";
    race.name = "Thousand";
    race.laps = 3;
    race.checkpoints = course;
    return scenario::WriteScenario(race,
                                   (folder + QStringLiteral("/scenarios/movie/bench1000.scn")).toStdString());
}

void ClickRoadTile(benchmark::State& state) {
    const auto city = DenseCity(kCitySeed);
    const auto course = DrivenCourse(*city, 1000, 7);
    QTemporaryDir folder;
    if (!folder.isValid() || !WriteGameFolder(folder.path(), course)) {
        state.SkipWithError("cannot write the game folder");
        return;
    }
    BenchHost host;
    auto window =
        std::make_unique<ui::CourseEditorDlg>(host, (folder.path() + QDir::separator()).toStdString());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        state.SkipWithError("the window was not shown");
        return;
    }
    window->Editor().OnLoadScenario();
    QApplication::processEvents();
    if (window->Editor().GetScenario().checkpoints.size() != course.size()) {
        state.SkipWithError("the race did not load");
        return;
    }

    const auto tiles = TilesNear(*city, course.back(), 3);
    // Back to the 1,000-checkpoint race, untimed; false when the add did not happen.
    const auto undoAdd = [&] {
        if (window->Editor().GetScenario().checkpoints.size() != course.size() + 1) {
            return false;
        }
        window->ListSelect(static_cast<int>(course.size()));
        window->Editor().OnSelchangeCheckpoints();
        window->Editor().OnDeleteCheckpoint();
        QApplication::processEvents();
        return true;
    };
    std::vector<double> milliseconds;
    std::vector<double> insideMilliseconds;
    std::uint64_t allocations = 0;
    std::size_t next = 0;
    for (auto _ : state) {
        const scenario::TilePos tile = tiles[next++ % tiles.size()];
        const QPoint point = window->MapOrigin() + QPoint(2 * tile.x, 2 * tile.y);
        const std::uint64_t allocationsBefore = AllocationCount();
        const auto start = std::chrono::steady_clock::now();
        RW_COUNT_INSTRUCTIONS();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
        // The click only invalidates the window; the repaint runs as the event loop next turns.
        QApplication::processEvents();
        RW_COUNT_INSTRUCTIONS();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        allocations += AllocationCount() - allocationsBefore;
        state.SetIterationTime(took.count());
        milliseconds.push_back(took.count() * 1000);
        if (!undoAdd()) {
            state.SkipWithError("the click added no checkpoint");
            break;
        }

        // An add handed to the editor as a click hands it: the route, the redraw and the list entry as they
        // run inside a click, with the window only invalidated; its repaint is not timed. On another tile
        // than the click's, whose legs the route still holds.
        const scenario::TilePos other = tiles[(next + tiles.size() / 2) % tiles.size()];
        const auto insideStart = std::chrono::steady_clock::now();
        window->Editor().OnLButtonDown(2 * other.x, 2 * other.y);
        const std::chrono::duration<double> insideTook = std::chrono::steady_clock::now() - insideStart;
        insideMilliseconds.push_back(insideTook.count() * 1000);
        QApplication::processEvents();
        if (!undoAdd()) {
            state.SkipWithError("the editor added no checkpoint");
            break;
        }
    }
    if (milliseconds.empty() || insideMilliseconds.size() != milliseconds.size()) {
        return;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::sort(insideMilliseconds.begin(), insideMilliseconds.end());
    state.counters["clicks"] = static_cast<double>(milliseconds.size());
    state.counters["medianMs"] = milliseconds[milliseconds.size() / 2];
    state.counters["worstMs"] = milliseconds.back();
    state.counters["insideMedianMs"] = insideMilliseconds[insideMilliseconds.size() / 2];
    state.counters["allocsPerClick"] =
        static_cast<double>(allocations) / static_cast<double>(milliseconds.size());
}
BENCHMARK(ClickRoadTile)->Iterations(kClicks)->UseManualTime()->Unit(benchmark::kMillisecond);

// The floor Qt sets for a click: a window whose left click repaints one 256 x 256 picture in a child, as the
// map is painted, and nothing else.
class MinimalWindow : public QWidget {
  public:
    MinimalWindow() : m_picture(new Picture(this)) { resize(400, 300); }

  protected:
    void mousePressEvent(QMouseEvent*) override { m_picture->update(); }

  private:
    class Picture : public QWidget {
      public:
        explicit Picture(QWidget* parent) : QWidget(parent), m_image(256, 256, QImage::Format_RGB32) {
            setAttribute(Qt::WA_OpaquePaintEvent);
            setAttribute(Qt::WA_TransparentForMouseEvents);
            setGeometry(10, 10, 256, 256);
            m_image.fill(Qt::darkGreen);
        }

      protected:
        void paintEvent(QPaintEvent*) override {
            QPainter painter(this);
            painter.drawImage(0, 0, m_image);
        }

      private:
        QImage m_image;
    };
    Picture* m_picture;
};

void ClickMinimalWindow(benchmark::State& state) {
    MinimalWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    std::uint64_t allocations = 0;
    int clicks = 0;
    for (auto _ : state) {
        // A point of its own for each click, as the editor's clicks have.
        const QPoint point(20 + clicks % 7 * 3, 20 + clicks % 5 * 3);
        const std::uint64_t before = AllocationCount();
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
        QApplication::processEvents();
        allocations += AllocationCount() - before;
        ++clicks;
    }
    state.counters["allocsPerClick"] = static_cast<double>(allocations) / std::max(clicks, 1);
}
BENCHMARK(ClickMinimalWindow)->Iterations(kClicks)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rw::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
