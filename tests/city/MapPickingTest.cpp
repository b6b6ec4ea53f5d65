// Points to tiles at the map's edges, and the status text for roads, locations and everything else.
#include "city/MapPicking.h"

#include <gtest/gtest.h>

#include <memory>

#include "city/CityMap.h"

namespace rw::city {
namespace {

TEST(MapPicking, TileFromPointHalvesTowardZero) {
    EXPECT_EQ(TileFromPoint(0, 0), (MapTile{0, 0}));
    EXPECT_EQ(TileFromPoint(1, 1), (MapTile{0, 0}));
    EXPECT_EQ(TileFromPoint(2, 3), (MapTile{1, 1}));
    EXPECT_EQ(TileFromPoint(255, 255), (MapTile{127, 127}));
    EXPECT_EQ(TileFromPoint(-1, 10), (MapTile{0, 5}));  // one pixel left of the map still picks column 0
    EXPECT_EQ(TileFromPoint(10, -1), (MapTile{5, 0}));
    EXPECT_EQ(TileFromPoint(-1, -1), (MapTile{0, 0}));
}

TEST(MapPicking, PointsOffTheMapPickNothing) {
    EXPECT_FALSE(TileFromPoint(-2, 10));
    EXPECT_FALSE(TileFromPoint(10, -2));
    EXPECT_FALSE(TileFromPoint(256, 0));
    EXPECT_FALSE(TileFromPoint(0, 256));
    EXPECT_FALSE(TileFromPoint(-300, 5));
}

TEST(MapPicking, DescriptionsFollowRoadThenLocationThenNoRoad) {
    EXPECT_EQ(TileDescription(90), "Road Here");  // a road though not drawn white
    EXPECT_EQ(TileDescription(29), "Road Here");
    EXPECT_EQ(TileDescription(73), "No Road Here");  // drawn white, but no road
    EXPECT_EQ(TileDescription(0), "No Road Here");
    EXPECT_EQ(TileDescription(210), "Police Station");
    EXPECT_EQ(TileDescription(211), "Fire Station");
    EXPECT_EQ(TileDescription(219), "No Road Here");
}

TEST(MapPicking, StatusTextNamesTheTileUnderThePoint) {
    const auto city = std::make_unique<CityMap>();
    city->SetBuilding(12, 40, 81);
    city->SetBuilding(127, 127, 210);
    city->SetBuilding(0, 5, 5);
    EXPECT_EQ(TileStatusText(*city, 24, 80), "12,40 - Road Here");
    EXPECT_EQ(TileStatusText(*city, 25, 81), "12,40 - Road Here");
    EXPECT_EQ(TileStatusText(*city, 26, 80), "13,40 - No Road Here");
    EXPECT_EQ(TileStatusText(*city, 255, 255), "127,127 - Police Station");
    EXPECT_EQ(TileStatusText(*city, -1, 10), "0,5 - No Road Here");
    EXPECT_EQ(TileStatusText(*city, -2, 10), "");
    EXPECT_EQ(TileStatusText(*city, 256, 0), "");
}

}  // namespace
}  // namespace rw::city
