// Leg-by-leg route building with the per-city leg cache.
#include "route/RaceRoute.h"

#include <algorithm>

#include "city/CityMap.h"

namespace rw::route {

RaceRoute::RaceRoute() = default;

std::uint64_t RaceRoute::LegKey(const scenario::TilePos& from, const scenario::TilePos& to) {
    return (std::uint64_t{from.x} << 48) | (std::uint64_t{from.y} << 32) | (std::uint64_t{to.x} << 16) | to.y;
}

void RaceRoute::ClearCache() {
    m_map.fill(0);
    m_counts.fill(0);
    m_legs.clear();
    m_legEntries.clear();
    m_cache.Clear();
    m_city = nullptr;
}

LegCache::Entry RaceRoute::Acquire(const city::CityMap& city, const scenario::TilePos& from,
                                   const scenario::TilePos& to) {
    const std::uint64_t key = LegKey(from, to);
    LegCache::Entry leg;
    if (!m_cache.Find(key, leg)) {
        ++m_searches;
        leg = m_cache.Insert(key, m_pathfinder.FindPath(city, from.x, from.y, to.x, to.y));
    }
    ++m_cache.Uses(leg);
    for (const std::uint16_t tile : m_cache.Tiles(leg)) {
        if (m_counts[tile]++ == 0) {
            m_map[tile] = 1;
        }
    }
    return leg;
}

void RaceRoute::Release(LegCache::Entry leg) {
    --m_cache.Uses(leg);
    for (const std::uint16_t tile : m_cache.Tiles(leg)) {
        if (--m_counts[tile] == 0) {
            m_map[tile] = 0;
        }
    }
}

void RaceRoute::EvictUnused() {
    // Unused entries let an undone edit skip its search, but must not pile up without bound over a session.
    if (m_cache.Size() <= 2 * m_legs.size() + 256) {
        return;
    }
    DropUnusedLegs();
}

void RaceRoute::DropUnusedLegs() {
    m_cache.DropUnused();
}

void RaceRoute::UpdateRoute(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                            std::int32_t laps) {
    if (m_city != &city || m_generation != city.Generation()) {
        ClearCache();
        m_city = &city;
        m_generation = city.Generation();
    }

    m_wanted.clear();
    const std::size_t n = checkpoints.size();
    if (n >= 2) {
        const std::size_t legCount = laps == 1 ? n - 1 : n;
        for (std::size_t i = 1; i <= legCount; ++i) {
            m_wanted.push_back(LegResult{checkpoints[i - 1], checkpoints[i % n]});
        }
    }

    // An edit changes one stretch of the leg list; the legs before and after it keep their marks.
    const auto sameLeg = [](const LegResult& a, const LegResult& b) {
        return a.from == b.from && a.to == b.to;
    };
    const std::size_t oldCount = m_legs.size();
    const std::size_t newCount = m_wanted.size();
    std::size_t prefix = 0;
    while (prefix < oldCount && prefix < newCount && sameLeg(m_legs[prefix], m_wanted[prefix])) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < oldCount - prefix && suffix < newCount - prefix &&
           sameLeg(m_legs[oldCount - 1 - suffix], m_wanted[newCount - 1 - suffix])) {
        ++suffix;
    }

    const std::size_t oldEnd = oldCount - suffix;
    const std::size_t newEnd = newCount - suffix;
    for (std::size_t i = prefix; i < oldEnd; ++i) {
        Release(m_legEntries[i]);
    }

    // Reuse the entries of the kept stretches and fill the changed one in place.
    const auto prefixEnd = static_cast<std::ptrdiff_t>(prefix);
    if (newEnd - prefix != oldEnd - prefix) {
        if (newEnd > oldEnd) {
            const auto extra = newEnd - oldEnd;
            m_legs.insert(m_legs.begin() + static_cast<std::ptrdiff_t>(oldEnd), extra, LegResult{});
            m_legEntries.insert(m_legEntries.begin() + static_cast<std::ptrdiff_t>(oldEnd), extra, 0);
        } else {
            const auto gone = static_cast<std::ptrdiff_t>(oldEnd - newEnd);
            m_legs.erase(m_legs.begin() + prefixEnd, m_legs.begin() + prefixEnd + gone);
            m_legEntries.erase(m_legEntries.begin() + prefixEnd, m_legEntries.begin() + prefixEnd + gone);
        }
    }
    for (std::size_t i = prefix; i < newEnd; ++i) {
        const LegResult& wanted = m_wanted[i];
        const LegCache::Entry leg = Acquire(city, wanted.from, wanted.to);
        m_legs[i] = LegResult{wanted.from, wanted.to, m_cache.Found(leg),
                              static_cast<std::uint32_t>(m_cache.Tiles(leg).size())};
        m_legEntries[i] = leg;
    }
    EvictUnused();
}

void RaceRoute::RebuildRoute(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                             std::int32_t laps, city::MapPixels& image) {
    UpdateRoute(city, checkpoints, laps);
    city::RedrawMap(city, m_map, image);
}

}  // namespace rw::route
