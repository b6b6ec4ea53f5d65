// The plainest breadth-first search over the city grid.
#include "ReferenceSearch.h"

#include <algorithm>

#include "route/DrivableCode.h"

namespace rw::bench {

int ReferenceSearch::Run(const city::CityMap& city, int fromX, int fromY, int toX, int toY) {
    const auto buildings = city.BuildingLayer();
    const auto altitudes = city.AltitudeLayer();
    std::fill(m_visited.begin(), m_visited.end(), std::uint16_t{0});
    constexpr std::size_t kMask = 128 * 128 - 1;
    std::size_t head = 0;
    std::size_t tail = 0;
    const auto start = static_cast<std::size_t>(fromX * 128 + fromY);
    const auto goal = static_cast<std::size_t>(toX * 128 + toY);
    m_ring[tail++ & kMask] = static_cast<std::uint16_t>(start);
    m_visited[start] = 1;
    while (head != tail) {
        const std::size_t index = m_ring[head++ & kMask];
        if (index == goal) {
            return m_visited[index];
        }
        const std::size_t x = index >> 7;
        const std::size_t y = index & 127;
        const auto step = static_cast<std::uint16_t>(m_visited[index] + 1);
        const auto visit = [&](std::size_t n) {
            if (m_visited[n] == 0 && ((altitudes[n] & 0x7C00) != 0 || route::IsDrivableCode(buildings[n]))) {
                m_visited[n] = step;
                m_ring[tail++ & kMask] = static_cast<std::uint16_t>(n);
            }
        };
        if (x > 0) {
            visit(index - 128);
        }
        if (x < 127) {
            visit(index + 128);
        }
        if (y > 0) {
            visit(index - 1);
        }
        if (y < 127) {
            visit(index + 1);
        }
    }
    return 0;
}

}  // namespace rw::bench
