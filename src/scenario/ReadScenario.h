// Reading a scenario file into a Scenario.
#pragma once

#include <string>

#include "res/FileResult.h"
#include "scenario/Scenario.h"

namespace rw::scenario {

// Fills scenario from the chunk file at path (little-endian chunks, file type VTSN; magic, creator and
// versions are not checked). Assign a default Scenario first: members the file does not carry keep their
// value, except that the reader always starts by setting name to "Unnamed Scenario", emptying the six
// movie/text members and emptying eventTriggers (also when the read then fails).
//
// Fails when the path is longer than res::kMaxPathChars, the file cannot be opened or is not a regular file,
// its type is not VTSN, a count chunk (#AIS, #EVS, #CHK, #PKG) claims more elements than the rest of the file
// could hold as element chunks of 8 bytes, or the counts, event value counts and triggers together would
// take more memory than 12 bytes per byte of the file; what was read up to a refused chunk stays.
// The result names the refused chunk and its offset. Running out of memory is a failure like the others
// (OutOfMemory), never an exception. A truncated or damaged file is not an error: the walk stops at the
// first chunk the container refuses (or one shorter than its 8-byte header, or longer than 32768 bytes after
// being read) and returns true.
//
// Normalisations applied while reading:
// - later chunks win; a count chunk replaces its list with default elements and element chunks fill it
//   in order; element chunks past the count, or before any count, are ignored;
// - a number chunk shorter than 4 bytes (EPSD shorter than 24) changes only the bytes it carries;
// - an AiRacer whose word7 is negative gets word7 = word8 = 0; words a short ANAI chunk lacks are 0;
// - an event's negative value4 becomes 1; a text3 starting with the byte 0xCD becomes empty;
// - labels are assigned to events already read, in list order; an unterminated last piece is dropped;
// - the first of two trigger entries with the same key is kept;
// - when laps != 0 and a checkpoint was read since the last #CHK, startX/startY become the first
//   checkpoint's x/y.
res::FileResult ReadScenarioResult(Scenario& scenario, const std::string& path);

// ReadScenarioResult for callers that need only whether it worked.
inline bool ReadScenario(Scenario& scenario, const std::string& path) {
    return ReadScenarioResult(scenario, path).Ok();
}

}  // namespace rw::scenario
