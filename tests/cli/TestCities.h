// Small hand-made city files for the CLI tests, written with the project's own city writer.
#pragma once

#include <string>

#include "scenario/Scenario.h"

namespace rw::cli::test {

// The "L" city, named "Test City":
// - a road along row 10 from x = 10 to 30 (code 81) and down column 30 from y = 10 to 30 (code 29), so
//   (10, 10) -> (30, 10) -> (30, 30) has a single shortest path per leg;
// - a separate road piece at (60..62, 60) that no road reaches;
// - a tile zoo on row 50: (12, 50) code 73 (white, drivable, not a road), (14, 50) code 92 (road, not
//   drivable), (16, 50) code 210 (Police Station), (18, 50) water (code 0, flag bit 2), (20, 50) tunnel
//   field 3 under code 81, (22, 50) zone byte 0x12 (zone type 2);
// - (50, 12) code 5, the mirror of (12, 50), so swapped coordinates show;
// - every other tile: no building, zone 0, terrain height 3;
// - graph 0 holding 500 and graph 5 holding 777 among zeros.
// 46 road tiles (21 + 20 + 3 + the two road-coded zoo tiles), 1 tunnel tile.
void WriteLCity(const std::string& path);

inline constexpr scenario::TilePos kCornerA{10, 10};
inline constexpr scenario::TilePos kCornerB{30, 10};
inline constexpr scenario::TilePos kCornerC{30, 30};
inline constexpr scenario::TilePos kIsland{60, 60};
inline constexpr int kLRoadTiles = 46;
inline constexpr int kGroundHeight = 3;

}  // namespace rw::cli::test
