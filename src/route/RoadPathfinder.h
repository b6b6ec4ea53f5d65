// Breadth-first road search over the city grid, on the surface and through tunnels.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "route/DrivableCode.h"
#include "route/PathGoal.h"
#include "route/PathNode.h"
#include "route/TileGoal.h"

namespace rw::city {
class CityMap;
}

namespace rw::route {

// Step numbers of the last search, indexed [x][y] (x * 128 + y): 0 for a tile not reached, 1 for the start,
// d + 1 for a tile reached from a tile holding d.
using StepMap = std::array<std::uint16_t, 128 * 128>;

// Finds chains of edge-adjacent tiles between two tiles of a city. Travel is over drivable building codes on
// the surface and, from a portal (tunnel field 1), through tiles with a non-zero tunnel field until the next
// portal. The search is breadth-first with neighbours in the order (x - 1, y), (x + 1, y), (x, y - 1),
// (x, y + 1); the goal is tested as a tile leaves the queue; the path is traced back from the goal by step
// numbers alone, preferring neighbours in the same order.
//
// One object holds the step map and the queue and reuses them, so searches on one object must not overlap;
// nothing but the step map carries over from one search to the next. The city is only read.
class RoadPathfinder {
  public:
    RoadPathfinder();

    // Searches from (fromX, fromY) to (toX, toY). True: the path, start to goal with tags 1, 2, 3, ..., has
    // been placed in front of whatever path held. False: no path, path unchanged. A start outside the grid
    // finds nothing.
    bool FindRoadPath(const city::CityMap& city, std::uint16_t fromX, std::uint16_t fromY, std::uint16_t toX,
                      std::uint16_t toY, std::deque<PathNode>& path);

    // The same contract for any goal test.
    bool Search(const city::CityMap& city, std::int16_t startX, std::int16_t startY, const PathGoal& goal,
                std::deque<PathNode>& path);

    // The same search without a caller's container: the path from start to goal, or an empty span when there
    // is none. Valid until the next search on this object.
    std::span<const PathNode> FindPath(const city::CityMap& city, std::uint16_t fromX, std::uint16_t fromY,
                                       std::uint16_t toX, std::uint16_t toY);

    const StepMap& Steps() const { return m_steps; }

  private:
    template <class Goal>
    bool Run(const city::CityMap& city, int startX, int startY, const Goal& goal);
    void Backtrack(std::size_t goalIndex);

    StepMap m_steps{};
    // Tile indices, bit 14 set for a tile entered in tunnel travel; each tile enters at most once.
    std::array<std::uint16_t, 128 * 128> m_queue{};
    std::size_t m_reached = 0;     // queue entries of the last search: the tiles whose steps are non-zero
    std::vector<PathNode> m_path;  // the last path found, start first
};

}  // namespace rw::route
