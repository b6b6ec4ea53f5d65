// City loading for the commands, directly or through a scenario's game folder.
#include "cli/CityLoading.h"

#include <exception>
#include <filesystem>

#include "city/LoadCityFile.h"
#include "cli/CliOutput.h"
#include "scenario/Windows1252.h"

namespace rw::cli {

std::unique_ptr<city::CityMap> LoadCityOrReport(const std::string& path) {
    auto city = std::make_unique<city::CityMap>();
    bool loaded = false;
    try {
        loaded = city::LoadCityFile(*city, path);
    } catch (const std::exception&) {
        // The standard stream library throws when it reads a folder; whatever throws, the file is unusable.
        loaded = false;
    }
    if (!loaded) {
        Fail(kExitFileFailed, path, "cannot load it as a city file");
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
    // cityFile is a bare name in the game's code page; a name with folders in it would leave the cities
    // folder.
    const std::string name = scenario::Windows1252ToUtf8(scenario.cityFile);
    if (name.find_first_of("/\\") != std::string::npos || name == "." || name == "..") {
        Fail(kExitFileFailed, scenarioPath,
             "names the city file \"" + name + "\", which is not a plain file name");
        return nullptr;
    }
    const std::filesystem::path movieFolder = std::filesystem::absolute(scenarioPath).parent_path();
    const std::filesystem::path gameFolder = movieFolder.parent_path().parent_path();
    return LoadCityOrReport((gameFolder / "cities" / name).string());
}

}  // namespace rw::cli
