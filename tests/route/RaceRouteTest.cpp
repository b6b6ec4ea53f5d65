// The race route: legs per lap count, skipped legs, the redraw, and the leg cache against full rebuilds.
#include "route/RaceRoute.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "TestCity.h"
#include "city/CityMap.h"
#include "city/TileCodes.h"
#include "route/CheckpointList.h"

namespace rw::route {
namespace {

using scenario::TilePos;

class RaceRouteTest : public ::testing::Test {
  protected:
    void Update(const std::vector<TilePos>& checkpoints, int laps) {
        route->UpdateRoute(*city, checkpoints, laps);
    }

    std::vector<std::pair<int, int>> Marked() const {
        std::vector<std::pair<int, int>> tiles;
        for (int x = 0; x < 128; ++x) {
            for (int y = 0; y < 128; ++y) {
                if (route->Map()[TileIndex(x, y)] != 0) {
                    EXPECT_EQ(route->Map()[TileIndex(x, y)], 1);
                    tiles.emplace_back(x, y);
                }
            }
        }
        return tiles;
    }

    std::unique_ptr<city::CityMap> city = std::make_unique<city::CityMap>();
    std::unique_ptr<RaceRoute> route = std::make_unique<RaceRoute>();
};

TEST_F(RaceRouteTest, FewerThanTwoCheckpointsMarkNothingButStillRedraw) {
    test::Draw(*city, 0, 0, {"###"});
    auto image = std::make_unique<city::MapPixels>();
    image->fill(7);
    route->RebuildRoute(*city, std::vector<TilePos>{{0, 0}}, 0, *image);
    EXPECT_TRUE(route->Legs().empty());
    EXPECT_TRUE(Marked().empty());
    EXPECT_EQ((*image)[city::PixelIndex(0, 0)], city::kTransportColour);
    EXPECT_EQ((*image)[city::PixelIndex(6, 0)], city::kGroundColour);

    route->RebuildRoute(*city, {}, 1, *image);
    EXPECT_TRUE(route->Legs().empty());
}

TEST_F(RaceRouteTest, RebuildPaintsTheRouteGreen) {
    test::Draw(*city, 0, 0, {"####"});
    auto image = std::make_unique<city::MapPixels>();
    route->RebuildRoute(*city, std::vector<TilePos>{{0, 0}, {2, 0}}, 1, *image);
    EXPECT_EQ((*image)[city::PixelIndex(5, 1)], city::kRouteColour);
    EXPECT_EQ((*image)[city::PixelIndex(6, 1)], city::kTransportColour);
}

TEST_F(RaceRouteTest, OpenCourseHasOneLegLessThanAClosedOne) {
    test::Draw(*city, 5, 5, {"###", "###", "###"});
    const std::vector<TilePos> two{{5, 5}, {7, 7}};
    Update(two, 1);
    ASSERT_EQ(route->Legs().size(), 1u);
    EXPECT_EQ(route->Legs()[0], (LegResult{{5, 5}, {7, 7}, true, 5}));
    EXPECT_EQ(Marked(), (std::vector<std::pair<int, int>>{{5, 5}, {5, 6}, {5, 7}, {6, 7}, {7, 7}}));

    // Closed: the way back is searched afresh and runs along the other side of the block.
    Update(two, 2);
    ASSERT_EQ(route->Legs().size(), 2u);
    EXPECT_EQ(route->Legs()[1], (LegResult{{7, 7}, {5, 5}, true, 5}));
    const auto marked = Marked();
    EXPECT_EQ(marked.size(), 8u);
    EXPECT_EQ(std::count(marked.begin(), marked.end(), std::pair(6, 6)), 0);
}

TEST_F(RaceRouteTest, LapCountsOneThreeAndZero) {
    test::Draw(*city, 0, 0, {"##########"});
    const std::vector<TilePos> three{{0, 0}, {4, 0}, {9, 0}};
    Update(three, 1);
    ASSERT_EQ(route->Legs().size(), 2u);
    EXPECT_EQ(route->Legs()[1].to, (TilePos{9, 0}));
    for (int laps : {3, 0, -1}) {
        Update(three, laps);
        ASSERT_EQ(route->Legs().size(), 3u) << laps;
        EXPECT_EQ(route->Legs()[2], (LegResult{{9, 0}, {0, 0}, true, 10})) << laps;
    }
}

TEST_F(RaceRouteTest, UnreachableLegIsSkippedAndTheOthersStay) {
    // (4, 0) takes a checkpoint but cannot be driven onto; leaving it works, as a start needs no road.
    test::Draw(*city, 0, 0, {"###.B#", "....##"});
    Update({{0, 0}, {2, 0}, {4, 0}, {5, 1}}, 1);
    ASSERT_EQ(route->Legs().size(), 3u);
    EXPECT_TRUE(route->Legs()[0].found);
    EXPECT_EQ(route->Legs()[1], (LegResult{{2, 0}, {4, 0}, false, 0}));
    EXPECT_TRUE(route->Legs()[2].found);
    EXPECT_EQ(Marked(), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {4, 0}, {4, 1}, {5, 1}}));
}

TEST_F(RaceRouteTest, RepeatedCheckpointMarksOnlyItsTile) {
    test::Draw(*city, 0, 0, {"###"});
    Update({{1, 0}, {1, 0}}, 1);
    ASSERT_EQ(route->Legs().size(), 1u);
    EXPECT_EQ(route->Legs()[0].length, 1u);
    EXPECT_EQ(Marked(), (std::vector<std::pair<int, int>>{{1, 0}}));
}

TEST_F(RaceRouteTest, RepeatedLegsAreCountedOncePerUse) {
    test::Draw(*city, 0, 0, {"#####"});
    const TilePos p{0, 0};
    const TilePos q{4, 0};
    const std::vector<std::vector<TilePos>> courses{
        {p, q, q}, {p, q, q, q}, {p, q, q, q, q}, {p, q, q}, {p, q, p, q}, {p, q, p, q, p}, {q}, {p, q}};
    auto fresh = std::make_unique<RaceRoute>();
    for (int laps : {1, 2}) {
        for (const auto& course : courses) {
            Update(course, laps);
            fresh->ClearCache();
            fresh->UpdateRoute(*city, course, laps);
            ASSERT_TRUE(std::equal(route->Legs().begin(), route->Legs().end(), fresh->Legs().begin(),
                                   fresh->Legs().end()))
                << course.size() << " checkpoints, laps " << laps;
            ASSERT_EQ(route->Map(), fresh->Map());
        }
    }
    // Dropping every leg that used the road leaves nothing marked.
    Update({p, p}, 1);
    EXPECT_EQ(Marked(), (std::vector<std::pair<int, int>>{{0, 0}}));
}

TEST_F(RaceRouteTest, EditsSearchOnlyTheLegsTheyChange) {
    test::GeneratedCity(*city, 21);
    std::vector<TilePos> course;
    for (std::uint16_t i = 0; i < 40; ++i) {
        course.push_back(
            TilePos{static_cast<std::uint16_t>(i * 3), static_cast<std::uint16_t>(i % 2 ? 5 : 10)});
    }
    Update(course, 0);
    EXPECT_EQ(route->SearchCount(), 40u);

    // Appending to a closed course replaces the closing leg by two new ones.
    course.push_back(TilePos{60, 60});
    Update(course, 0);
    EXPECT_EQ(route->SearchCount(), 42u);
    // Moving a middle checkpoint replaces the two legs that touch it.
    course[10] = TilePos{66, 65};
    Update(course, 0);
    EXPECT_EQ(route->SearchCount(), 44u);
    // Deleting one joins its neighbours with one new leg.
    course.erase(course.begin() + 20);
    Update(course, 0);
    EXPECT_EQ(route->SearchCount(), 45u);
    // Undoing the move finds both legs still cached.
    course[10] = TilePos{30, 10};
    Update(course, 0);
    EXPECT_EQ(route->SearchCount(), 45u);
    // Opening the course only drops the closing leg.
    Update(course, 1);
    EXPECT_EQ(route->SearchCount(), 45u);
    EXPECT_EQ(route->Legs().size(), course.size() - 1);
}

TEST_F(RaceRouteTest, ChangedCitySearchesAgain) {
    test::Draw(*city, 0, 0, {"#####"});
    const std::vector<TilePos> course{{0, 0}, {4, 0}};
    Update(course, 1);
    EXPECT_TRUE(route->Legs()[0].found);
    city->SetBuilding(2, 0, 0);
    Update(course, 1);
    EXPECT_FALSE(route->Legs()[0].found);
    EXPECT_TRUE(Marked().empty());

    // Another city object with the same course gets its own result.
    auto other = std::make_unique<city::CityMap>();
    test::Draw(*other, 0, 0, {"#####"});
    route->UpdateRoute(*other, course, 1);
    EXPECT_TRUE(route->Legs()[0].found);
}

// Random edits of every kind, each checked against a rebuild that starts from nothing.
TEST_F(RaceRouteTest, CachedRebuildsMatchFullRebuildsOverRandomEdits) {
    test::GeneratedCity(*city, 99);
    auto fresh = std::make_unique<RaceRoute>();
    auto image = std::make_unique<city::MapPixels>();
    auto freshImage = std::make_unique<city::MapPixels>();
    scenario::Scenario scenario;
    scenario.laps = 1;
    std::mt19937 rng(1234);
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    // Mostly tiles a click could place a checkpoint on, sometimes any tile (as a loaded file may hold).
    const auto anyTile = [&] {
        for (;;) {
            const auto x = static_cast<std::uint16_t>(pick(128));
            const auto y = static_cast<std::uint16_t>(pick(128));
            if (city::IsRoadTile(city->Building(x, y)) || pick(20) == 0) {
                return std::pair(x, y);
            }
        }
    };

    std::ptrdiff_t foundLegs = 0;
    std::size_t allLegs = 0;
    for (int step = 0; step < 250; ++step) {
        const int count = static_cast<int>(scenario.checkpoints.size());
        switch (pick(10)) {
            case 0:
            case 1: {
                const auto [x, y] = anyTile();
                AddCheckpoint(scenario, x, y);
                break;
            }
            case 2:  // a repeat, mostly of the last checkpoint, as clicking it again does
                if (count > 0) {
                    const TilePos again =
                        scenario.checkpoints[static_cast<std::size_t>(pick(3) ? count - 1 : pick(count))];
                    AddCheckpoint(scenario, again.x, again.y);
                }
                break;
            case 3:
            case 4: {
                const auto [x, y] = anyTile();
                MoveCheckpoint(scenario, count > 0 ? pick(count) : -1, x, y);
                break;
            }
            case 5:
            case 6:
                DeleteCheckpoint(scenario, count > 0 ? pick(count) : -1);
                break;
            case 7:
                scenario.laps = pick(4);
                break;
            case 8:  // an edit of the city itself, mostly a new road, sometimes a road taken away
                city->SetBuilding(pick(128), pick(128), pick(2) ? test::kRoad : std::uint8_t{0});
                break;
            default:  // the whole list replaced, as a load does
                std::shuffle(scenario.checkpoints.begin(), scenario.checkpoints.end(), rng);
                break;
        }
        route->RebuildRoute(*city, scenario.checkpoints, scenario.laps, *image);
        fresh->ClearCache();
        fresh->RebuildRoute(*city, scenario.checkpoints, scenario.laps, *freshImage);
        ASSERT_TRUE(std::equal(route->Legs().begin(), route->Legs().end(), fresh->Legs().begin(),
                               fresh->Legs().end()))
            << "step " << step;
        ASSERT_EQ(route->Map(), fresh->Map()) << "step " << step;
        ASSERT_EQ(*image, *freshImage) << "step " << step;
        foundLegs += std::count_if(route->Legs().begin(), route->Legs().end(),
                                   [](const LegResult& leg) { return leg.found; });
        allLegs += route->Legs().size();
    }
    // Mostly real routes, not only failed searches.
    EXPECT_GT(static_cast<std::size_t>(foundLegs), allLegs / 2);
    EXPECT_GT(scenario.checkpoints.size(), 10u);
    EXPECT_LT(route->SearchCount(), fresh->SearchCount() / 3);
}

}  // namespace
}  // namespace rw::route
