// Writing a Scenario as a scenario file.
#pragma once

#include <string>

#include "res/FileResult.h"
#include "scenario/Scenario.h"

namespace rw::scenario {

// Writes every member of scenario to path as a finalized chunk file (creator RWRT, file type VTSN, type
// version 100) in the fixed chunk order the game expects. The save is atomic (res::AtomicFile): the file is
// written beside the target and takes its place in one rename only when every chunk, the finalize and the
// flush succeeded. On failure the target is exactly as before (or still absent), no temporary file remains,
// and the result says why (a path too long is refused before anything is written). Texts are written as
// their bytes with a zero byte where the layout asks for one.
res::FileResult WriteScenarioResult(const Scenario& scenario, const std::string& path);

// WriteScenarioResult for callers that need only whether it worked.
inline bool WriteScenario(const Scenario& scenario, const std::string& path) {
    return WriteScenarioResult(scenario, path).Ok();
}

}  // namespace rw::scenario
