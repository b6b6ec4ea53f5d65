// Deterministic synthetic cities for tests, benchmarks and the demo game folder.
#pragma once

#include <cstdint>
#include <string>

#include "city/CityData.h"

namespace rw::city {

enum class RoadDensity {
    Sparse,  // a wide street grid in the middle of each bank
    Normal,
    Dense,  // a tight grid that reaches nearly every part of the map
};

struct CityGeneratorOptions {
    std::uint64_t seed = 1;
    std::string name = "Generated City";
    RoadDensity roads = RoadDensity::Normal;
};

// Facts about a generated city that tests and tools need without searching for them.
struct GeneratedCityInfo {
    int tunnelLength = 0;                  // tiles from portal to portal, both included
    int westPortalX = 0, westPortalY = 0;  // the portal tiles (tunnel field 1)
    int eastPortalX = 0, eastPortalY = 0;
    bool riverAcrossX = true;  // the river runs from top to bottom (x across it); else left to right
};

// A 128 x 128 city, the same for the same options: terrain heights (altitude bits 0..4), a river of
// water tiles (building code 0, flag bit 2) that splits the map in two banks, zones 1..9, small buildings
// (codes 1..12), larger buildings that show their zone, a few location buildings (codes 200..255), a
// street grid on each bank whose codes are roads for checkpoint placement and drivable for the
// pathfinder, a few white transport tiles that are not roads (rails), and one tunnel under the river:
// portal tiles with tunnel field 1 at both ends, inner tiles with field 2. The tunnel is the only link
// between the banks, so the road network is connected only through it. Every other chunk holds plausible
// values; the name goes into CNAM. info, when given, receives the tunnel's position.
CityData GenerateCity(const CityGeneratorOptions& options, GeneratedCityInfo* info = nullptr);

}  // namespace rw::city
