// Writing a Scenario as a scenario file.
#pragma once

#include <string>

#include "scenario/Scenario.h"

namespace rw::scenario {

// Writes every member of scenario to path as a finalized chunk file (creator RWRT, file type VTSN, type
// version 100) in the fixed chunk order the game expects. The save is atomic: the file is written beside
// the target under a temporary name and renamed over it only when every chunk, the finalize and the close
// succeeded. Returns false on any failure; the target is then exactly as before (or still absent) and no
// temporary file remains. Texts are written as their bytes with a zero byte where the layout asks for one.
bool WriteScenario(const Scenario& scenario, const std::string& path);

}  // namespace rw::scenario
