// What a tile code means where the sets disagree, the location names, and picking a tile from a point.
#include "city/TileCodes.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "city/CityMap.h"
#include "city/LocationNames.h"
#include "city/MapPicking.h"

namespace rw::city {
namespace {

// Each set's boundaries, and where they differ: 73 is white but takes no checkpoint; 90..92 take one but are
// drawn as ground. Status text: road first, then a listed location (police and fire ids are easily swapped).
TEST(TileCodes, SetsAtTheirBoundariesAndTheTextsTheyGive) {
    const struct {
        int code;
        bool transport, road;
        const char* text;
    } cases[] = {
        {0, false, false, "No Road Here"},
        {28, false, false, "No Road Here"},
        {29, true, true, "Road Here"},
        {43, true, true, "Road Here"},
        {44, false, false, "No Road Here"},
        {62, false, false, nullptr},
        {63, true, true, nullptr},
        {70, true, true, nullptr},
        {71, false, false, nullptr},
        {72, false, false, nullptr},
        {73, true, false, "No Road Here"},
        {74, true, false, nullptr},
        {75, true, true, nullptr},
        {89, true, true, nullptr},
        {90, false, true, "Road Here"},
        {91, false, true, nullptr},
        {92, false, true, nullptr},
        {93, true, true, nullptr},
        {107, true, true, nullptr},
        {108, false, false, nullptr},
        {199, false, false, nullptr},
        {203, false, false, "Nuclear Power"},
        {204, false, false, "Solar Power"},
        {210, false, false, "Police Station"},
        {211, false, false, "Fire Station"},
        {219, false, false, "No Road Here"},
        {243, false, false, "Mayor's House"},
        {255, false, false, "Llama Dome"},
        {-1, false, false, nullptr},
        {256, false, false, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsTransportTile(c.code), c.transport) << c.code;
        EXPECT_EQ(IsRoadTile(c.code), c.road) << c.code;
        if (c.text != nullptr) {
            EXPECT_EQ(TileDescription(c.code), c.text) << c.code;
        }
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
    const std::pair<std::array<int, 2>, const char*> cases[] = {
        {{24, 80}, "12,40 - Road Here"},
        {{25, 81}, "12,40 - Road Here"},
        {{26, 80}, "13,40 - No Road Here"},
        {{80, 24}, "40,12 - No Road Here"},
        {{255, 255}, "127,127 - Police Station"},
        {{-1, 10}, "0,5 - No Road Here"},
        {{10, -1}, "5,0 - No Road Here"},
        {{-2, 10}, ""},
        {{10, -2}, ""},
        {{256, 0}, ""},
        {{0, 256}, ""},
    };
    for (const auto& [point, text] : cases) {
        EXPECT_EQ(TileStatusText(*city, point[0], point[1]), text) << point[0] << "," << point[1];
    }
}

}  // namespace
}  // namespace rw::city
