// Loading the city a command works on, with the tool's error report when it cannot be loaded.
#pragma once

#include <memory>
#include <string>

#include "city/CityMap.h"
#include "scenario/Scenario.h"

namespace rw::cli {

// A freshly allocated city with the file at path loaded by the editor's city reader, or nullptr after
// reporting why it cannot be loaded on stderr (the caller exits with kExitFileFailed).
std::unique_ptr<city::CityMap> LoadCityOrReport(const std::string& path);

// The city of a scenario read from scenarioPath: cityOption when it is not empty, otherwise the file the
// scenario's cityFile names in the cities folder of the game folder that holds the scenario (the scenario
// lies in <game folder>/scenarios/movie/). A city file name with a folder part is refused, naming it.
// nullptr after a report, as above.
std::unique_ptr<city::CityMap> LoadScenarioCityOrReport(const std::string& scenarioPath,
                                                        const scenario::Scenario& scenario,
                                                        const std::string& cityOption);

}  // namespace rw::cli
