// Helper of the Windows end-to-end test, run under the same Wine as the editor under test.
//
//   win32_e2e_helper where TITLE [ID]            screen rectangle "X Y W H" of the visible window titled
//                                                TITLE, or of its control ID
//   win32_e2e_helper make-city OUT.urb           a generated city, for when the CLI is not at hand
//   win32_e2e_helper roads CITY.urb X,Y [X,Y...] the road tile nearest to each target, "X,Y" per line
//   win32_e2e_helper dump FILE.scn               name, city file and checkpoints of a scenario
//
// where asks the running editor itself, so the test clicks exactly where Wine placed the controls.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "Utf16.h"
#include "city/CityGenerator.h"
#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "city/TileCodes.h"
#include "city/WriteCityFile.h"
#include "scenario/ReadScenario.h"

namespace {

int Where(int argc, char** argv) {
    HWND window = FindWindowW(nullptr, rw::win32::Widen(argv[2]).c_str());
    // A dialog exists before it shows; a click then would land on the window under it.
    if (window != nullptr && !IsWindowVisible(window)) {
        return 1;
    }
    if (window != nullptr && argc > 3) {
        window = GetDlgItem(window, std::atoi(argv[3]));
    }
    RECT rect{};
    if (window == nullptr || !GetWindowRect(window, &rect)) {
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
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
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "where" && argc >= 3) {
        return Where(argc, argv);
    }
    if (command == "make-city" && argc == 3) {
        return MakeCity(argv[2]);
    }
    if (command == "roads" && argc >= 4) {
        return Roads(argc, argv);
    }
    if (command == "dump" && argc == 3) {
        return Dump(argv[2]);
    }
    std::fprintf(
        stderr, "usage: win32_e2e_helper where TITLE [ID] | make-city OUT | roads CITY X,Y... | dump FILE\n");
    return 2;
}
