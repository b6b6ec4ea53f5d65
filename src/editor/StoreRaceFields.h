// The transfer of the editor's race fields into the scenario, and the title's ampersand escaping.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scenario/Scenario.h"

namespace rw::editor {

// What the race form holds at the moment of a transfer.
struct RaceFields {
    std::string cityFile;
    std::string title;  // bytes as typed, ampersands not yet doubled
    std::int32_t timeLimit = 0;
    std::int32_t checkpointBonus = 0;
    std::int32_t laps = 0;
    std::int32_t racers = 0;
    int difficulty = 0;  // combo selection 0 Easy, 1 Medium, 2 Hard; -1 none

    bool operator==(const RaceFields&) const = default;
};

// Racer values per difficulty row (0 Easy, 1 Medium, 2 Hard) and column (0 odd racer number, 1 even).
struct RacerValues {
    std::int32_t valueA;  // word7
    std::int32_t valueB;  // word8
};
inline constexpr RacerValues RacerValueTable[3][2] = {
    {{80, 75}, {160, 150}},
    {{80, 75}, {180, 165}},
    {{80, 75}, {200, 180}},
};
inline constexpr std::int32_t RacerLevelTable[3][2] = {{1, 2}, {2, 3}, {3, 4}};

// Copies the fields into scenario: laps, checkpointBonus, cityFile, timeLimit; rebuilds aiRacers from the
// racers count and difficulty (numbered racers down to 1, odd/even columns of the tables; the first
// record's word10 is difficulty + 1); empties the movie and text members, events and packages; sets
// bonus 0, pack 0, ammo 15, startX/startY 0, episode words 1, 2, 5 to 1, 50000, 2; name = the title with
// every "&" doubled; introText = text 168 + ": " + name. A difficulty outside 0..2 uses the Easy row and
// level 1 for the first record. word9 is 0. episode words 0, 3, 4, prgn and checkpoints are kept.
void StoreRaceFields(scenario::Scenario& scenario, const RaceFields& fields);

// The movies every saved race plays: the store step empties them, the save sets these afterwards.
inline constexpr const char* kRaceWinMovie = "mix_racerwinx.smk";
inline constexpr const char* kRaceLoseMovie = "mix_racerlose.smk";

// StoreRaceFields followed by the two movie names: what a race holds when it is written.
void StoreRaceForSave(scenario::Scenario& scenario, const RaceFields& fields);

// "&" -> "&&" everywhere.
std::string DoubleAmpersands(std::string_view text);

// "&&" -> "&", scanning from the start; a lone "&" stays.
std::string SingleAmpersands(std::string_view text);

}  // namespace rw::editor
