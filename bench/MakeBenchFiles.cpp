// bench_files DIR: writes the benchmarks' dense city and a closed race of 1,000 checkpoints on it as a game
// folder (DIR/cities/bench.urb, DIR/scenarios/movie/bench1000.scn), for measuring the command-line tool.
#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchCity.h"
#include "city/WriteCityFile.h"
#include "scenario/WriteScenario.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_files DIR\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(folder / "cities", error);
    std::filesystem::create_directories(folder / "scenarios" / "movie", error);

    constexpr std::uint64_t kCitySeed = 2024;
    const auto data = rw::bench::DenseCityData(kCitySeed);
    const std::string cityPath = (folder / "cities" / "bench.urb").string();
    if (!rw::city::WriteCityFile(data, cityPath)) {
        std::fprintf(stderr, "cannot write %s\n", cityPath.c_str());
        return 1;
    }
    const auto city = rw::bench::DenseCity(kCitySeed);
    rw::scenario::Scenario race;
    race.cityFile = "bench.urb";
    race.name = "Thousand";
    race.laps = 3;
    race.checkpoints = rw::bench::DrivenCourse(*city, 1000, 7);
    const std::string racePath = (folder / "scenarios" / "movie" / "bench1000.scn").string();
    if (!rw::scenario::WriteScenario(race, racePath)) {
        std::fprintf(stderr, "cannot write %s\n", racePath.c_str());
        return 1;
    }
    std::printf("%s\n%s\n", cityPath.c_str(), racePath.c_str());
    return 0;
}
