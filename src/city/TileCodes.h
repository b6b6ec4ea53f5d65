// Building-code sets of the map: which codes are drawn as transport and which take a checkpoint.
#pragma once

namespace rw::city {

// Codes drawn white on the map: 29-43, 63-70, 73-89 and 93-107. Wider than the checkpoint set and not the
// pathfinder's drivable set; the three sets differ on purpose.
constexpr bool IsTransportTile(int code) {
    return (code >= 29 && code <= 43) || (code >= 63 && code <= 70) || (code >= 73 && code <= 89) ||
           (code >= 93 && code <= 107);
}

// Codes a checkpoint may stand on: 29-43, 63-70, 75, 76, 81-96, 106 and 107. Code 0 is never a road.
constexpr bool IsRoadTile(int code) {
    return (code >= 29 && code <= 43) || (code >= 63 && code <= 70) || code == 75 || code == 76 ||
           (code >= 81 && code <= 96) || code == 106 || code == 107;
}

}  // namespace rw::city
