// What a tile code means where the sets disagree, the location names, and picking a tile from a point.
#include "city/TileCodes.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>

#include "city/CityMap.h"
#include "city/LocationNames.h"
#include "city/MapPicking.h"

namespace rw::city {
namespace {

// Each set's boundaries, and where they differ: 73, 74, 77..80 and 97..105 are white but take no checkpoint;
// 90..92 take one but are drawn as ground. Status text: road first, then a listed location (police and fire
// ids are easily swapped).
TEST(TileCodes, SetsAtTheirBoundariesAndTheTextsTheyGive) {
    const std::set<int> transport{29, 43, 63, 70, 73, 74, 75, 76, 77, 80, 81, 89, 93, 96, 97, 105, 106, 107},
        road{29, 43, 63, 70, 75, 76, 81, 89, 90, 91, 92, 93, 96, 106, 107};
    for (const int code : {-1, 0,  28, 29, 43, 44, 62, 63, 70, 71,  72,  73,  74,  75,  76,  77,
                           80, 81, 89, 90, 91, 92, 93, 96, 97, 105, 106, 107, 108, 199, 255, 256}) {
        EXPECT_EQ(IsTransportTile(code), transport.count(code) == 1) << code;
        EXPECT_EQ(IsRoadTile(code), road.count(code) == 1) << code;
    }
    const std::pair<int, const char*> texts[] = {
        {0, "No Road Here"},     {28, "No Road Here"},  {29, "Road Here"},      {44, "No Road Here"},
        {73, "No Road Here"},    {90, "Road Here"},     {203, "Nuclear Power"}, {204, "Solar Power"},
        {210, "Police Station"}, {211, "Fire Station"}, {219, "No Road Here"},  {243, "Mayor's House"},
        {255, "Llama Dome"}};
    for (const auto& [code, text] : texts) {
        EXPECT_EQ(TileDescription(code), text) << code;
    }
    for (int code : {199, 219, 242, 244, 246, 247, 249, 250}) {
        EXPECT_FALSE(LocationNameOf(code).has_value()) << code;
    }
}

// Pixels halve toward zero, so -1 still picks tile 0; x is the column, y the row.
TEST(MapPicking, StatusTextOfThePixelUnderThePointer) {
    const auto city = std::make_unique<CityMap>();
    city->SetBuilding(12, 40, 81);
    city->SetBuilding(127, 127, 210);
    city->SetBuilding(0, 5, 5);
    const std::pair<std::array<int, 2>, const char*> cases[] = {{{24, 80}, "12,40 - Road Here"},
                                                                {{25, 81}, "12,40 - Road Here"},
                                                                {{26, 80}, "13,40 - No Road Here"},
                                                                {{80, 24}, "40,12 - No Road Here"},
                                                                {{255, 255}, "127,127 - Police Station"},
                                                                {{-1, 10}, "0,5 - No Road Here"},
                                                                {{10, -1}, "5,0 - No Road Here"},
                                                                {{-2, 10}, ""},
                                                                {{10, -2}, ""},
                                                                {{256, 0}, ""},
                                                                {{0, 256}, ""}};
    for (const auto& [point, text] : cases) {
        EXPECT_EQ(TileStatusText(*city, point[0], point[1]), text) << point[0] << "," << point[1];
    }
}

}  // namespace
}  // namespace rw::city
