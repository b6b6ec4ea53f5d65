// The road search where its literal model cannot speak for it: the drivable set it shares, off-grid tiles.
#include "route/RoadPathfinder.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

#include "TestCity.h"
#include "city/CityMap.h"

namespace rw::route {
namespace {

// Tie-breaks, tunnels and portals are the equivalence test's; the drivable set is the one thing the literal
// model takes from the product, so its boundaries are checked here, in the code and in a search.
TEST(RoadPathfinder, DrivableSetAtItsBoundariesInTheSearchToo) {
    auto city = std::make_unique<city::CityMap>();
    auto finder = std::make_unique<RoadPathfinder>();
    test::Draw(*city, 0, 0, {"#####"});
    const std::vector<int> codes[2] = {{0, 28, 44, 62, 71, 72, 92, 108, 255},
                                       {29, 43, 63, 70, 73, 91, 93, 107}};
    std::deque<PathNode> path;
    for (const bool drivable : {false, true}) {
        for (const int code : codes[drivable]) {
            EXPECT_EQ(IsDrivableCode(code), drivable) << code;
            city->SetBuilding(2, 0, static_cast<std::uint8_t>(code));
            path.clear();
            EXPECT_EQ(finder->FindRoadPath(*city, 0, 0, 4, 0, path), drivable) << code;
            EXPECT_EQ(path.size(), drivable ? 5u : 0u) << code;
        }
    }
    // Off the grid nothing is found and the sequence is left as it was.
    const std::deque<PathNode> before = path;
    EXPECT_FALSE(finder->FindRoadPath(*city, 128, 0, 128, 0, path));
    EXPECT_FALSE(finder->FindRoadPath(*city, 0, 0, 200, 0, path));
    EXPECT_EQ(path, before);
}

}  // namespace
}  // namespace rw::route
