// The goal test a road search runs against.
#pragma once

namespace rw::route {

class PathGoal {
  public:
    virtual ~PathGoal() = default;
    // True when tile (x, y) ends the search. Asked once per tile, as the tile leaves the queue.
    virtual bool IsGoal(int x, int y) const = 0;

  protected:
    PathGoal() = default;
    PathGoal(const PathGoal&) = default;
    PathGoal& operator=(const PathGoal&) = default;
};

}  // namespace rw::route
