// What reading back a written Scenario must give: the reader's normalisations applied to the original.
#pragma once

#include "scenario/Scenario.h"

namespace rw::fuzz {

// The Scenario that ReadScenario yields for a file WriteScenario wrote from s: the start location from the
// first checkpoint when laps is not 0, racers with a negative word7 cleared (word7 and word8), events with
// a negative value4 at 1 and a text3 beginning with the byte 0xCD emptied.
scenario::Scenario ExpectedAfterRoundTrip(scenario::Scenario s);

// True when every chunk but the last of s's file can be stepped over by the reader's walk; a longer chunk
// ends the walk, so only then is the whole Scenario expected back.
bool FitsReaderWalk(const scenario::Scenario& s);

}  // namespace rw::fuzz
