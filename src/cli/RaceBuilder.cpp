// The race a Save in the editor would write, from command-line values.
#include "cli/RaceBuilder.h"

#include <filesystem>

#include "city/TileCodes.h"
#include "cli/CityLoading.h"
#include "cli/CliOutput.h"
#include "editor/RaceRules.h"
#include "editor/StoreRaceFields.h"
#include "res/StringTable.h"
#include "scenario/Windows1252.h"
#include "scenario/WriteScenario.h"

namespace rw::cli {

namespace {

struct Limit {
    const char* option;
    int value;
    editor::Range range;
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
    if (const auto refusal = editor::RefuseSave(*title, r.checkpoints.size())) {
        return refusal->text == res::StringId::NoTitleText
                   ? Fail(kExitUsage, "--title", "\"Untitled\" is the placeholder of a new race, not a title")
                   : Fail(kExitUsage, "--checkpoint", "a race needs at least one checkpoint");
    }
    if (title->size() > static_cast<std::size_t>(editor::kTitleLimit.maxLength)) {
        return Fail(kExitUsage, "--title",
                    "longer than " + std::to_string(editor::kTitleLimit.maxLength) + " characters");
    }
    const editor::Range difficulties{0, static_cast<std::int32_t>(editor::kDifficultyNames.size()) - 1};
    for (const Limit& limit :
         {Limit{"--laps", r.laps, editor::kLapsRange}, Limit{"--time", r.timeLimit, editor::kTimeLimitRange},
          Limit{"--bonus", r.bonus, editor::kBonusRange}, Limit{"--racers", r.racers, editor::kRacersRange},
          Limit{"--difficulty", r.difficulty, difficulties}}) {
        if (!limit.range.Contains(limit.value)) {
            return Fail(kExitUsage, limit.option,
                        std::to_string(limit.value) + " is outside " + std::to_string(limit.range.min) +
                            ".." + std::to_string(limit.range.max));
        }
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
    editor::RaceFields fields;
    fields.cityFile = *cityFile;
    fields.title = *title;
    fields.timeLimit = r.timeLimit;
    fields.checkpointBonus = r.bonus;
    fields.laps = r.laps;
    fields.racers = r.racers;
    fields.difficulty = r.difficulty;
    editor::StoreRaceForSave(s, fields);
    if (const res::FileResult written = scenario::WriteScenarioResult(s, r.outPath); !written) {
        return Fail(kExitFileFailed, r.outPath, res::Describe(written));
    }
    return kExitSuccess;
}

}  // namespace rw::cli
