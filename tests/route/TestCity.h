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
// tile alone; any other character lays a road.
inline void Draw(city::CityMap& city, int x0, int y0, const std::vector<std::string_view>& rows) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t i = 0; i < rows[r].size(); ++i) {
            if (rows[r][i] != '.') {
                city.SetBuilding(x0 + static_cast<int>(i), y0 + static_cast<int>(r), kRoad);
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
