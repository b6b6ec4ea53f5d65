// The road search: trivial and failing searches, tie-breaks, tunnels and portals, borders, the drivable set.
#include "route/RoadPathfinder.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "TestCity.h"
#include "city/CityMap.h"

namespace rw::route {
namespace {

using Tiles = std::vector<std::pair<int, int>>;

// The tiles of a found path, after checking that its tags count 1, 2, 3, ... and its tiles touch.
Tiles TilesOf(const std::deque<PathNode>& path) {
    Tiles tiles;
    for (std::size_t i = 0; i < path.size(); ++i) {
        EXPECT_EQ(path[i].tag, i + 1);
        if (i > 0) {
            EXPECT_EQ(std::abs(path[i].x - path[i - 1].x) + std::abs(path[i].y - path[i - 1].y), 1);
        }
        tiles.emplace_back(path[i].x, path[i].y);
    }
    return tiles;
}

std::optional<Tiles> Find(RoadPathfinder& finder, const city::CityMap& city, int fromX, int fromY, int toX,
                          int toY) {
    std::deque<PathNode> path;
    if (!finder.FindRoadPath(city, static_cast<std::uint16_t>(fromX), static_cast<std::uint16_t>(fromY),
                             static_cast<std::uint16_t>(toX), static_cast<std::uint16_t>(toY), path)) {
        EXPECT_TRUE(path.empty());
        return std::nullopt;
    }
    return TilesOf(path);
}

// Each case draws a fresh city and searches once: exact tiles when given, else the length (0: not found).
TEST(RoadPathfinder, DrawnCities) {
    const std::vector<std::string_view> block{"###", "###", "###"}, tunnel{"...#...", "#pTUhp#"},
        closedEnd{"#TTP#", "#...#", "#####"};
    const struct {
        int x0, y0;
        std::vector<std::string_view> rows;
        int fromX, fromY, toX, toY;
        std::size_t length;
        Tiles tiles;
    } cases[] = {
        // Start = goal is one tile, whatever stands there; the all-zero city reaches nothing else.
        {0, 0, {}, 0, 0, 0, 0, 1, {{0, 0}}},
        {40, 41, {"H"}, 40, 41, 40, 41, 1, {{40, 41}}},
        {0, 0, {}, 0, 0, 1, 0, 0, {}},
        // The start need not be drivable, but a goal must be enterable.
        {5, 5, {".#"}, 5, 5, 6, 5, 2, {{5, 5}, {6, 5}}},
        {5, 5, {".#"}, 6, 5, 5, 5, 0, {}},
        // The backtrack prefers left, right, up, down: out and back take different equally short routes.
        {5, 5, block, 5, 5, 7, 7, 5, {{5, 5}, {5, 6}, {5, 7}, {6, 7}, {7, 7}}},
        {5, 5, block, 7, 7, 5, 5, 5, {{7, 7}, {7, 6}, {7, 5}, {6, 5}, {5, 5}}},
        {5, 5, block, 7, 5, 5, 7, 5, {{7, 5}, {7, 6}, {7, 7}, {6, 7}, {5, 7}}},
        // (6, 6) is an inner tunnel tile on a road; the right neighbour is expanded before the lower one, so
        // (6, 5) decides its mode. A portal there claims it in the tunnel, which does not lead to (6, 7); a
        // road claims it on the surface, and the way back prefers (5, 6), the portal, by step numbers alone.
        {5, 5, {"#p", "#t", ".#"}, 5, 5, 6, 7, 0, {}},
        {5, 5, {"##", "pt", ".#"}, 5, 5, 6, 7, 4, {{5, 5}, {5, 6}, {6, 6}, {6, 7}}},
        // A road tile over the tunnel reached by road first is never entered again from the portal.
        {0, 4, {"#p..", "#tTT"}, 0, 5, 3, 5, 0, {}},
        {0, 4, {"#p..", "#TTT"}, 0, 5, 3, 5, 6, {{0, 5}, {0, 4}, {1, 4}, {1, 5}, {2, 5}, {3, 5}}},
        // A tunnel runs portal to portal under anything, field 31 included; an inner tile is a goal, but
        // the road above it cannot be reached from inside.
        {10, 9, tunnel, 10, 10, 16, 10, 7, {}},
        {10, 9, tunnel, 10, 10, 13, 10, 4, {}},
        {10, 9, tunnel, 10, 10, 13, 9, 0, {}},
        // Neither inner tiles nor a portal without a road are entered from the road: only the long way
        // round. Starting on the portal opens the tunnel, which ends without a portal at (11, 10).
        {10, 10, closedEnd, 10, 10, 11, 10, 0, {}},
        {10, 10, closedEnd, 10, 10, 14, 10, 9, {}},
        {10, 10, closedEnd, 13, 10, 11, 10, 3, {}},
    };
    auto finder = std::make_unique<RoadPathfinder>();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        auto city = std::make_unique<city::CityMap>();
        test::Draw(*city, c.x0, c.y0, c.rows);
        const auto path = Find(*finder, *city, c.fromX, c.fromY, c.toX, c.toY);
        EXPECT_EQ(path ? path->size() : 0u, c.length) << "case " << i;
        if (path && !c.tiles.empty()) {
            EXPECT_EQ(*path, c.tiles) << "case " << i;
        }
        if (c.rows == std::vector<std::string_view>{"#p", "#t", ".#"}) {  // reached, but only in the tunnel
            EXPECT_EQ(finder->Steps()[6 * 128 + 6], 3);
        }
    }
}

TEST(RoadPathfinder, DrivableSetAtItsBoundariesInTheSearchToo) {
    auto city = std::make_unique<city::CityMap>();
    auto finder = std::make_unique<RoadPathfinder>();
    test::Draw(*city, 0, 0, {"#####"});
    const std::vector<int> codes[2] = {{0, 28, 44, 62, 71, 72, 92, 108, 255},
                                       {29, 43, 63, 70, 73, 91, 93, 107}};
    for (const bool drivable : {false, true}) {
        for (const int code : codes[drivable]) {
            EXPECT_EQ(IsDrivableCode(code), drivable) << code;
            city->SetBuilding(2, 0, static_cast<std::uint8_t>(code));
            EXPECT_EQ(Find(*finder, *city, 0, 0, 4, 0).has_value(), drivable) << code;
        }
    }
}

TEST(RoadPathfinder, PathGoesInFrontOfTheSequenceAndOffGridFindsNothing) {
    auto city = std::make_unique<city::CityMap>();
    auto finder = std::make_unique<RoadPathfinder>();
    test::Draw(*city, 5, 5, {"###"});
    const PathNode sentinel{99, 98, 97};
    std::deque<PathNode> path{sentinel};
    ASSERT_TRUE(finder->FindRoadPath(*city, 5, 5, 7, 5, path));
    EXPECT_EQ(path, (std::deque<PathNode>{{5, 5, 1}, {5, 6, 2}, {5, 7, 3}, sentinel}));
    // A failed search, or one off the grid, leaves the sequence as it was.
    path = {sentinel};
    EXPECT_FALSE(finder->FindRoadPath(*city, 5, 5, 9, 5, path));
    EXPECT_FALSE(finder->FindRoadPath(*city, 128, 0, 128, 0, path));
    EXPECT_FALSE(finder->FindRoadPath(*city, 0, 300, 0, 300, path));
    EXPECT_FALSE(finder->FindRoadPath(*city, 0, 0, 200, 0, path));
    EXPECT_FALSE(finder->Search(*city, -1, 0, TileGoal(0, 0), path));
    EXPECT_EQ(path, std::deque<PathNode>{sentinel});
}

}  // namespace
}  // namespace rw::route
