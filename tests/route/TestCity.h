// Hand-drawn and generated cities for the route tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "city/CityMap.h"

namespace rw::route::test {

inline constexpr std::uint8_t kRoad = 29;
inline constexpr std::uint8_t kUndrivableRoad = 92;  // takes a checkpoint, but cars cannot enter it

// Draws rows of characters into city from (originX, originY): one character per tile, x along a row, y down
// the rows. '.' leaves the tile alone; '#' road; 'B' code 92; 'P' portal (tunnel field 1) without a building,
// 'p' portal on a road; 'T' inner tunnel tile (field 2) without a building, 't' inner tunnel tile on a road,
// 'U' inner tunnel tile with field 31.
void Draw(city::CityMap& city, int originX, int originY, std::initializer_list<std::string_view> rows);

// Replaces city by the generator's city for seed (normal road density): streets on two banks of a river,
// joined only by a tunnel.
void GeneratedCity(city::CityMap& city, std::uint64_t seed);

}  // namespace rw::route::test
