// `route`: the editor's road search between two tiles of a city.
#include <deque>
#include <memory>
#include <string>

#include "cli/ArgumentChecks.h"
#include "cli/CityLoading.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "route/RoadPathfinder.h"

namespace rw::cli {

namespace {

struct RouteArgs {
    std::string file;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

int Route(const RouteArgs& a) {
    auto city = LoadCityOrReport(a.file);
    if (!city) {
        return kExitFileFailed;
    }
    auto pathfinder = std::make_unique<route::RoadPathfinder>();
    std::deque<route::PathNode> path;
    const bool found =
        pathfinder->FindRoadPath(*city, static_cast<std::uint16_t>(a.x1), static_cast<std::uint16_t>(a.y1),
                                 static_cast<std::uint16_t>(a.x2), static_cast<std::uint16_t>(a.y2), path);
    nlohmann::ordered_json doc = nlohmann::ordered_json::object();
    doc["found"] = found;
    doc["path"] = nlohmann::ordered_json::array();
    for (const auto& node : path) {
        doc["path"].push_back({node.x, node.y, node.tag});
    }
    return PrintJson(doc);
}

}  // namespace

void AddRouteCommand(CLI::App& app, CommandRun& run) {
    auto args = std::make_shared<RouteArgs>();
    CLI::App* cmd =
        app.add_subcommand("route",
                           "Search the road route from tile X1,Y1 to tile X2,Y2 as the editor does; prints "
                           "{\"found\": bool, \"path\": [[x, y, step], ...]} from start to goal");
    cmd->add_option("FILE", args->file, "City file (.urb)")->required();
    cmd->add_option("X1", args->x1, "Start column, 0..127")->required()->transform(TileCoordinate());
    cmd->add_option("Y1", args->y1, "Start row, 0..127")->required()->transform(TileCoordinate());
    cmd->add_option("X2", args->x2, "Goal column, 0..127")->required()->transform(TileCoordinate());
    cmd->add_option("Y2", args->y2, "Goal row, 0..127")->required()->transform(TileCoordinate());
    cmd->callback([&run, args] { run = [args] { return Route(*args); }; });
}

}  // namespace rw::cli
