// Hand-drawn and generated cities for the route tests.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "city/CityGenerator.h"
#include "city/CityMap.h"

namespace rw::route::test {

inline constexpr std::uint8_t kRoad = 29;

// Draws rows into city from (x0, y0): one character per tile, x along a row, y down the rows. '.' leaves the
// tile alone; '#' road; 'B' code 92 (takes a checkpoint, cars cannot enter it); 'H' building 210; 'P' portal
// (tunnel field 1), 'T' inner tunnel tile (field 2), 'U' field 31; 'p' and 't' the same on a road, 'h' an
// inner tunnel tile under building 210.
inline void Draw(city::CityMap& city, int x0, int y0, const std::vector<std::string_view>& rows) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t i = 0; i < rows[r].size(); ++i) {
            const auto k = std::string_view("#BHPpTtUh").find(rows[r][i]);
            const int x = x0 + static_cast<int>(i), y = y0 + static_cast<int>(r);
            static constexpr std::uint8_t kCodes[] = {kRoad, 92, 210, 0, kRoad, 0, kRoad, 0, 210};
            static constexpr int kFields[] = {0, 0, 0, 1, 1, 2, 2, 31, 2};
            if (k != std::string_view::npos && kCodes[k] != 0) {
                city.SetBuilding(x, y, kCodes[k]);
            }
            if (k != std::string_view::npos && kFields[k] != 0) {
                city.SetAltitude(x, y, static_cast<std::uint16_t>(kFields[k] << 10));
            }
        }
    }
}

// Replaces city by the generator's city for seed: streets on two banks of a river, joined only by a tunnel.
inline void GeneratedCity(city::CityMap& city, std::uint64_t seed) {
    city::CityGeneratorOptions options;
    options.seed = seed;
    std::array<std::uint32_t, 16> graphMax{};
    graphMax.fill(1);
    city.Replace(city::GenerateCity(options), graphMax);
}

}  // namespace rw::route::test
