// The goal of reaching one given tile.
#pragma once

#include <cstdint>

#include "route/PathGoal.h"

namespace rw::route {

class TileGoal final : public PathGoal {
  public:
    TileGoal(std::uint16_t x, std::uint16_t y) : m_x(x), m_y(y) {}

    bool IsGoal(int x, int y) const override { return x == m_x && y == m_y; }

  private:
    std::uint16_t m_x;
    std::uint16_t m_y;
};

}  // namespace rw::route
