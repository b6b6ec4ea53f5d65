// Telling whether a city file name taken from a scenario stays inside the game's cities folder.
#pragma once

#include <string_view>

namespace rw::city {

// True when name is a bare file name: not empty, not "." or "..", and without a folder part of any kind
// (no "/" or "\", no drive letter or other ":"), so that <cities folder>/name can only be a file in that
// folder. A scenario names its city by such a name; anything else in a scenario is refused rather than
// opened, wherever it would lead.
bool IsBareCityFileName(std::string_view name);

}  // namespace rw::city
