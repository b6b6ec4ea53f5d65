// The plainest breadth-first search over the city grid: the floor the road search can approach.
#pragma once

#include <array>
#include <cstdint>

#include "city/CityMap.h"

namespace rw::bench {

// Breadth-first from (fromX, fromY) to (toX, toY) over tiles that are drivable or lie on a tunnel, with four
// neighbours, a flat visited array and a fixed ring buffer queue; no travel modes and no path. Returns the
// goal's step number (1 for the start), 0 when the goal is not reached.
class ReferenceSearch {
  public:
    int Run(const city::CityMap& city, int fromX, int fromY, int toX, int toY);

  private:
    std::array<std::uint16_t, 128 * 128> m_visited{};
    std::array<std::uint16_t, 128 * 128> m_ring{};
};

}  // namespace rw::bench
