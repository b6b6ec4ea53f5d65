// What the leg cache keeps between rebuilds, and that forgetting it never changes a route.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "TestCity.h"
#include "city/CityMap.h"
#include "route/RaceRoute.h"

namespace rw::route {
namespace {

using scenario::TilePos;

TEST(LegCache, DroppingUnusedLegsKeepsTheRouteAndOnlyCostsSearchesLater) {
    auto city = std::make_unique<city::CityMap>();
    test::Draw(*city, 0, 0, {"##########", "#........#", "##########"});
    auto route = std::make_unique<RaceRoute>();
    const std::vector<TilePos> before{{0, 0}, {9, 0}, {9, 2}};
    std::vector<TilePos> after = before;
    after[1] = TilePos{5, 2};

    route->UpdateRoute(*city, before, 0);
    route->UpdateRoute(*city, after, 0);
    const auto mapAfter = route->Map();
    const std::uint64_t searches = route->SearchCount();

    // Undoing the edit finds its legs still cached.
    route->UpdateRoute(*city, before, 0);
    EXPECT_EQ(route->SearchCount(), searches);

    route->UpdateRoute(*city, after, 0);
    route->DropUnusedLegs();
    EXPECT_EQ(route->Map(), mapAfter);
    ASSERT_EQ(route->Legs().size(), 3u);
    // The kept legs are still there; the undone ones are searched again.
    route->UpdateRoute(*city, after, 0);
    EXPECT_EQ(route->SearchCount(), searches);
    route->UpdateRoute(*city, before, 0);
    EXPECT_EQ(route->SearchCount(), searches + 2);

    auto fresh = std::make_unique<RaceRoute>();
    fresh->UpdateRoute(*city, before, 0);
    EXPECT_EQ(route->Map(), fresh->Map());
    EXPECT_TRUE(
        std::equal(route->Legs().begin(), route->Legs().end(), fresh->Legs().begin(), fresh->Legs().end()));
}

}  // namespace
}  // namespace rw::route
