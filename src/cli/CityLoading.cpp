// City loading for the commands, directly or through a scenario's game folder.
#include "cli/CityLoading.h"

#include <filesystem>

#include "city/CityFileName.h"
#include "city/LoadCityFile.h"
#include "cli/CliOutput.h"
#include "scenario/Windows1252.h"

namespace rw::cli {

std::unique_ptr<city::CityMap> LoadCityOrReport(const std::string& path) {
    auto city = std::make_unique<city::CityMap>();
    if (const res::FileResult loaded = city::LoadCityFileResult(*city, path); !loaded) {
        Fail(kExitFileFailed, path, res::Describe(loaded));
        return nullptr;
    }
    return city;
}

std::unique_ptr<city::CityMap> LoadScenarioCityOrReport(const std::string& scenarioPath,
                                                        const scenario::Scenario& scenario,
                                                        const std::string& cityOption) {
    if (!cityOption.empty()) {
        return LoadCityOrReport(cityOption);
    }
    if (scenario.cityFile.empty()) {
        Fail(kExitFileFailed, scenarioPath, "names no city file (give one with --city)");
        return nullptr;
    }
    // cityFile is a bare name in the game's code page; a name with a folder part would leave the cities
    // folder, so it is refused before anything is opened.
    const std::string name = scenario::Windows1252ToUtf8(scenario.cityFile);
    if (!city::IsBareCityFileName(scenario.cityFile)) {
        Fail(kExitFileFailed, scenarioPath,
             "names the city file \"" + name + "\", which is not a plain file name in the cities folder");
        return nullptr;
    }
    const std::filesystem::path movieFolder = std::filesystem::absolute(scenarioPath).parent_path();
    const std::filesystem::path gameFolder = movieFolder.parent_path().parent_path();
    return LoadCityOrReport((gameFolder / "cities" / name).string());
}

}  // namespace rw::cli
