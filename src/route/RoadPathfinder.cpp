// The road search core and its backtrack.
#include "route/RoadPathfinder.h"

#include <algorithm>

#include "city/CityMap.h"

namespace rw::route {

namespace {

constexpr std::size_t kSide = 128;
constexpr std::size_t kTiles = kSide * kSide;

constexpr std::array<bool, 256> MakeDrivableTable() {
    std::array<bool, 256> table{};
    for (int code = 0; code < 256; ++code) {
        table[static_cast<std::size_t>(code)] = IsDrivableCode(code);
    }
    return table;
}

constexpr std::array<bool, 256> kDrivable = MakeDrivableTable();

constexpr std::uint16_t kTunnelBits = 0x7C00;
// Queue entries are tile indices; this bit marks a tile entered in tunnel travel (Surface otherwise).
constexpr std::uint16_t kTunnelFlag = 0x4000;
constexpr std::uint16_t kIndexMask = kTunnelFlag - 1;
static_assert(kTiles <= kIndexMask + 1);

constexpr int TunnelField(std::uint16_t altitude) {
    return (altitude & 0x7C00) >> 10;
}

}  // namespace

RoadPathfinder::RoadPathfinder() = default;

template <class Goal>
bool RoadPathfinder::Run(const city::CityMap& city, int startX, int startY, const Goal& goal) {
    m_path.clear();
    // Only the tiles the last search reached hold a step number; they are exactly its queue entries. After
    // a short search clearing them one by one beats clearing the whole map.
    if (m_reached > kTiles / 8) {
        std::fill(m_steps.begin(), m_steps.end(), std::uint16_t{0});
    } else {
        for (std::size_t i = 0; i < m_reached; ++i) {
            m_steps[m_queue[i] & kIndexMask] = 0;
        }
    }
    m_reached = 0;
    if (startX < 0 || startX >= static_cast<int>(kSide) || startY < 0 || startY >= static_cast<int>(kSide)) {
        return false;
    }
    const std::uint8_t* const buildings = city.BuildingLayer().data();
    const std::uint16_t* const altitudes = city.AltitudeLayer().data();
    std::uint16_t* const steps = m_steps.data();
    std::uint16_t* const queue = m_queue.data();

    std::size_t head = 0;
    std::size_t tail = 0;
    const auto startIndex = static_cast<std::size_t>(startX) * kSide + static_cast<std::size_t>(startY);
    queue[tail++] = static_cast<std::uint16_t>(startIndex);
    steps[startIndex] = 1;

    // The three ways a tile can be left, each a plain test per neighbour: on the surface only road steps, in
    // a tunnel only tunnel steps, at a portal a tunnel step where the neighbour has a tunnel field and a road
    // step elsewhere.
    const auto surface = [&](std::size_t n, std::uint16_t step) {
        if (steps[n] == 0 && kDrivable[buildings[n]]) {
            steps[n] = step;
            queue[tail++] = static_cast<std::uint16_t>(n);
        }
    };
    const auto tunnel = [&](std::size_t n, std::uint16_t step) {
        if (steps[n] == 0 && (altitudes[n] & kTunnelBits) != 0) {
            steps[n] = step;
            queue[tail++] = static_cast<std::uint16_t>(n | kTunnelFlag);
        }
    };
    const auto portal = [&](std::size_t n, std::uint16_t step) {
        if (steps[n] != 0) {
            return;
        }
        if ((altitudes[n] & kTunnelBits) != 0) {
            steps[n] = step;
            queue[tail++] = static_cast<std::uint16_t>(n | kTunnelFlag);
        } else if (kDrivable[buildings[n]]) {
            steps[n] = step;
            queue[tail++] = static_cast<std::uint16_t>(n);
        }
    };
    const auto neighbours = [](std::size_t index, std::uint16_t step, const auto& visit) {
        const std::size_t x = index >> 7;
        const std::size_t y = index & (kSide - 1);
        if (x > 0) {
            visit(index - kSide, step);
        }
        if (x < kSide - 1) {
            visit(index + kSide, step);
        }
        if (y > 0) {
            visit(index - 1, step);
        }
        if (y < kSide - 1) {
            visit(index + 1, step);
        }
    };

    while (head < tail) {
        const std::uint16_t entry = queue[head++];
        const std::size_t index = entry & kIndexMask;
        if (goal.IsGoal(static_cast<int>(index >> 7), static_cast<int>(index & (kSide - 1)))) {
            m_reached = tail;
            Backtrack(index);
            return true;
        }
        const auto step = static_cast<std::uint16_t>(steps[index] + 1);
        if (TunnelField(altitudes[index]) == 1) {
            neighbours(index, step, portal);
        } else if ((entry & kTunnelFlag) != 0) {
            neighbours(index, step, tunnel);
        } else {
            neighbours(index, step, surface);
        }
    }
    m_reached = tail;
    return false;
}

void RoadPathfinder::Backtrack(std::size_t goalIndex) {
    std::size_t index = goalIndex;
    std::uint16_t d = m_steps[index];
    m_path.resize(d);
    for (;;) {
        const std::size_t x = index >> 7;
        const std::size_t y = index & (kSide - 1);
        m_path[static_cast<std::size_t>(d - 1)] =
            PathNode{static_cast<std::int16_t>(y), static_cast<std::int16_t>(x), d};
        if (d <= 1) {
            return;
        }
        const auto wanted = static_cast<std::uint16_t>(d - 1);
        if (x > 0 && m_steps[index - kSide] == wanted) {
            index -= kSide;
        } else if (x < kSide - 1 && m_steps[index + kSide] == wanted) {
            index += kSide;
        } else if (y > 0 && m_steps[index - 1] == wanted) {
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
