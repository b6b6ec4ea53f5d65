// Building and saving a race as the editor's Save command does, shared by `race` and `make-demo`.
#pragma once

#include <string>
#include <vector>

#include "scenario/Scenario.h"

namespace rw::cli {

// What the editor's race form would hold, plus the city and the file to write.
struct RaceRequest {
    std::string cityPath;  // the city file; the scenario names it without its folders
    std::string outPath;
    std::string title;  // UTF-8, as typed: ampersands not doubled
    std::vector<scenario::TilePos> checkpoints;
    int laps = 1;        // 1..100
    int timeLimit = 0;   // seconds, 0..99999
    int bonus = 0;       // seconds per checkpoint, 0..99
    int racers = 0;      // 0..8
    int difficulty = 0;  // 0 easy, 1 medium, 2 hard
};

// Checks the request as the window and its Save command would (a title that is empty, "Untitled" or
// longer than 20 characters, no checkpoint, a checkpoint off the city's roads, a number outside the
// window's limits: kExitUsage), loads the city (kExitFileFailed), stores the fields into a fresh scenario
// with the editor's store step, sets the two race movie names and writes the file with the scenario writer
// (kExitFileFailed). Every failure is reported on stderr; nothing is written unless all checks pass.
int BuildRace(const RaceRequest& request);

}  // namespace rw::cli
