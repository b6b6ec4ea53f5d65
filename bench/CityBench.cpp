// Timings of loading a generated city file against reading its bytes, and of the whole-map redraw.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchCity.h"
#include "ReferenceFill.h"
#include "city/LoadCityFile.h"
#include "city/MapImage.h"
#include "city/WriteCityFile.h"
#include "route/RaceRoute.h"

namespace rw::bench {
namespace {

constexpr std::uint64_t kCitySeed = 2024;

// The dense city written to a file in the temporary folder, removed again at exit.
class CityFile {
  public:
    CityFile()
        : m_path((std::filesystem::temp_directory_path() /
                  ("routewright-bench-" + std::to_string(std::random_device{}()) + ".urb"))
                     .string()) {
        if (!city::WriteCityFile(DenseCityData(kCitySeed), m_path)) {
            m_path.clear();
        }
    }
    ~CityFile() {
        if (!m_path.empty()) {
            std::error_code ignored;
            std::filesystem::remove(m_path, ignored);
        }
    }
    CityFile(const CityFile&) = delete;
    CityFile& operator=(const CityFile&) = delete;
    const std::string& Path() const { return m_path; }

  private:
    std::string m_path;
};

const std::string& BenchCityPath() {
    static const CityFile file;
    return file.Path();
}

// Case 4: the city file decoded into a CityMap.
void LoadCity(benchmark::State& state) {
    const std::string& path = BenchCityPath();
    auto map = std::make_unique<city::CityMap>();
    for (auto _ : state) {
        if (!city::LoadCityFile(*map, path)) {
            state.SkipWithError("the generated city did not load");
            break;
        }
    }
    state.counters["fileBytes"] = static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK(LoadCity)->Unit(benchmark::kMicrosecond);

// Beside it, the same file's bytes read into memory.
void ReadCityBytes(benchmark::State& state) {
    const std::string& path = BenchCityPath();
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        in.seekg(0, std::ios::end);
        std::vector<char> bytes(static_cast<std::size_t>(in.tellg()));
        in.seekg(0);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(ReadCityBytes)->Unit(benchmark::kMicrosecond);

// Case 5: the map picture recoloured from the city and a route.
void RedrawMap(benchmark::State& state) {
    const auto city = DenseCity(kCitySeed);
    const auto course = DrivenCourse(*city, 1000, 7);
    auto route = std::make_unique<route::RaceRoute>();
    route->UpdateRoute(*city, course, 0);
    auto image = std::make_unique<city::MapPixels>();
    for (auto _ : state) {
        city::RedrawMap(*city, route->Map(), *image);
        benchmark::DoNotOptimize(image->data());
    }
}
BENCHMARK(RedrawMap)->Unit(benchmark::kMicrosecond);

// Beside it, every pixel of the same picture set from a 256-entry table by its tile's building code.
void RedrawFloor(benchmark::State& state) {
    const auto city = DenseCity(kCitySeed);
    std::array<std::uint8_t, 256> table{};
    for (std::size_t code = 0; code < table.size(); ++code) {
        table[code] = static_cast<std::uint8_t>(code * 7 + 1);
    }
    auto sources = std::make_unique<city::MapPixels>();
    for (int row = 0; row < 256; ++row) {
        for (int column = 0; column < 256; ++column) {
            (*sources)[city::PixelIndex(column, row)] = city->Building(column / 2, row / 2);
        }
    }
    auto image = std::make_unique<city::MapPixels>();
    for (auto _ : state) {
        ReferenceFill(*sources, table, *image);
        benchmark::DoNotOptimize(image->data());
    }
}
BENCHMARK(RedrawFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rw::bench
