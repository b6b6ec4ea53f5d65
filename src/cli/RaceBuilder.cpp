// The race a Save in the editor would write, from command-line values.
#include "cli/RaceBuilder.h"

#include <filesystem>

#include "city/TileCodes.h"
#include "cli/CityLoading.h"
#include "cli/CliOutput.h"
#include "res/StringTable.h"
#include "scenario/StoreRaceFields.h"
#include "scenario/Windows1252.h"
#include "scenario/WriteScenario.h"

namespace rw::cli {

namespace {

constexpr int kUntitledStringId = 126;
constexpr std::size_t kMaxTitleLength = 20;  // the Race Title field's limit

struct Limit {
    const char* option;
    int value;
    int min;
    int max;
};

}  // namespace

int BuildRace(const RaceRequest& r) {
    const auto title = scenario::Utf8ToWindows1252(r.title);
    if (!title) {
        return Fail(kExitUsage, "--title", "holds a character windows-1252 cannot encode");
    }
    if (title->empty()) {
        return Fail(kExitUsage, "--title", "a race needs a title");
    }
    if (*title == res::String(kUntitledStringId)) {
        return Fail(kExitUsage, "--title", "\"Untitled\" is the placeholder of a new race, not a title");
    }
    if (title->size() > kMaxTitleLength) {
        return Fail(kExitUsage, "--title", "longer than 20 characters");
    }
    for (const Limit& limit : {Limit{"--laps", r.laps, 1, 100}, Limit{"--time", r.timeLimit, 0, 99999},
                               Limit{"--bonus", r.bonus, 0, 99}, Limit{"--racers", r.racers, 0, 8},
                               Limit{"--difficulty", r.difficulty, 0, 2}}) {
        if (limit.value < limit.min || limit.value > limit.max) {
            return Fail(kExitUsage, limit.option,
                        std::to_string(limit.value) + " is outside " + std::to_string(limit.min) + ".." +
                            std::to_string(limit.max));
        }
    }
    if (r.checkpoints.empty()) {
        return Fail(kExitUsage, "--checkpoint", "a race needs at least one checkpoint");
    }
    const auto cityFile = scenario::Utf8ToWindows1252(std::filesystem::path(r.cityPath).filename().string());
    if (!cityFile || cityFile->empty()) {
        return Fail(kExitUsage, r.cityPath, "the file name cannot be stored in a scenario (windows-1252)");
    }

    auto city = LoadCityOrReport(r.cityPath);
    if (!city) {
        return kExitFileFailed;
    }
    for (const auto& p : r.checkpoints) {
        const int code = city->Building(p.x, p.y);
        if (p.x >= city::kCitySize || p.y >= city::kCitySize || !city::IsRoadTile(code)) {
            const std::string tile = std::to_string(p.x) + "," + std::to_string(p.y);
            return Fail(kExitUsage, "--checkpoint " + tile,
                        "tile " + tile + " is not a road tile of the city (building code " +
                            std::to_string(code) + ")");
        }
    }

    // A fresh race as after Load City File, the checkpoints as clicked, then Save's store step.
    scenario::Scenario s;
    s.checkpoints = r.checkpoints;
    scenario::RaceFields fields;
    fields.cityFile = *cityFile;
    fields.title = *title;
    fields.timeLimit = r.timeLimit;
    fields.checkpointBonus = r.bonus;
    fields.laps = r.laps;
    fields.racers = r.racers;
    fields.difficulty = r.difficulty;
    scenario::StoreRaceForSave(s, fields);
    if (const res::FileResult written = scenario::WriteScenarioResult(s, r.outPath); !written) {
        return Fail(kExitFileFailed, r.outPath, res::Describe(written));
    }
    return kExitSuccess;
}

}  // namespace rw::cli
