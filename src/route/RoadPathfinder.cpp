// The road search core and its backtrack.
#include "route/RoadPathfinder.h"

#include <algorithm>

#include "city/CityMap.h"

namespace rw::route {

namespace {

constexpr int kSide = 128;
constexpr int kTiles = kSide * kSide;

constexpr std::array<bool, 256> MakeDrivableTable() {
    std::array<bool, 256> table{};
    for (int code = 0; code < 256; ++code) {
        table[static_cast<std::size_t>(code)] = IsDrivableCode(code);
    }
    return table;
}

constexpr std::array<bool, 256> kDrivable = MakeDrivableTable();

constexpr int TunnelField(std::uint16_t altitude) {
    return (altitude & 0x7C00) >> 10;
}

}  // namespace

RoadPathfinder::RoadPathfinder() {
    m_queue.resize(kTiles);
    m_path.reserve(kTiles);
}

template <class Goal>
bool RoadPathfinder::Run(const city::CityMap& city, int startX, int startY, const Goal& goal) {
    m_path.clear();
    std::fill(m_steps.begin(), m_steps.end(), std::uint16_t{0});
    if (startX < 0 || startX >= kSide || startY < 0 || startY >= kSide) {
        return false;
    }
    const auto buildings = city.BuildingLayer();
    const auto altitudes = city.AltitudeLayer();

    std::size_t head = 0;
    std::size_t tail = 0;
    m_queue[tail++] = PathNode{static_cast<std::int16_t>(startY), static_cast<std::int16_t>(startX),
                               static_cast<std::uint32_t>(TravelMode::Surface)};
    m_steps[static_cast<std::size_t>(startX * kSide + startY)] = 1;

    while (head < tail) {
        const PathNode node = m_queue[head++];
        const int x = node.x;
        const int y = node.y;
        const int index = x * kSide + y;
        if (goal.IsGoal(x, y)) {
            Backtrack(index);
            return true;
        }
        const auto arrival = static_cast<TravelMode>(node.tag);
        const TravelMode mode =
            TunnelField(altitudes[static_cast<std::size_t>(index)]) == 1 ? TravelMode::Portal : arrival;
        const auto step = static_cast<std::uint16_t>(m_steps[static_cast<std::size_t>(index)] + 1);

        const auto visit = [&](int nx, int ny, int neighbour) {
            auto& reached = m_steps[static_cast<std::size_t>(neighbour)];
            if (reached != 0) {
                return;
            }
            TravelMode entered;
            if (mode != TravelMode::Surface &&
                TunnelField(altitudes[static_cast<std::size_t>(neighbour)]) != 0) {
                entered = TravelMode::Tunnel;
            } else if (mode != TravelMode::Tunnel &&
                       kDrivable[buildings[static_cast<std::size_t>(neighbour)]]) {
                entered = TravelMode::Surface;
            } else {
                return;
            }
            reached = step;
            m_queue[tail++] = PathNode{static_cast<std::int16_t>(ny), static_cast<std::int16_t>(nx),
                                       static_cast<std::uint32_t>(entered)};
        };
        if (x > 0) {
            visit(x - 1, y, index - kSide);
        }
        if (x < kSide - 1) {
            visit(x + 1, y, index + kSide);
        }
        if (y > 0) {
            visit(x, y - 1, index - 1);
        }
        if (y < kSide - 1) {
            visit(x, y + 1, index + 1);
        }
    }
    return false;
}

void RoadPathfinder::Backtrack(int goalIndex) {
    int index = goalIndex;
    std::uint16_t d = m_steps[static_cast<std::size_t>(index)];
    m_path.resize(d);
    for (;;) {
        const int x = index / kSide;
        const int y = index % kSide;
        m_path[static_cast<std::size_t>(d - 1)] =
            PathNode{static_cast<std::int16_t>(y), static_cast<std::int16_t>(x), d};
        if (d <= 1) {
            return;
        }
        const auto wanted = static_cast<std::uint16_t>(d - 1);
        const auto holds = [&](int neighbour) {
            return m_steps[static_cast<std::size_t>(neighbour)] == wanted;
        };
        if (x > 0 && holds(index - kSide)) {
            index -= kSide;
        } else if (x < kSide - 1 && holds(index + kSide)) {
            index += kSide;
        } else if (y > 0 && holds(index - 1)) {
            index -= 1;
        } else {
            // Every reached tile but the start was reached from a neighbour holding one less, so this is it.
            index += 1;
        }
        d = wanted;
    }
}

bool RoadPathfinder::FindRoadPath(const city::CityMap& city, std::uint16_t fromX, std::uint16_t fromY,
                                  std::uint16_t toX, std::uint16_t toY, std::deque<PathNode>& path) {
    if (FindPath(city, fromX, fromY, toX, toY).empty()) {
        return false;
    }
    path.insert(path.begin(), m_path.begin(), m_path.end());
    return true;
}

bool RoadPathfinder::Search(const city::CityMap& city, std::int16_t startX, std::int16_t startY,
                            const PathGoal& goal, std::deque<PathNode>& path) {
    if (!Run(city, startX, startY, goal)) {
        return false;
    }
    path.insert(path.begin(), m_path.begin(), m_path.end());
    return true;
}

std::span<const PathNode> RoadPathfinder::FindPath(const city::CityMap& city, std::uint16_t fromX,
                                                   std::uint16_t fromY, std::uint16_t toX,
                                                   std::uint16_t toY) {
    if (!Run(city, fromX, fromY, TileGoal(toX, toY))) {
        return {};
    }
    return m_path;
}

}  // namespace rw::route
