// The file commands both end-to-end helpers answer: a generated city, road tiles near targets, a saved race.
#pragma once

#include <optional>

namespace rw::support {

// Runs `make-city OUT.urb`, `roads CITY.urb X,Y [X,Y...]` (the road tile nearest to each target, "X,Y" per
// line) or `dump FILE.scn` (name, city file and checkpoints) from argv[1] on, printing to stdout; the
// process's exit status, or nothing when argv names none of them.
std::optional<int> RunFileCommand(int argc, char** argv);

}  // namespace rw::support
