// A throw-away game folder (cities/ and scenarios/movie/) with a test city and races written into it.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "city/CityData.h"
#include "city/WriteCityFile.h"
#include "editor/GamePaths.h"
#include "scenario/Scenario.h"
#include "scenario/WriteScenario.h"

namespace rw::editor::test {

// The test city's roads: row kRoadRow and column kRoadColumn, from 10 to 100.
inline constexpr int kRoadRow = 40;
inline constexpr int kRoadColumn = 60;

class ScratchGameFolder {
  public:
    ScratchGameFolder() {
        std::random_device random;
        m_root = std::filesystem::temp_directory_path() / ("rw-game-" + std::to_string(random()));
        std::filesystem::create_directories(m_root / "cities");
        std::filesystem::create_directories(m_root / "scenarios" / "movie");
        m_folder = m_root.string() + PathSeparator();
    }
    ~ScratchGameFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    ScratchGameFolder(const ScratchGameFolder&) = delete;
    ScratchGameFolder& operator=(const ScratchGameFolder&) = delete;

    // Ends with the separator, as the editor takes it.
    const std::string& Path() const { return m_folder; }
    std::string Scenario(const std::string& name) const { return ScenarioPath(m_folder, name); }
    std::string City(const std::string& name) const { return CityPath(m_folder, name); }

    bool WriteCity(const std::string& name) const {
        auto city = std::make_unique<rw::city::CityData>();
        for (int i = 10; i <= 100; ++i) {
            city->buildings[rw::city::TileIndex(i, kRoadRow)] = 29;
            city->buildings[rw::city::TileIndex(kRoadColumn, i)] = 29;
        }
        city->name = "Testville";
        return rw::city::WriteCityFile(*city, City(name));
    }
    bool WriteScenario(const std::string& name, const rw::scenario::Scenario& race) const {
        return rw::scenario::WriteScenario(race, Scenario(name));
    }
    // relativePath uses '/'; the file holds a line of text that no reader takes.
    bool WriteJunk(const std::string& relativePath) const {
        std::ofstream out(m_root / relativePath, std::ios::binary);
        out << "this is not a game file\n";
        return static_cast<bool>(out);
    }

  private:
    std::filesystem::path m_root;
    std::string m_folder;
};

}  // namespace rw::editor::test
