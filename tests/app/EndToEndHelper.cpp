// Helper of the end-to-end test: where the editor's controls sit, road tiles of a city, a saved race's facts.
//
//   EndToEndHelper geometry                     control positions in the window, as NAME_X=.. lines
//   EndToEndHelper make-city OUT.urb            a generated city, for when the CLI is not built
//   EndToEndHelper roads CITY.urb X,Y [X,Y...]  the road tile nearest to each target, "X,Y" per line
//   EndToEndHelper dump FILE.scn                name, city file and checkpoints of a scenario
//
// geometry runs the editor window's own layout on the same display and fonts as the editor under test,
// so the test clicks exactly where the editor draws its controls.
#include "city/CityGenerator.h"
#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "city/TileCodes.h"
#include "city/WriteCityFile.h"
#include "scenario/ReadScenario.h"
#include "ui/CourseEditorDlg.h"
#include "ui/QtEditorHost.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

int Geometry(int argc, char** argv) {
    QApplication app(argc, argv);
    rw::ui::QtEditorHost host;
    rw::ui::CourseEditorDlg window(host, (QDir::tempPath() + QDir::separator()).toStdString());
    host.SetWindow(&window);
    QTextStream out(stdout);
    const auto print = [&](const char* name, int id, bool centre) {
        const QWidget* control = window.Control(id);
        const QPoint origin = control->mapTo(&window, QPoint(0, 0));
        const QPoint at = centre ? origin + QPoint(control->width() / 2, control->height() / 2) : origin;
        out << name << "_X=" << at.x() << "\n" << name << "_Y=" << at.y() << "\n";
    };
    print("MAP", 1041, false);
    print("LOADCITY", 1022, true);
    print("TITLE", 1077, true);
    print("SAVE", 1009, true);
    print("ENTER", 1000, true);
    print("EXIT", 1109, true);
    return 0;
}

int MakeCity(const char* path) {
    rw::city::CityGeneratorOptions options;
    options.seed = 5;
    options.name = "End To End";
    const auto city = std::make_unique<rw::city::CityData>(rw::city::GenerateCity(options));
    return rw::city::WriteCityFile(*city, path) ? 0 : 1;
}

int Roads(int argc, char** argv) {
    const auto city = std::make_unique<rw::city::CityMap>();
    if (!rw::city::LoadCityFile(*city, argv[2])) {
        std::fprintf(stderr, "cannot load %s\n", argv[2]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        int tx = 0;
        int ty = 0;
        if (std::sscanf(argv[i], "%d,%d", &tx, &ty) != 2) {
            return 2;
        }
        bool found = false;
        for (int radius = 0; radius < 128 && !found; ++radius) {
            for (int x = tx - radius; x <= tx + radius && !found; ++x) {
                for (int y = ty - radius; y <= ty + radius && !found; ++y) {
                    const bool onRing = std::abs(x - tx) == radius || std::abs(y - ty) == radius;
                    if (onRing && x >= 0 && y >= 0 && x < 128 && y < 128 &&
                        rw::city::IsRoadTile(city->Building(x, y))) {
                        std::printf("%d,%d\n", x, y);
                        found = true;
                    }
                }
            }
        }
        if (!found) {
            return 1;
        }
    }
    return 0;
}

int Dump(const char* path) {
    rw::scenario::Scenario scenario;
    if (!rw::scenario::ReadScenario(scenario, path)) {
        return 1;
    }
    std::printf("name=%s\ncityFile=%s\ncheckpoints=", scenario.name.c_str(), scenario.cityFile.c_str());
    for (std::size_t i = 0; i < scenario.checkpoints.size(); ++i) {
        std::printf("%s%d,%d", i == 0 ? "" : " ", scenario.checkpoints[i].x, scenario.checkpoints[i].y);
    }
    std::printf("\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "geometry") {
        return Geometry(argc, argv);
    }
    if (mode == "make-city" && argc == 3) {
        return MakeCity(argv[2]);
    }
    if (mode == "roads" && argc >= 4) {
        return Roads(argc, argv);
    }
    if (mode == "dump" && argc == 3) {
        return Dump(argv[2]);
    }
    std::fprintf(stderr, "usage: EndToEndHelper geometry | make-city OUT | roads CITY X,Y... | dump FILE\n");
    return 2;
}
