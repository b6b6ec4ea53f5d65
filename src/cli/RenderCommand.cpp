// `render`: the map exactly as the editor shows it, saved as an 8-bit palette PNG.
#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <memory>
#include <string>

#include "city/CheckpointMarks.h"
#include "city/MapImage.h"
#include "cli/ArgumentChecks.h"
#include "cli/CityLoading.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/MapPicture.h"
#include "route/RaceRoute.h"
#include "scenario/ReadScenario.h"

namespace rw::cli {

namespace {

struct RenderArgs {
    std::string file;
    std::string city;
    std::string out;
    int selected = -1;
};

bool IsScenarioPath(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".scn";
}

int Render(const RenderArgs& a) {
    auto image = std::make_unique<city::MapPixels>();
    if (!IsScenarioPath(a.file)) {
        if (!a.city.empty()) {
            return Fail(kExitUsage, "--city", "applies only to a scenario (.scn) file");
        }
        auto city = LoadCityOrReport(a.file);
        if (!city) {
            return kExitFileFailed;
        }
        static const route::RouteMap kNoRoute{};
        city::RedrawMap(*city, kNoRoute, *image);
    } else {
        scenario::Scenario s;
        if (const res::FileResult read = scenario::ReadScenarioResult(s, a.file); !read) {
            return Fail(kExitFileFailed, a.file, res::Describe(read));
        }
        auto city = LoadScenarioCityOrReport(a.file, s, a.city);
        if (!city) {
            return kExitFileFailed;
        }
        auto route = std::make_unique<route::RaceRoute>();
        route->RebuildRoute(*city, s.checkpoints, s.laps, *image);
        // A selection that names no checkpoint draws every mark plain, as the editor with nothing selected.
        const bool selects = a.selected >= 0 && static_cast<std::size_t>(a.selected) < s.checkpoints.size();
        city::PaintCheckpointMarks(*image, s.checkpoints, selects ? a.selected : -1);
    }
    if (const res::FileResult written = WriteMapPicture(*image, a.out); !written) {
        return Fail(kExitFileFailed, a.out, res::Describe(written));
    }
    return kExitSuccess;
}

}  // namespace

void AddRenderCommand(CLI::App& app, CommandRun& run) {
    auto args = std::make_shared<RenderArgs>();
    CLI::App* cmd = app.add_subcommand(
        "render",
        "Draw the 256 x 256 map as the editor shows it and save it as an 8-bit palette PNG whose "
        "palette is the map palette. A city file (.urb) is drawn without a route; a scenario file "
        "(.scn, by its extension) is drawn on its city with the race route and the checkpoint squares");
    cmd->add_option("FILE", args->file, "City file (.urb) or scenario file (.scn)")->required();
    cmd->add_option("-o,--output", args->out, "PNG file to write")->required();
    cmd->add_option("--city", args->city,
                    "For a scenario: the city file to use instead of <game folder>/cities/<its city file>");
    cmd->add_option("--selected", args->selected,
                    "Draw checkpoint N (counted from 0) as the selected one; none when N is not a checkpoint")
        ->transform(IntegerInRange(INT32_MIN, INT32_MAX));
    cmd->callback([&run, args] { run = [args] { return Render(*args); }; });
}

}  // namespace rw::cli
