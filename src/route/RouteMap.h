// The race route as one byte per tile.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace rw::route {

// 128 x 128 bytes indexed [x][y], that is x * 128 + y: 1 for a tile on the route, 0 for any other.
using RouteMap = std::array<std::uint8_t, 128 * 128>;

constexpr std::size_t TileIndex(int x, int y) {
    return static_cast<std::size_t>(x * 128 + y);
}

}  // namespace rw::route
