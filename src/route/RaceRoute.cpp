// Leg-by-leg route building with the per-city leg cache.
#include "route/RaceRoute.h"

#include <algorithm>

#include "city/CityMap.h"

namespace rw::route {

RaceRoute::RaceRoute() = default;

std::uint64_t RaceRoute::LegKey(const scenario::TilePos& from, const scenario::TilePos& to) {
    return (std::uint64_t{from.x} << 48) | (std::uint64_t{from.y} << 32) | (std::uint64_t{to.x} << 16) | to.y;
}

namespace {

std::size_t LegCount(std::size_t checkpoints, bool closed) {
    if (checkpoints < 2) {
        return 0;
    }
    return closed ? checkpoints : checkpoints - 1;
}

scenario::TilePos KeyEnd(std::uint64_t key, int shift) {
    return {static_cast<std::uint16_t>(key >> (shift + 16)), static_cast<std::uint16_t>(key >> shift)};
}

}  // namespace

void RaceRoute::ClearCache() {
    m_map.fill(0);
    m_counts.fill(0);
    m_legEntries.clear();
    m_brokenLegs = 0;
    m_legs.clear();
    m_legsListed = true;
    m_checkpoints = 0;
    m_released.clear();
    m_cache.Clear();
    m_city = nullptr;
}

std::span<const LegResult> RaceRoute::Legs() const {
    if (!m_legsListed) {
        m_legs.clear();
        for (const LegCache::Entry leg : m_legEntries) {
            const std::uint64_t key = m_cache.Key(leg);
            m_legs.push_back(LegResult{KeyEnd(key, 32), KeyEnd(key, 0), m_cache.Found(leg),
                                       static_cast<std::uint32_t>(m_cache.Tiles(leg).size())});
        }
        m_legsListed = true;
    }
    return m_legs;
}

void RaceRoute::FollowCity(const city::CityMap& city) {
    if (m_city != &city || m_generation != city.Generation()) {
        ClearCache();
        m_city = &city;
        m_generation = city.Generation();
    }
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
    m_brokenLegs += m_cache.Found(leg) ? 0 : 1;
    for (const std::uint16_t tile : m_cache.Tiles(leg)) {
        if (m_counts[tile]++ == 0) {
            m_map[tile] = 1;
        }
    }
    return leg;
}

void RaceRoute::Release(LegCache::Entry leg) {
    if (--m_cache.Uses(leg) == 0) {
        m_released.push_back(leg);
    }
    m_brokenLegs -= m_cache.Found(leg) ? 0 : 1;
    for (const std::uint16_t tile : m_cache.Tiles(leg)) {
        if (--m_counts[tile] == 0) {
            m_map[tile] = 0;
        }
    }
}

void RaceRoute::EvictUnused() {
    // Unused entries let an undone edit skip its search, but must not pile up without bound over a session.
    const std::size_t bound = 2 * m_legEntries.size() + 256;
    if (m_cache.Size() <= bound && m_released.size() <= bound) {
        return;
    }
    DropUnusedLegs();
}

void RaceRoute::DropUnusedLegs() {
    // Only a leg released since the last drop can be unused.
    for (const LegCache::Entry leg : m_released) {
        m_cache.Drop(leg);
    }
    m_released.clear();
    if (2 * m_cache.DroppedTiles() > m_cache.StoredTiles()) {
        m_cache.DropUnused();
    }
}

void RaceRoute::ReplaceLegs(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                            std::size_t begin, std::size_t oldEnd, std::size_t newEnd) {
    for (std::size_t i = begin; i < oldEnd; ++i) {
        Release(m_legEntries[i]);
    }
    const auto at = m_legEntries.begin() + static_cast<std::ptrdiff_t>(begin);
    if (newEnd > oldEnd) {
        m_legEntries.insert(at, newEnd - oldEnd, 0);
    } else {
        m_legEntries.erase(at, at + static_cast<std::ptrdiff_t>(oldEnd - newEnd));
    }
    const std::size_t n = checkpoints.size();
    for (std::size_t i = begin; i < newEnd; ++i) {
        m_legEntries[i] = Acquire(city, checkpoints[i], checkpoints[(i + 1) % n]);
    }
    m_legsListed = false;
}

void RaceRoute::UpdateRoute(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                            std::int32_t laps) {
    FollowCity(city);
    const std::size_t n = checkpoints.size();
    const bool closed = laps != 1;
    const std::size_t oldCount = m_legEntries.size();
    const std::size_t newCount = LegCount(n, closed);
    const auto sameLeg = [&](std::size_t oldLeg, std::size_t newLeg) {
        return m_cache.Key(m_legEntries[oldLeg]) ==
               LegKey(checkpoints[newLeg], checkpoints[(newLeg + 1) % n]);
    };
    // An edit changes one stretch of the leg list; the legs before and after it keep their marks.
    std::size_t prefix = 0;
    while (prefix < oldCount && prefix < newCount && sameLeg(prefix, prefix)) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < oldCount - prefix && suffix < newCount - prefix &&
           sameLeg(oldCount - 1 - suffix, newCount - 1 - suffix)) {
        ++suffix;
    }
    ReplaceLegs(city, checkpoints, prefix, oldCount - suffix, newCount - suffix);
    m_checkpoints = n;
    m_closed = closed;
    EvictUnused();
}

void RaceRoute::UpdateRoute(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                            std::int32_t laps, const CheckpointEdit& edit) {
    // Short courses wrap around within the edit's reach; they are cheap to compare whole.
    constexpr std::size_t kShortest = 4;
    const std::size_t before = m_checkpoints;
    const std::size_t n = checkpoints.size();
    const bool closed = laps != 1;
    const bool fits = m_city == &city && m_generation == city.Generation() && closed == m_closed &&
                      edit.removed <= 2 && edit.added <= 2 && edit.first <= before &&
                      edit.first + edit.removed <= before && before - edit.removed + edit.added == n &&
                      before >= kShortest && n >= kShortest &&
                      m_legEntries.size() == LegCount(before, closed);
    if (!fits) {
        UpdateRoute(city, checkpoints, laps);
        return;
    }
    // Leg i runs from checkpoint i to the next: the edit breaks the legs from the one entering the changed
    // stretch to the one leaving it, and on a closed course an edit of checkpoint 0 also the closing leg.
    const std::size_t oldCount = m_legEntries.size();
    const std::size_t newCount = LegCount(n, closed);
    const std::size_t begin = edit.first == 0 ? 0 : edit.first - 1;
    const std::size_t oldEnd = std::min(edit.first + edit.removed, oldCount);
    const std::size_t newEnd = std::min(edit.first + edit.added, newCount);
    const bool closing = closed && edit.first == 0;
    // The legs on either side must be those of the list after the edit, else the edit is not the one made.
    const auto sameLeg = [&](std::size_t oldLeg, std::size_t newLeg) {
        return m_cache.Key(m_legEntries[oldLeg]) ==
               LegKey(checkpoints[newLeg], checkpoints[(newLeg + 1) % n]);
    };
    if ((begin > 0 && !sameLeg(begin - 1, begin - 1)) ||
        (oldEnd < oldCount - (closing ? 1 : 0) && !sameLeg(oldEnd, newEnd))) {
        UpdateRoute(city, checkpoints, laps);
        return;
    }
    if (closing) {
        Release(m_legEntries.back());
        m_legEntries.pop_back();
    }
    ReplaceLegs(city, checkpoints, begin, oldEnd, newEnd);
    if (closing) {
        m_legEntries.push_back(Acquire(city, checkpoints[n - 1], checkpoints[0]));
    }
    m_checkpoints = n;
    EvictUnused();
}

void RaceRoute::RebuildRoute(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                             std::int32_t laps, city::MapPixels& image) {
    UpdateRoute(city, checkpoints, laps);
    city::RedrawMap(city, m_map, image);
}

void RaceRoute::RebuildRoute(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                             std::int32_t laps, const CheckpointEdit& edit, city::MapPixels& image) {
    UpdateRoute(city, checkpoints, laps, edit);
    city::RedrawMap(city, m_map, image);
}

}  // namespace rw::route
