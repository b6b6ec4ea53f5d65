// `course`: a scenario's checkpoint labels and race route, computed as the editor computes them.
#include <cstdint>
#include <iostream>
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

// Writes the report as it is produced, in PrintJson's layout, so that a long course's output is never held
// whole in memory.
int PrintCourse(const scenario::Scenario& s, const route::RaceRoute& route) {
    using Json = nlohmann::ordered_json;
    std::ostream& out = std::cout;
    const std::size_t count = s.checkpoints.size();
    out << "{\n  \"labels\": [";
    for (std::size_t i = 0; i < count; ++i) {
        const std::string label =
            route::CheckpointLabel(static_cast<int>(i), static_cast<int>(count), s.laps);
        out << (i == 0 ? "\n    " : ",\n    ")
            << Json(label).dump(-1, ' ', false, Json::error_handler_t::replace);
    }
    out << (count == 0 ? "]" : "\n  ]") << ",\n  \"legs\": [";
    std::size_t leg = 0;
    for (const auto& result : route.Legs()) {
        out << (leg == 0 ? "\n    {" : ",\n    {") << "\n      \"from\": " << leg
            << ",\n      \"to\": " << (leg + 1) % count
            << ",\n      \"found\": " << (result.found ? "true" : "false")
            << ",\n      \"length\": " << (result.found ? result.length : 0) << "\n    }";
        ++leg;
    }
    int routeTiles = 0;
    for (std::uint8_t marked : route.Map()) {
        routeTiles += marked != 0 ? 1 : 0;
    }
    out << (leg == 0 ? "]" : "\n  ]") << ",\n  \"routeTiles\": " << routeTiles << "\n}\n";
    out.flush();
    if (!out) {
        return Fail(kExitFileFailed, "standard output", "write failed");
    }
    return kExitSuccess;
}

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
    return PrintCourse(s, *route);
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
