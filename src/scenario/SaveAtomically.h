// Replacing a file in one step: written beside the target under a fresh temporary name, then renamed over it.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "scenario/DiskFile.h"

namespace rw::scenario {

// Creates a new temporary file in path's folder through file (which must not be open), lets write fill it,
// then flushes it to the disk, closes it and renames it over path. Returns false when any step fails; path
// is then exactly as before (or still absent) and the temporary file is removed.
bool SaveAtomically(DiskFile& file, const std::string& path, const std::function<bool()>& write);

// Replaces the file at path with bytes, atomically as SaveAtomically.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace rw::scenario
