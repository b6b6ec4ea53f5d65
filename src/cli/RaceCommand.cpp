// `race`: builds and saves a race on a city from command-line values, as the editor's Save would.
#include <memory>
#include <string>
#include <vector>

#include "cli/ArgumentChecks.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/RaceBuilder.h"
#include "editor/RaceRules.h"

namespace rw::cli {

namespace {

struct RaceArgs {
    RaceRequest request;
    std::vector<std::string> checkpoints;
    std::string difficulty = "easy";
};

int Race(RaceArgs& a) {
    a.request.checkpoints.clear();
    for (const auto& text : a.checkpoints) {
        a.request.checkpoints.push_back(*ParseTilePair(text));  // TilePair() accepted every one
    }
    a.request.difficulty = a.difficulty == "hard" ? 2 : a.difficulty == "medium" ? 1 : 0;
    return BuildRace(a.request);
}

}  // namespace

void AddRaceCommand(CLI::App& app, CommandRun& run) {
    auto args = std::make_shared<RaceArgs>();
    RaceRequest& r = args->request;
    CLI::App* cmd = app.add_subcommand(
        "race",
        "Build a race on CITY and save it as the editor's Save command would with these values in its "
        "fields. The scenario names the city by its file name (no folders)");
    cmd->add_option("CITY", r.cityPath, "City file (.urb)")->required();
    cmd->add_option("-o,--output", r.outPath, "Scenario file to write (.scn)")->required();
    cmd->add_option("--title", r.title, "Race title, 1..20 characters, not \"Untitled\"")->required();
    cmd->add_option("--checkpoint", args->checkpoints,
                    "Checkpoint tile X,Y on a road tile; repeat in driving order, the first is the start")
        ->required()
        ->transform(TilePair())
        ->allow_extra_args(false);
    cmd->add_option("--laps", r.laps, "Laps, 1..100 (1: open course)")
        ->capture_default_str()
        ->transform(IntegerInRange(editor::kLapsRange.min, editor::kLapsRange.max));
    cmd->add_option("--time", r.timeLimit, "Time limit in seconds, 0..99999")
        ->capture_default_str()
        ->transform(IntegerInRange(editor::kTimeLimitRange.min, editor::kTimeLimitRange.max));
    cmd->add_option("--bonus", r.bonus, "Seconds added at each checkpoint, 0..99")
        ->capture_default_str()
        ->transform(IntegerInRange(editor::kBonusRange.min, editor::kBonusRange.max));
    cmd->add_option("--racers", r.racers, "Computer racers, 0..8")
        ->capture_default_str()
        ->transform(IntegerInRange(editor::kRacersRange.min, editor::kRacersRange.max));
    cmd->add_option("--difficulty", args->difficulty, "Racer difficulty: easy (default), medium or hard")
        ->transform(CLI::IsMember({"easy", "medium", "hard"}, CLI::ignore_case));
    cmd->callback([&run, args] { run = [args] { return Race(*args); }; });
}

}  // namespace rw::cli
