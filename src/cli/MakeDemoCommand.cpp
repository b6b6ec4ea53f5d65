// `make-demo`: a game folder with synthetic cities and races built as the `race` command builds them.
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "city/CityGenerator.h"
#include "city/TileCodes.h"
#include "city/WriteCityFile.h"
#include "cli/CityLoading.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/RaceBuilder.h"
#include "res/AtomicFile.h"

namespace rw::cli {

namespace {

namespace fs = std::filesystem;

struct DemoCity {
    const char* file;
    const char* name;
    std::uint64_t seed;
    city::RoadDensity roads;
};

constexpr std::array<DemoCity, 3> kDemoCities{{
    {"Riverside.urb", "Riverside", 1, city::RoadDensity::Normal},
    {"HarbourGrid.urb", "Harbour Grid", 7, city::RoadDensity::Dense},
    {"OldQuarter.urb", "Old Quarter", 42, city::RoadDensity::Sparse},
}};

struct DemoRace {
    const char* file;
    const char* cityFile;
    const char* title;
    int laps, timeLimit, bonus, racers, difficulty;
    std::array<scenario::TilePos, 4> targets;  // each checkpoint goes on the road tile nearest to its target
    std::size_t checkpoints;
};

// Targets in all four quarters, so a course crosses the river through the tunnel whichever way it runs.
constexpr std::array<DemoRace, 2> kDemoRaces{{
    {"tunnel_loop.scn",
     "Riverside.urb",
     "Tunnel Loop",
     2,
     400,
     10,
     3,
     1,
     {{{20, 20}, {108, 24}, {108, 104}, {20, 104}}},
     4},
    {"harbour_sprint.scn",
     "HarbourGrid.urb",
     "Harbour Sprint",
     1,
     200,
     5,
     2,
     0,
     {{{16, 64}, {64, 16}, {112, 64}}},
     3},
}};

// The road tile nearest to target (by rings of growing distance, scanned column by column).
std::optional<scenario::TilePos> NearestRoadTile(const city::CityMap& city, scenario::TilePos target) {
    for (int radius = 0; radius < city::kCitySize; ++radius) {
        for (int x = target.x - radius; x <= target.x + radius; ++x) {
            for (int y = target.y - radius; y <= target.y + radius; ++y) {
                const bool onRing = std::abs(x - target.x) == radius || std::abs(y - target.y) == radius;
                if (onRing && x >= 0 && y >= 0 && x < city::kCitySize && y < city::kCitySize &&
                    city::IsRoadTile(city.Building(x, y))) {
                    return scenario::TilePos{static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
                }
            }
        }
    }
    return std::nullopt;
}

int MakeDemo(const std::string& dir) {
    const fs::path cities = fs::path(dir) / "cities";
    const fs::path movies = fs::path(dir) / "scenarios" / "movie";
    // Every file is checked before the first is written, so that a folder too deep for the game's paths
    // gets nothing rather than half a game folder.
    std::vector<std::string> targets;
    for (const DemoCity& c : kDemoCities) {
        targets.push_back((cities / c.file).string());
    }
    for (const DemoRace& race : kDemoRaces) {
        targets.push_back((movies / race.file).string());
    }
    for (const std::string& target : targets) {
        if (!res::AtomicFile::FitsPath(target)) {
            return Fail(kExitFileFailed, target, res::Describe(res::FileStatus::PathTooLong));
        }
    }
    std::error_code ec;
    fs::create_directories(cities, ec);
    if (!ec) {
        fs::create_directories(movies, ec);
    }
    if (ec) {
        return Fail(kExitFileFailed, dir, "cannot create the game folder: " + ec.message());
    }
    for (const DemoCity& c : kDemoCities) {
        city::CityGeneratorOptions options;
        options.seed = c.seed;
        options.name = c.name;
        options.roads = c.roads;
        const auto data = std::make_unique<city::CityData>(city::GenerateCity(options));
        const std::string path = (cities / c.file).string();
        if (const res::FileResult written = city::WriteCityFileResult(*data, path); !written) {
            return Fail(kExitFileFailed, path, res::Describe(written));
        }
    }
    for (const DemoRace& race : kDemoRaces) {
        RaceRequest request;
        request.cityPath = (cities / race.cityFile).string();
        request.outPath = (movies / race.file).string();
        request.title = race.title;
        request.laps = race.laps;
        request.timeLimit = race.timeLimit;
        request.bonus = race.bonus;
        request.racers = race.racers;
        request.difficulty = race.difficulty;
        auto city = LoadCityOrReport(request.cityPath);
        if (!city) {
            return kExitFileFailed;
        }
        for (std::size_t i = 0; i < race.checkpoints; ++i) {
            const auto tile = NearestRoadTile(*city, race.targets[i]);
            if (!tile) {
                return Fail(kExitFileFailed, request.cityPath, "the city has no road tile for a checkpoint");
            }
            request.checkpoints.push_back(*tile);
        }
        if (int status = BuildRace(request); status != kExitSuccess) {
            return status;
        }
    }
    return kExitSuccess;
}

}  // namespace

void AddMakeDemoCommand(CLI::App& app, CommandRun& run) {
    auto dir = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand(
        "make-demo",
        "Lay out a game folder at DIR: cities/ with three synthetic cities and scenarios/movie/ with "
        "two races on them, so the editor started from DIR has files to pick. Existing files of the "
        "same names are replaced");
    cmd->add_option("DIR", *dir, "Game folder to create or fill")->required();
    cmd->callback([&run, dir] { run = [dir] { return MakeDemo(*dir); }; });
}

}  // namespace rw::cli
