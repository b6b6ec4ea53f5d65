// The road search: trivial and failing searches, tie-breaks, tunnels and portals, borders, reuse.
#include "route/RoadPathfinder.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "TestCity.h"
#include "city/CityMap.h"

namespace rw::route {
namespace {

using Tiles = std::vector<std::pair<int, int>>;

class RoadPathfinderTest : public ::testing::Test {
  protected:
    // The tiles of a found path, after checking that its tags count 1, 2, 3, ... and its tiles touch.
    static Tiles TilesOf(const std::deque<PathNode>& path) {
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

    std::optional<Tiles> Find(int fromX, int fromY, int toX, int toY) {
        std::deque<PathNode> path;
        if (!finder->FindRoadPath(*city, static_cast<std::uint16_t>(fromX), static_cast<std::uint16_t>(fromY),
                                  static_cast<std::uint16_t>(toX), static_cast<std::uint16_t>(toY), path)) {
            EXPECT_TRUE(path.empty());
            return std::nullopt;
        }
        return TilesOf(path);
    }

    std::uint16_t StepAt(int x, int y) const {
        return finder->Steps()[static_cast<std::size_t>(x * 128 + y)];
    }

    std::unique_ptr<city::CityMap> city = std::make_unique<city::CityMap>();
    std::unique_ptr<RoadPathfinder> finder = std::make_unique<RoadPathfinder>();
};

TEST_F(RoadPathfinderTest, StartEqualsGoalIsOneTileWhateverStandsThere) {
    EXPECT_EQ(Find(0, 0, 0, 0), (Tiles{{0, 0}}));
    EXPECT_EQ(Find(127, 127, 127, 127), (Tiles{{127, 127}}));
    city->SetBuilding(40, 41, 210);
    EXPECT_EQ(Find(40, 41, 40, 41), (Tiles{{40, 41}}));
}

TEST_F(RoadPathfinderTest, AllZeroCityFindsOnlyTheStartItself) {
    EXPECT_FALSE(Find(0, 0, 1, 0));
    EXPECT_FALSE(Find(64, 64, 64, 65));
    EXPECT_FALSE(Find(5, 5, 100, 100));
    EXPECT_TRUE(Find(64, 64, 64, 64));
}

TEST_F(RoadPathfinderTest, DrivableNeighbourGivesTwoTiles) {
    test::Draw(*city, 5, 5, {".#"});
    EXPECT_EQ(Find(5, 5, 6, 5), (Tiles{{5, 5}, {6, 5}}));  // the start need not be drivable
    EXPECT_FALSE(Find(6, 5, 5, 5));                        // but a goal must be enterable
}

TEST_F(RoadPathfinderTest, PathGoesInFrontOfWhatTheSequenceHeld) {
    test::Draw(*city, 5, 5, {"###"});
    const PathNode sentinel{99, 98, 97};
    std::deque<PathNode> path{sentinel};
    ASSERT_TRUE(finder->FindRoadPath(*city, 5, 5, 7, 5, path));
    ASSERT_EQ(path.size(), 4u);
    EXPECT_EQ(path[0], (PathNode{5, 5, 1}));
    EXPECT_EQ(path[2], (PathNode{5, 7, 3}));
    EXPECT_EQ(path[3], sentinel);

    // A failed search leaves the sequence as it was.
    EXPECT_FALSE(finder->FindRoadPath(*city, 5, 5, 9, 5, path));
    EXPECT_EQ(path.size(), 4u);
}

TEST_F(RoadPathfinderTest, UndrivableCodesBlockTheWay) {
    test::Draw(*city, 0, 0, {"##B##"});
    EXPECT_FALSE(Find(0, 0, 4, 0));
    city->SetBuilding(2, 0, 91);  // drivable, though no checkpoint may stand on it
    EXPECT_EQ(Find(0, 0, 4, 0)->size(), 5u);
    city->SetBuilding(2, 0, 72);
    EXPECT_FALSE(Find(0, 0, 4, 0));
}

TEST_F(RoadPathfinderTest, DrivableSetBoundaries) {
    for (int code : {29, 43, 63, 70, 73, 91, 93, 107}) {
        EXPECT_TRUE(IsDrivableCode(code)) << code;
    }
    for (int code : {0, 28, 44, 62, 71, 72, 92, 108, 255}) {
        EXPECT_FALSE(IsDrivableCode(code)) << code;
    }
}

TEST_F(RoadPathfinderTest, BacktrackPrefersLeftThenRightThenUpThenDown) {
    test::Draw(*city, 5, 5, {"###", "###", "###"});
    // Out and back are searched afresh and take different ones of the equally short routes.
    EXPECT_EQ(Find(5, 5, 7, 7), (Tiles{{5, 5}, {5, 6}, {5, 7}, {6, 7}, {7, 7}}));
    EXPECT_EQ(Find(7, 7, 5, 5), (Tiles{{7, 7}, {7, 6}, {7, 5}, {6, 5}, {5, 5}}));
    EXPECT_EQ(Find(7, 5, 5, 7), (Tiles{{7, 5}, {7, 6}, {7, 7}, {6, 7}, {5, 7}}));
}

TEST_F(RoadPathfinderTest, SearchOrderDecidesTheModeATileIsClaimedIn) {
    // (6, 6) is an inner tunnel tile on a road, one step from both (6, 5) and (5, 6). The right neighbour is
    // expanded before the lower one, so whatever (6, 5) is decides how (6, 6) is entered.
    test::Draw(*city, 5, 5, {"#p", "#t", ".#"});  // (6, 5) a portal: (6, 6) is entered in the tunnel
    EXPECT_FALSE(Find(5, 5, 6, 7));
    EXPECT_EQ(StepAt(6, 6), 3);  // reached, but only in the tunnel, which does not lead to (6, 7)

    city = std::make_unique<city::CityMap>();
    test::Draw(*city, 5, 5, {"##", "pt", ".#"});  // (6, 5) a road: (6, 6) is entered on the surface
    // The way back goes by step numbers alone and prefers (5, 6), the portal, over the road it came by.
    EXPECT_EQ(Find(5, 5, 6, 7), (Tiles{{5, 5}, {5, 6}, {6, 6}, {6, 7}}));
}

TEST_F(RoadPathfinderTest, TileReachedByRoadIsNeverEnteredAgainInTheTunnel) {
    // (1, 5) lies over the tunnel but is a road and is reached by road first; the portal (1, 4) cannot take
    // it again, so the tunnel beyond stays closed.
    test::Draw(*city, 0, 4, {"#p..", "#tTT"});
    EXPECT_FALSE(Find(0, 5, 3, 5));

    city = std::make_unique<city::CityMap>();
    test::Draw(*city, 0, 4, {"#p..", "#TTT"});  // no road over the tunnel: the portal leads in
    EXPECT_EQ(Find(0, 5, 3, 5), (Tiles{{0, 5}, {0, 4}, {1, 4}, {1, 5}, {2, 5}, {3, 5}}));
}

TEST_F(RoadPathfinderTest, TunnelRunsFromPortalToPortalUnderAnything) {
    test::Draw(*city, 10, 9, {"...#...", "#pTUTp#"});
    city->SetBuilding(14, 10, 210);  // a building over the tunnel does not matter
    const auto path = Find(10, 10, 16, 10);
    ASSERT_TRUE(path);
    EXPECT_EQ(path->size(), 7u);
    EXPECT_EQ(Find(16, 10, 10, 10)->size(), 7u);
    EXPECT_EQ(Find(10, 10, 13, 10)->size(), 4u);  // an inner tile is a reachable goal
    EXPECT_FALSE(Find(10, 10, 13, 9));            // the road above the tunnel: no way up from inside
}

TEST_F(RoadPathfinderTest, TunnelIsEnteredOnlyAtAPortal) {
    test::Draw(*city, 10, 10, {"#TTP#", "#...#", "#####"});
    // Neither the inner tiles nor the portal without a road can be entered from the road: only the long way
    // round reaches the far side.
    EXPECT_FALSE(Find(10, 10, 11, 10));
    EXPECT_FALSE(Find(10, 10, 13, 10));
    EXPECT_EQ(Find(10, 10, 14, 10)->size(), 9u);
    // Starting on the portal opens the tunnel, which ends without a portal at (11, 10): the road beside it
    // is reached only through the portal's own road step and the long way round.
    EXPECT_EQ(Find(13, 10, 11, 10)->size(), 3u);
    EXPECT_EQ(Find(13, 10, 10, 10)->size(), 10u);
}

TEST_F(RoadPathfinderTest, GoalIsTestedAsTilesLeaveTheQueueInNeighbourOrder) {
    test::Draw(*city, 9, 9, {".#.", "###", ".#."});
    struct Recorder : PathGoal {
        bool IsGoal(int x, int y) const override {
            asked.emplace_back(x, y);
            return false;
        }
        mutable Tiles asked;
    } recorder;
    std::deque<PathNode> path;
    EXPECT_FALSE(finder->Search(*city, 10, 10, recorder, path));
    EXPECT_EQ(recorder.asked, (Tiles{{10, 10}, {9, 10}, {11, 10}, {10, 9}, {10, 11}}));

    // Of two goal tiles at the same distance, the one queued first ends the search.
    struct Either : PathGoal {
        bool IsGoal(int x, int y) const override { return (x == 10 && y == 11) || (x == 11 && y == 10); }
    } either;
    ASSERT_TRUE(finder->Search(*city, 10, 10, either, path));
    EXPECT_EQ(TilesOf(path), (Tiles{{10, 10}, {11, 10}}));
}

TEST_F(RoadPathfinderTest, BordersHaveNoNeighboursBeyondThem) {
    // Column-major storage puts (3, 127) right before (4, 0): they are not neighbours.
    city->SetBuilding(3, 127, test::kRoad);
    city->SetBuilding(4, 0, test::kRoad);
    EXPECT_FALSE(Find(3, 127, 4, 0));
    EXPECT_FALSE(Find(4, 0, 3, 127));

    for (int i = 0; i < 128; ++i) {
        city->SetBuilding(0, i, test::kRoad);
        city->SetBuilding(i, 127, test::kRoad);
    }
    EXPECT_EQ(Find(0, 0, 127, 127)->size(), 255u);
    EXPECT_EQ(Find(127, 127, 0, 0)->size(), 255u);
}

TEST_F(RoadPathfinderTest, StartOrGoalOffTheGridFindsNothing) {
    std::deque<PathNode> path{PathNode{1, 2, 3}};
    EXPECT_FALSE(finder->FindRoadPath(*city, 128, 0, 128, 0, path));
    EXPECT_FALSE(finder->FindRoadPath(*city, 0, 300, 0, 300, path));
    EXPECT_FALSE(finder->FindRoadPath(*city, 0, 0, 200, 0, path));
    const TileGoal anywhere(0, 0);
    EXPECT_FALSE(finder->Search(*city, -1, 0, anywhere, path));
    EXPECT_EQ(path.size(), 1u);
}

TEST_F(RoadPathfinderTest, StepMapIsClearedForEverySearch) {
    test::Draw(*city, 0, 0, {"#####", ".....", "#####"});
    ASSERT_TRUE(Find(0, 0, 4, 0));
    EXPECT_EQ(StepAt(4, 0), 5);
    ASSERT_TRUE(Find(0, 2, 4, 2));
    EXPECT_EQ(StepAt(4, 0), 0);
    EXPECT_EQ(StepAt(0, 0), 0);
    EXPECT_EQ(Find(0, 0, 4, 0)->size(), 5u);  // stale steps would block every tile of the first search
}

}  // namespace
}  // namespace rw::route
