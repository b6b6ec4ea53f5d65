// `course`: a scenario's checkpoint labels and race route, computed as the editor computes them.
#include <memory>
#include <string>

#include "cli/CityLoading.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "route/CheckpointList.h"
#include "route/RaceRoute.h"
#include "scenario/ReadScenario.h"

namespace rw::cli {

namespace {

struct CourseArgs {
    std::string file;
    std::string city;
};

int Course(const CourseArgs& a) {
    scenario::Scenario s;
    if (const res::FileResult read = scenario::ReadScenarioResult(s, a.file); !read) {
        return Fail(kExitFileFailed, a.file, res::Describe(read));
    }
    auto city = LoadScenarioCityOrReport(a.file, s, a.city);
    if (!city) {
        return kExitFileFailed;
    }
    auto route = std::make_unique<route::RaceRoute>();
    route->UpdateRoute(*city, s.checkpoints, s.laps);

    using Json = nlohmann::ordered_json;
    Json doc = Json::object();
    doc["labels"] = route::CheckpointLabels(static_cast<int>(s.checkpoints.size()), s.laps);
    doc["legs"] = Json::array();
    const std::size_t count = s.checkpoints.size();
    std::size_t leg = 1;
    for (const auto& result : route->Legs()) {
        Json entry = Json::object();
        entry["from"] = leg - 1;
        entry["to"] = leg % count;
        entry["found"] = result.found;
        entry["length"] = result.found ? result.length : 0;
        doc["legs"].push_back(std::move(entry));
        ++leg;
    }
    int routeTiles = 0;
    for (std::uint8_t marked : route->Map()) {
        routeTiles += marked != 0 ? 1 : 0;
    }
    doc["routeTiles"] = routeTiles;
    return PrintJson(doc);
}

}  // namespace

void AddCourseCommand(CLI::App& app, CommandRun& run) {
    auto args = std::make_shared<CourseArgs>();
    CLI::App* cmd = app.add_subcommand(
        "course",
        "Print a scenario's checkpoint labels, the legs of its race route and the number of route "
        "tiles as JSON. The city is --city, or the scenario's city file in the cities folder of the "
        "game folder holding FILE (<game folder>/scenarios/movie/FILE)");
    cmd->add_option("FILE", args->file, "Scenario file (.scn)")->required();
    cmd->add_option("--city", args->city, "City file to use instead of the scenario's own");
    cmd->callback([&run, args] { run = [args] { return Course(*args); }; });
}

}  // namespace rw::cli
