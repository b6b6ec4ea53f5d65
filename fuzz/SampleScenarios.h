// Scenarios that exercise every part of the file, for seed corpora and the reliability tests.
#pragma once

#include "scenario/Scenario.h"

namespace rw::fuzz {

// The tests' scenario with every member set (each byte of the code page, numbers at their edges, a value for
// each of the reader's normalisations) and the given number of checkpoints along a road loop, the start on
// the first.
scenario::Scenario FullScenario(int checkpoints);

// What the editor saves for a race: the race fields stored, a few checkpoints, nothing else.
scenario::Scenario EditorRace();

}  // namespace rw::fuzz
