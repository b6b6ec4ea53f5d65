// The race route, its legs, map and picture after every kind of edit, against a plain model of the rules.
#include "route/RaceRoute.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "city/CityGenerator.h"
#include "city/CityMap.h"
#include "city/TileCodes.h"
#include "route/RoadPathfinder.h"

namespace rw::route {
namespace {

using scenario::TilePos;

class RaceRouteTest : public ::testing::Test {
  protected:
    // Rebuilds route (told the edit when there is one) and compares it with the course as the rules say: with
    // n >= 2 checkpoints, leg i from checkpoint i - 1 to checkpoint i mod n for i = 1 .. n - 1, and i = n too
    // unless laps is exactly 1; each searched afresh, its path marked 1, the city redrawn under the route.
    void ExpectSameAsModel(const std::vector<TilePos>& course, int laps, std::optional<CheckpointEdit> edit) {
        if (edit) {
            route->RebuildRoute(*city, course, laps, *edit, *image);
        } else {
            route->RebuildRoute(*city, course, laps, *image);
        }
        const std::size_t n = course.size(), legCount = n < 2 ? 0 : laps == 1 ? n - 1 : n;
        std::vector<LegResult> legs;
        RouteMap map{};
        for (std::size_t i = 1; i <= legCount; ++i) {
            const TilePos from = course[i - 1], to = course[i % n];
            std::deque<PathNode> path;
            const bool found = finder->FindRoadPath(*city, from.x, from.y, to.x, to.y, path);
            legs.push_back({from, to, found, static_cast<std::uint32_t>(path.size())});
            for (const PathNode& node : path) {
                map[TileIndex(node.x, node.y)] = 1;
            }
        }
        modelSearches += legCount;
        ASSERT_TRUE(std::ranges::equal(route->Legs(), legs)) << n << ", laps " << laps;
        ASSERT_EQ(route->Map(), map);
        city::RedrawMap(*city, map, *modelImage);
        ASSERT_EQ(*image, *modelImage);
    }

    std::unique_ptr<city::CityMap> city = std::make_unique<city::CityMap>();
    std::unique_ptr<RaceRoute> route = std::make_unique<RaceRoute>();
    std::unique_ptr<RoadPathfinder> finder = std::make_unique<RoadPathfinder>();
    std::unique_ptr<city::MapPixels> image = std::make_unique<city::MapPixels>();
    std::unique_ptr<city::MapPixels> modelImage = std::make_unique<city::MapPixels>();
    std::size_t modelSearches = 0;
};

// Random edits of every kind (lap counts below 1 too), each checked against the model, picture included.
TEST_F(RaceRouteTest, RebuildsMatchTheModelOverRandomEdits) {
    // Streets on two banks of a river, joined only by a tunnel.
    city->Replace(city::GenerateCity({99, "Generated City", city::RoadDensity::Normal}), {});
    std::vector<TilePos> course;
    int laps = 1;
    std::mt19937 rng(1234);
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    // Mostly tiles a click could place a checkpoint on, sometimes any tile (as a loaded file may hold).
    const auto anyTile = [&] {
        for (;;) {
            const auto x = static_cast<std::uint16_t>(pick(128)), y = static_cast<std::uint16_t>(pick(128));
            if (city::IsRoadTile(city->Building(x, y)) || pick(20) == 0) {
                return TilePos{x, y};
            }
        }
    };
    std::size_t foundLegs = 0, allLegs = 0;
    for (int step = 0; step < 400; ++step) {
        const std::size_t size = course.size();
        const auto at = static_cast<std::size_t>(size > 0 ? pick(static_cast<int>(size)) : 0);
        std::optional<CheckpointEdit> edit;  // told to the route for list edits
        const int kind = pick(12);
        const TilePos tile = anyTile();
        if (kind < 2 || (kind == 2 && size > 0)) {  // 2: a repeat, mostly of the last one, as a second click
            course.push_back(kind < 2 ? tile : course[pick(3) ? size - 1 : at]);
            edit = CheckpointEdit::Add(size);
        } else if ((kind == 3 || kind == 4) && size > 0) {
            course[at] = tile;
            edit = CheckpointEdit::Move(at);
        } else if ((kind == 5 || kind == 6) && size > 0) {
            course.erase(course.begin() + static_cast<std::ptrdiff_t>(at));
            edit = CheckpointEdit::Delete(at);
        } else if (kind == 7) {
            laps = pick(5) - 1;
        } else if (kind == 8) {  // the city itself edited: mostly a new road, sometimes one taken away
            city->SetBuilding(pick(128), pick(128), pick(2) ? std::uint8_t{29} : std::uint8_t{0});
        } else if (kind == 9) {  // the whole list replaced, as a load does
            std::shuffle(course.begin(), course.end(), rng);
        } else if (kind == 10) {
            // After a checkpoint, the last one included, or before the first (-1).
            const int after = size == 0 ? -1 : static_cast<int>(at) - pick(2);
            course.insert(course.begin() + (after + 1), tile);
            edit = CheckpointEdit::Insert(after);
        } else if (kind == 11) {
            const auto shift = pick(2) ? CheckpointShift::Earlier : CheckpointShift::Later;
            const std::size_t other = shift == CheckpointShift::Earlier ? at - 1 : at + 1;  // wraps below 0
            if (other < size) {
                std::swap(course[at], course[other]);
                edit = CheckpointEdit::Shift(at, shift);
            }
        }
        SCOPED_TRACE(step);
        ASSERT_NO_FATAL_FAILURE(ExpectSameAsModel(course, laps, edit));
        foundLegs += static_cast<std::size_t>(std::ranges::count_if(route->Legs(), &LegResult::found));
        allLegs += route->Legs().size();
    }
    // Mostly real routes, not only failed searches, on a course that grew, with far fewer searches.
    EXPECT_GT(foundLegs, allLegs / 2);
    EXPECT_GT(course.size(), 10u);
    EXPECT_LT(route->SearchCount(), modelSearches / 3);
}

}  // namespace
}  // namespace rw::route
