// The working plan of a generated city: what each tile is used for, before codes are chosen.
#pragma once

#include <array>
#include <cstdint>

#include "city/CityData.h"
#include "city/CityGenerator.h"

namespace rw::city {

// Plan coordinates: u runs across the river, v along it. All streets keep out of the band between the
// banks, so only the tunnel joins them.
inline constexpr int kWestEdge = 54;  // last street column of the west bank
inline constexpr int kEastEdge = 74;  // first street column of the east bank
inline constexpr int kWestPortal = kWestEdge + 1;
inline constexpr int kEastPortal = kEastEdge - 1;

enum class Use : std::uint8_t { Land, Water, Road, Portal, Tunnel, Rail, Location };

struct CityPlan {
    bool transpose = false;  // the river runs left to right: u is y and v is x
    int mainRow = 0;         // the main street's row v, through the tunnel
    std::array<Use, kTileCount> use{};
    std::array<bool, kTileCount> arterial{};
    std::array<int, kTileCount> height{};
    // The tile index of plan position (u, v): every array here is indexed like the city's layers.
    std::size_t At(int u, int v) const { return transpose ? TileIndex(v, u) : TileIndex(u, v); }
};

struct StreetGrid {
    int spacing;   // tiles between parallel streets
    int lo;        // first street row and lowest column
    int hi;        // last street row and highest column
    int removals;  // attempts to take out a street segment
};

StreetGrid StreetGridFor(RoadDensity density);

constexpr bool IsRoadLike(Use use) {
    return use == Use::Road || use == Use::Portal;
}

}  // namespace rw::city
