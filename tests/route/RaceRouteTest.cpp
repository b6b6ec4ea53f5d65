// The race route: legs per lap count, the redraw, and the leg cache against full rebuilds.
#include "route/RaceRoute.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "TestCity.h"
#include "city/CityMap.h"
#include "city/TileCodes.h"
#include "route/CheckpointList.h"

namespace rw::route {
namespace {

using scenario::TilePos;
using Tiles = std::vector<std::pair<int, int>>;

class RaceRouteTest : public ::testing::Test {
  protected:
    void Update(const std::vector<TilePos>& checkpoints, int laps) {
        route->UpdateRoute(*city, checkpoints, laps);
    }

    // The marked tiles, x-major, after checking each is marked 1.
    Tiles Marked() const {
        Tiles tiles;
        for (std::size_t i = 0; i < route->Map().size(); ++i) {
            if (route->Map()[i] != 0) {
                EXPECT_EQ(route->Map()[i], 1);
                tiles.emplace_back(static_cast<int>(i / 128), static_cast<int>(i % 128));
            }
        }
        return tiles;
    }

    // Rebuilds route (told the edit when there is one) and, from an empty cache, fresh: every leg, the map
    // and the picture must agree.
    void ExpectSameAsFresh(const std::vector<TilePos>& course, int laps, std::optional<CheckpointEdit> edit) {
        if (edit) {
            route->RebuildRoute(*city, course, laps, *edit, *image);
        } else {
            route->RebuildRoute(*city, course, laps, *image);
        }
        fresh->ClearCache();
        fresh->RebuildRoute(*city, course, laps, *freshImage);
        ASSERT_TRUE(std::ranges::equal(route->Legs(), fresh->Legs())) << course.size() << ", laps " << laps;
        ASSERT_EQ(route->Map(), fresh->Map());
        ASSERT_EQ(*image, *freshImage);
    }

    std::unique_ptr<city::CityMap> city = std::make_unique<city::CityMap>();
    std::unique_ptr<RaceRoute> route = std::make_unique<RaceRoute>();
    std::unique_ptr<RaceRoute> fresh = std::make_unique<RaceRoute>();
    std::unique_ptr<city::MapPixels> image = std::make_unique<city::MapPixels>();
    std::unique_ptr<city::MapPixels> freshImage = std::make_unique<city::MapPixels>();
};

TEST_F(RaceRouteTest, LegsForLapsOneThreeAndZero) {
    test::Draw(*city, 5, 5, {"###", "###", "###"});
    image->fill(7);  // one checkpoint makes no leg, yet the city is drawn
    route->RebuildRoute(*city, std::vector<TilePos>{{5, 5}}, 1, *image);
    EXPECT_TRUE(route->Legs().empty());
    EXPECT_EQ((*image)[city::PixelIndex(10, 10)], city::kTransportColour);
    const std::vector<TilePos> two{{5, 5}, {7, 7}};
    Update(two, 1);
    ASSERT_EQ(route->Legs().size(), 1u);
    EXPECT_EQ(route->Legs()[0], (LegResult{{5, 5}, {7, 7}, true, 5}));
    EXPECT_EQ(Marked(), (Tiles{{5, 5}, {5, 6}, {5, 7}, {6, 7}, {7, 7}}));
    // Closed: the way back is searched afresh and runs along the other side of the block.
    Update(two, 2);
    ASSERT_EQ(route->Legs().size(), 2u);
    EXPECT_EQ(route->Legs()[1], (LegResult{{7, 7}, {5, 5}, true, 5}));
    EXPECT_EQ(Marked().size(), 8u);
    EXPECT_EQ(route->Map()[TileIndex(6, 6)], 0);

    test::Draw(*city, 0, 0, {"##########"});
    const std::vector<TilePos> three{{0, 0}, {4, 0}, {9, 0}};
    for (int laps : {3, 0, -1}) {
        Update(three, laps);
        ASSERT_EQ(route->Legs().size(), 3u) << laps;
        EXPECT_EQ(route->Legs()[2], (LegResult{{9, 0}, {0, 0}, true, 10})) << laps;
    }
}

// Random edits of every kind, each checked against a rebuild that starts from nothing, picture included.
TEST_F(RaceRouteTest, CachedRebuildsMatchFullRebuildsOverRandomEdits) {
    test::GeneratedCity(*city, 99);
    scenario::Scenario scenario;
    scenario.laps = 1;
    std::mt19937 rng(1234);
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    // Mostly tiles a click could place a checkpoint on, sometimes any tile (as a loaded file may hold).
    const auto anyTile = [&] {
        for (;;) {
            const auto x = static_cast<std::uint16_t>(pick(128)), y = static_cast<std::uint16_t>(pick(128));
            if (city::IsRoadTile(city->Building(x, y)) || pick(20) == 0) {
                return std::pair(x, y);
            }
        }
    };
    std::size_t foundLegs = 0, allLegs = 0;
    for (int step = 0; step < 400; ++step) {
        const int count = static_cast<int>(scenario.checkpoints.size());
        const auto size = static_cast<std::size_t>(count);
        const int at = count > 0 ? pick(count) : -1;
        std::optional<CheckpointEdit> edit;  // told to the route for list edits that are made
        const int kind = pick(12);
        if (kind < 2) {
            const auto [x, y] = anyTile();
            AddCheckpoint(scenario, x, y);
            edit = CheckpointEdit::Add(size);
        } else if (kind == 2 && count > 0) {  // a repeat, mostly of the last checkpoint, as a second click
            const TilePos again = scenario.checkpoints[static_cast<std::size_t>(pick(3) ? count - 1 : at)];
            AddCheckpoint(scenario, again.x, again.y);
            edit = CheckpointEdit::Add(size);
        } else if (kind == 3 || kind == 4) {
            const auto [x, y] = anyTile();
            if (MoveCheckpoint(scenario, at, x, y)) {
                edit = CheckpointEdit::Move(static_cast<std::size_t>(at));
            }
        } else if (kind == 5 || kind == 6) {
            if (DeleteCheckpoint(scenario, at)) {
                edit = CheckpointEdit::Delete(static_cast<std::size_t>(at));
            }
        } else if (kind == 7) {
            scenario.laps = pick(4);
        } else if (kind == 8) {  // the city itself edited: mostly a new road, sometimes one taken away
            city->SetBuilding(pick(128), pick(128), pick(2) ? test::kRoad : std::uint8_t{0});
        } else if (kind == 9) {  // the whole list replaced, as a load does
            std::shuffle(scenario.checkpoints.begin(), scenario.checkpoints.end(), rng);
        } else if (kind == 10) {
            const auto [x, y] = anyTile();
            const int after = at - pick(2);  // -1 (before the first) and the last index included
            if (InsertCheckpoint(scenario, after, x, y)) {
                edit = CheckpointEdit::Insert(after);
            }
        } else if (kind == 11) {
            const auto shift = pick(2) ? CheckpointShift::Earlier : CheckpointShift::Later;
            if (ShiftCheckpoint(scenario, at, shift)) {
                edit = CheckpointEdit::Shift(static_cast<std::size_t>(at), shift);
            }
        }
        SCOPED_TRACE(step);
        ASSERT_NO_FATAL_FAILURE(ExpectSameAsFresh(scenario.checkpoints, scenario.laps, edit));
        foundLegs += static_cast<std::size_t>(std::ranges::count_if(route->Legs(), &LegResult::found));
        allLegs += route->Legs().size();
    }
    // Mostly real routes, not only failed searches, on a course that grew, with far fewer searches.
    EXPECT_GT(foundLegs, allLegs / 2);
    EXPECT_GT(scenario.checkpoints.size(), 10u);
    EXPECT_LT(route->SearchCount(), fresh->SearchCount() / 3);
}

}  // namespace
}  // namespace rw::route
