// Scenarios that exercise every part of the file, for seed corpora and the reliability tests.
#pragma once

#include "scenario/Scenario.h"

namespace rw::fuzz {

// Every member set: racers (one with a negative word7), events with values, texts and labels, packages,
// trigger entries with negative and positive keys, and the given number of checkpoints along a road loop.
// The start location is the first checkpoint, so a write and read gives the same Scenario back.
scenario::Scenario FullScenario(int checkpoints);

// What the editor saves for a race: the race fields stored, a few checkpoints, nothing else.
scenario::Scenario EditorRace();

}  // namespace rw::fuzz
