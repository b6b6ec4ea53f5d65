// What a tile code means: the transport colour set and the checkpoint set at every boundary, the location
// descriptions (27 codes, police and fire ids swapped), picking a tile from a point and its status text.
#include "city/TileCodes.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>
#include <string>

#include "city/CityMap.h"
#include "city/LocationNames.h"
#include "city/MapPicking.h"
#include "res/StringTable.h"

namespace rw::city {
namespace {

TEST(TileCodes, SetBoundaries) {
    for (int code : {29, 43, 63, 70, 73, 81, 89, 93, 107}) {
        EXPECT_TRUE(IsTransportTile(code)) << code;
    }
    for (int code : {0, 1, 28, 44, 62, 71, 72, 90, 91, 92, 108, 255, -1, 256}) {
        EXPECT_FALSE(IsTransportTile(code)) << code;
    }
    for (int code : {29, 43, 63, 70, 75, 76, 81, 90, 92, 96, 106, 107}) {
        EXPECT_TRUE(IsRoadTile(code)) << code;
    }
    for (int code : {0, 28, 44, 62, 71, 72, 73, 74, 77, 80, 97, 105, 108, 255, -1, 256}) {
        EXPECT_FALSE(IsRoadTile(code)) << code;
    }
    // The sets differ where the map and the placement disagree: 73 is white but takes no checkpoint, and
    // exactly 90, 91 and 92 take one but are drawn as ground.
    int roadsNotWhite = 0;
    for (int code = 0; code < 256; ++code) {
        roadsNotWhite += IsRoadTile(code) && !IsTransportTile(code) ? 1 : 0;
    }
    EXPECT_EQ(roadsNotWhite, 3);
}

TEST(LocationNames, DescribesTheListedCodesOnly) {
    for (const auto& [code, text] : std::initializer_list<std::pair<int, const char*>>{
             {200, "Windmill"},
             {203, "Nuclear Power"},
             {204, "Solar Power"},  // string 132 is not a building
             {210, "Police Station"},
             {211, "Fire Station"},
             {218, "Zoo"},
             {243, "Mayor's House"},
             {255, "Llama Dome"}}) {
        EXPECT_EQ(LocationNameOf(code), text);
    }
    for (int code : {0, 29, 90, 199, 219, 242, 244, 246, 247, 249, 250, 256, -1}) {
        EXPECT_FALSE(LocationNameOf(code).has_value()) << code;
    }
}

TEST(LocationNames, TableHas27DistinctTextsInCodeOrder) {
    ASSERT_EQ(kLocationNames.size(), 27u);
    std::set<std::string> texts;
    for (std::size_t i = 0; i < kLocationNames.size(); ++i) {
        EXPECT_TRUE(i == 0 ||
                    kLocationNames[i - 1].code < kLocationNames[i].code);  // the lookup relies on it
        const auto text = LocationNameOf(kLocationNames[i].code);
        ASSERT_TRUE(text.has_value());
        EXPECT_FALSE(text->empty());
        EXPECT_NE(*text, res::String(127));
        EXPECT_NE(*text, res::String(132));
        texts.emplace(*text);
    }
    EXPECT_EQ(texts.size(), 27u);
}

TEST(MapPicking, TileFromPointHalvesTowardZero) {
    // -1 (one pixel left of or above the map) still picks tile 0.
    for (const auto& [px, py, tx, ty] : std::initializer_list<std::array<int, 4>>{{0, 0, 0, 0},
                                                                                  {1, 1, 0, 0},
                                                                                  {2, 3, 1, 1},
                                                                                  {255, 255, 127, 127},
                                                                                  {-1, 10, 0, 5},
                                                                                  {10, -1, 5, 0},
                                                                                  {-1, -1, 0, 0}}) {
        EXPECT_EQ(TileFromPoint(px, py), (MapTile{tx, ty})) << px << "," << py;
    }
    for (const auto& [px, py] : {std::pair{-2, 10}, {10, -2}, {256, 0}, {0, 256}, {-300, 5}}) {
        EXPECT_FALSE(TileFromPoint(px, py)) << px << "," << py;
    }
}

TEST(MapPicking, DescriptionsFollowRoadThenLocationThenNoRoad) {
    EXPECT_EQ(TileDescription(90), "Road Here");  // a road though not drawn white
    EXPECT_EQ(TileDescription(29), "Road Here");
    EXPECT_EQ(TileDescription(73), "No Road Here");  // drawn white, but no road
    EXPECT_EQ(TileDescription(0), "No Road Here");
    EXPECT_EQ(TileDescription(211), "Fire Station");
    EXPECT_EQ(TileDescription(219), "No Road Here");

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
