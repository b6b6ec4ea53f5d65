// The race route: every leg between consecutive checkpoints searched and marked on the route map.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "city/MapImage.h"
#include "route/CheckpointEdit.h"
#include "route/LegCache.h"
#include "route/RoadPathfinder.h"
#include "route/RouteMap.h"
#include "scenario/Scenario.h"

namespace rw::city {
class CityMap;
}

namespace rw::route {

// The outcome of one leg of the course.
struct LegResult {
    scenario::TilePos from;
    scenario::TilePos to;
    bool found = false;
    std::uint32_t length = 0;  // tiles on the leg's path, both ends included; 0 when not found
    bool operator==(const LegResult&) const = default;
};

// Builds the route of a checkpoint list. With n checkpoints a course has n - 1 legs when laps is exactly 1
// (open) and n legs otherwise (closed, 0 included: the last leg returns to checkpoint 0); fewer than two
// checkpoints make no leg. Leg i runs from checkpoint i - 1 to checkpoint i mod n. A leg without a path is
// left out silently; the others still count.
//
// Leg results depend only on (from, to) and the city's contents, so they are kept per city state (the
// CityMap's address and Generation()): a rebuild after an edit searches only the legs that changed and
// gives exactly the result of a rebuild from nothing. Per-tile counts of the legs covering each tile let a
// dropped leg unmark only its own tiles. The route keeps one cache entry per leg of the course; told what an
// edit changed (CheckpointEdit), it replaces only the legs touching the changed checkpoints, without looking
// at the rest of the course.
class RaceRoute {
  public:
    RaceRoute();

    // Recomputes the route map from checkpoints and laps on city, then redraws image from the city and the
    // route (also with fewer than two checkpoints: this is what draws a freshly loaded city).
    void RebuildRoute(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                      std::int32_t laps, city::MapPixels& image);

    // After one edit of the list the last rebuild saw: the same result, with work that does not depend on
    // the course's length. An edit that does not fit that list (another city state, a lap count that opens or
    // closes the course, a count that does not add up, a short course) is handled as the rebuild above.
    void RebuildRoute(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                      std::int32_t laps, const CheckpointEdit& edit, city::MapPixels& image);

    // The route computation alone, without the redraw: the whole list compared with the last one.
    void UpdateRoute(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                     std::int32_t laps);
    // The same after one edit, as the edit's RebuildRoute.
    void UpdateRoute(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                     std::int32_t laps, const CheckpointEdit& edit);

    const RouteMap& Map() const { return m_map; }

    // Every leg of the last rebuild in course order, found or not (listed afresh after an update).
    std::span<const LegResult> Legs() const;
    // How many legs of the last rebuild have no road path, kept as legs come and go.
    std::size_t BrokenLegCount() const { return m_brokenLegs; }

    // Forgets every cached leg, the legs and the route map; the next rebuild searches every leg again.
    void ClearCache();

    // Forgets the cached legs that no leg of the last rebuild uses; the next rebuild's result is the same.
    // Takes time in proportion to the legs released since the last call, except when the storage is compacted
    // (once dropped legs hold half of it).
    void DropUnusedLegs();

    // Number of searches run since construction (for tests and measurements).
    std::uint64_t SearchCount() const { return m_searches; }

  private:
    static std::uint64_t LegKey(const scenario::TilePos& from, const scenario::TilePos& to);
    // Forgets every leg unless the route was built on city's current state, and takes that state.
    void FollowCity(const city::CityMap& city);
    // Replaces legs [begin, oldEnd) by the legs [begin, newEnd) of checkpoints.
    void ReplaceLegs(const city::CityMap& city, std::span<const scenario::TilePos> checkpoints,
                     std::size_t begin, std::size_t oldEnd, std::size_t newEnd);
    LegCache::Entry Acquire(const city::CityMap& city, const scenario::TilePos& from,
                            const scenario::TilePos& to);
    void Release(LegCache::Entry leg);
    void EvictUnused();

    RoadPathfinder m_pathfinder;
    RouteMap m_map{};
    std::array<std::uint32_t, 128 * 128> m_counts{};  // legs covering each tile
    std::vector<LegCache::Entry> m_legEntries;        // one per leg of the course, in course order
    mutable std::vector<LegResult> m_legs;            // Legs(), listed when asked for
    mutable bool m_legsListed = true;
    std::size_t m_checkpoints = 0;            // the length of the list the last update saw
    bool m_closed = false;                    // whether that course returned to its start
    std::vector<LegCache::Entry> m_released;  // legs whose use count fell to 0 since the last drop
    LegCache m_cache;
    const city::CityMap* m_city = nullptr;
    std::uint64_t m_generation = 0;
    std::uint64_t m_searches = 0;
    std::size_t m_brokenLegs = 0;
};

}  // namespace rw::route
