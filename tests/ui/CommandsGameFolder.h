// A temporary game folder for the command tests: cities/ and scenarios/movie/ filled by our own writers.
#pragma once

#include "city/CityData.h"
#include "city/WriteCityFile.h"
#include "scenario/Scenario.h"
#include "scenario/WriteScenario.h"
#include "ui/GameFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace rw::ui::test {

// The test city's roads: row kRoadRow from x = 10 to 100 and column kRoadColumn from y = 10 to 100.
inline constexpr int kRoadRow = 40;
inline constexpr int kRoadColumn = 60;
inline constexpr std::uint8_t kRoadCode = 29;

class TestGameFolder {
  public:
    TestGameFolder() {
        QDir(m_dir.path()).mkpath(QStringLiteral("cities"));
        QDir(m_dir.path()).mkpath(QStringLiteral("scenarios/movie"));
    }

    // Ends with the separator, as the editor's game folder does.
    QString Path() const { return QDir::toNativeSeparators(m_dir.path()) + QDir::separator(); }

    bool WriteCity(const QString& fileName, const std::string& cityName = "Testville") const {
        auto city = std::make_unique<rw::city::CityData>();
        for (int i = 10; i <= 100; ++i) {
            city->buildings[rw::city::TileIndex(i, kRoadRow)] = kRoadCode;
            city->buildings[rw::city::TileIndex(kRoadColumn, i)] = kRoadCode;
        }
        city->name = cityName;
        return rw::city::WriteCityFile(*city, ToCorePath(CityPath(Path(), fileName)));
    }

    bool WriteScenario(const QString& fileName, const rw::scenario::Scenario& scenario) const {
        return rw::scenario::WriteScenario(scenario, ToCorePath(ScenarioPath(Path(), fileName)));
    }

    // A file that is neither a city nor a scenario.
    bool WriteJunk(const QString& relativePath) const {
        QFile file(m_dir.filePath(relativePath));
        return file.open(QIODevice::WriteOnly) && file.write("this is not a game file\n") > 0;
    }

  private:
    QTemporaryDir m_dir;
};

}  // namespace rw::ui::test
