// One tile of a search: a queue entry (tag = travel mode) or a path tile (tag = step number).
#pragma once

#include <cstdint>

namespace rw::route {

// How a tile was entered. Queue entries carry Surface or Tunnel; Portal is only ever the effective mode
// on a tile whose tunnel field is 1, where travel may switch between the two.
enum class TravelMode : std::uint32_t {
    Surface = 0,
    Portal = 1,
    Tunnel = 2,
};

struct PathNode {
    std::int16_t y = 0;
    std::int16_t x = 0;
    std::uint32_t tag = 0;
    bool operator==(const PathNode&) const = default;
};

}  // namespace rw::route
