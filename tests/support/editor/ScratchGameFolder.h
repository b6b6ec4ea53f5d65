// A throw-away game folder (cities/ and scenarios/movie/) with a test city and races written into it.
#pragma once

#include <memory>
#include <string>

#include "city/CityData.h"
#include "city/WriteCityFile.h"
#include "editor/GamePaths.h"
#include "scenario/Scenario.h"
#include "scenario/WriteScenario.h"
#include "support/ScratchFolder.h"

namespace rw::editor::test {

// The test city's roads: row kRoadRow and column kRoadColumn, from 10 to 100.
inline constexpr int kRoadRow = 40;
inline constexpr int kRoadColumn = 60;

class ScratchGameFolder {
  public:
    ScratchGameFolder() : m_folder(m_scratch.Root().string() + PathSeparator()) {
        std::filesystem::create_directories(m_scratch.Root() / "cities");
        std::filesystem::create_directories(m_scratch.Root() / "scenarios" / "movie");
    }

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
    void WriteJunk(const std::string& relativePath) const {
        const std::string junk = "this is not a game file\n";
        support::WriteFileBytes(m_scratch.Root() / relativePath, {junk.begin(), junk.end()});
    }

  private:
    support::ScratchFolder m_scratch;
    std::string m_folder;
};

}  // namespace rw::editor::test
