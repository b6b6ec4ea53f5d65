// The file commands both end-to-end helpers answer.
#include "support/EndToEndFiles.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "city/CityGenerator.h"
#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "city/TileCodes.h"
#include "city/WriteCityFile.h"
#include "scenario/ReadScenario.h"

namespace rw::support {

namespace {

int MakeCity(const char* path) {
    const auto city =
        std::make_unique<rw::city::CityData>(rw::city::GenerateCity({.seed = 5, .name = "End To End"}));
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

std::optional<int> RunFileCommand(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "make-city" && argc == 3) {
        return MakeCity(argv[2]);
    }
    if (command == "roads" && argc >= 4) {
        return Roads(argc, argv);
    }
    if (command == "dump" && argc == 3) {
        return Dump(argv[2]);
    }
    return std::nullopt;
}

}  // namespace rw::support
