// `city info` and `city tile`: what the editor sees in a city file, from the editor's own tests and colours.
#include <array>
#include <memory>
#include <string>

#include "city/MapImage.h"
#include "city/MapPicking.h"
#include "city/TileCodes.h"
#include "cli/ArgumentChecks.h"
#include "cli/CityLoading.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "route/RoadPathfinder.h"
#include "scenario/Windows1252.h"

namespace rw::cli {

namespace {

using Json = nlohmann::ordered_json;

int Info(const std::string& path) {
    auto city = LoadCityOrReport(path);
    if (!city) {
        return kExitFileFailed;
    }
    Json graphMax = Json::array();
    for (int i = 0; i < 16; ++i) {
        graphMax.push_back(city->GraphMax(i));
    }
    int roadTiles = 0;
    int tunnelTiles = 0;
    for (int x = 0; x < city::kCitySize; ++x) {
        for (int y = 0; y < city::kCitySize; ++y) {
            roadTiles += city::IsRoadTile(city->Building(x, y)) ? 1 : 0;
            tunnelTiles += city->Tunnel(x, y) != 0 ? 1 : 0;
        }
    }
    Json doc = Json::object();
    doc["name"] = scenario::Windows1252ToUtf8(city->Name());
    doc["graphMax"] = std::move(graphMax);
    doc["roadTiles"] = roadTiles;
    doc["tunnelTiles"] = tunnelTiles;
    return PrintJson(doc);
}

int Tile(const std::string& path, int x, int y) {
    auto city = LoadCityOrReport(path);
    if (!city) {
        return kExitFileFailed;
    }
    // The colour comes from a whole redraw with no route, exactly as the editor paints a freshly loaded city.
    static const std::array<std::uint8_t, 128 * 128> kNoRoute{};
    auto image = std::make_unique<city::MapPixels>();
    city::RedrawMap(*city, kNoRoute, *image);

    const std::uint8_t building = city->Building(x, y);
    Json doc = Json::object();
    doc["x"] = x;
    doc["y"] = y;
    doc["building"] = building;
    doc["zone"] = city->Zone(x, y);
    doc["altitude"] = city->Altitude(x, y);
    doc["bits"] = city->Bits(x, y);
    doc["tunnel"] = city->Tunnel(x, y);
    doc["road"] = city::IsRoadTile(building);
    doc["drivable"] = route::IsDrivableCode(building);
    doc["transport"] = city::IsTransportTile(building);
    doc["colour"] = (*image)[city::PixelIndex(2 * x, 2 * y)];
    doc["description"] = city::TileStatusText(*city, 2 * x, 2 * y);
    return PrintJson(doc);
}

}  // namespace

void AddCityCommands(CLI::App& app, CommandRun& run) {
    CLI::App* group = app.add_subcommand("city", "Inspect city files");
    group->require_subcommand(1);

    auto infoFile = std::make_shared<std::string>();
    CLI::App* info = group->add_subcommand(
        "info", "Print the city's name, graph maxima and its numbers of road tiles and tunnel tiles as JSON");
    info->add_option("FILE", *infoFile, "City file (.urb)")->required();
    info->callback([&run, infoFile] { run = [infoFile] { return Info(*infoFile); }; });

    struct TileArgs {
        std::string file;
        int x = 0;
        int y = 0;
    };
    auto tileArgs = std::make_shared<TileArgs>();
    CLI::App* tile = group->add_subcommand(
        "tile",
        "Print one tile as JSON: its layers, the three building-code tests, its map colour (palette "
        "index) and the editor's status-line text");
    tile->add_option("FILE", tileArgs->file, "City file (.urb)")->required();
    tile->add_option("X", tileArgs->x, "Tile column, 0..127")->required()->transform(TileCoordinate());
    tile->add_option("Y", tileArgs->y, "Tile row, 0..127")->required()->transform(TileCoordinate());
    tile->callback(
        [&run, tileArgs] { run = [tileArgs] { return Tile(tileArgs->file, tileArgs->x, tileArgs->y); }; });
}

}  // namespace rw::cli
