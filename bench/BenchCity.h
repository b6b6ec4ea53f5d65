// Generated cities and the checkpoint courses the benchmarks run on.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "city/CityData.h"
#include "city/CityMap.h"
#include "scenario/Scenario.h"

namespace rw::bench {

// The generator's dense city for seed: street grids on both banks of the river, joined by the tunnel,
// reaching most of the map.
city::CityData DenseCityData(std::uint64_t seed);

// The same city loaded into a CityMap.
std::unique_ptr<city::CityMap> DenseCity(std::uint64_t seed);

// Every tile of city a checkpoint may stand on, column by column.
std::vector<scenario::TilePos> RoadTiles(const city::CityMap& city);

// The share of the map (0..1) that the road search reaches from the first road tile.
double ReachedShare(const city::CityMap& city);

// The two ends of the longest search on city: a road tile and the tile the search reaches last from it (found
// by two sweeps of the road search), so the search between them handles every tile it can reach.
std::pair<scenario::TilePos, scenario::TilePos> WorstCaseLegEnds(const city::CityMap& city);

// A course a player would click: count road tiles, each a few streets from the one before (Manhattan distance
// 6 to 24 where the network allows), wandering over the whole map. The same for the same seed.
std::vector<scenario::TilePos> DrivenCourse(const city::CityMap& city, std::size_t count, std::uint32_t seed);

// Road tiles within 6 to 24 tiles (Manhattan) of near, in a scrambled but fixed order; empty when there is
// none.
std::vector<scenario::TilePos> TilesNear(const city::CityMap& city, scenario::TilePos near,
                                         std::uint32_t seed);

}  // namespace rw::bench
