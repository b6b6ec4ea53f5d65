// The transport colour set and the checkpoint set at every boundary, and where they disagree.
#include "city/TileCodes.h"

#include <gtest/gtest.h>

namespace rw::city {
namespace {

TEST(TileCodes, TransportSetBoundaries) {
    for (int code : {29, 43, 63, 70, 73, 81, 89, 93, 107}) {
        EXPECT_TRUE(IsTransportTile(code)) << code;
    }
    for (int code : {0, 1, 28, 44, 62, 71, 72, 90, 91, 92, 108, 255, -1, 256}) {
        EXPECT_FALSE(IsTransportTile(code)) << code;
    }
}

TEST(TileCodes, RoadSetBoundaries) {
    for (int code : {29, 43, 63, 70, 75, 76, 81, 90, 92, 96, 106, 107}) {
        EXPECT_TRUE(IsRoadTile(code)) << code;
    }
    for (int code : {0, 28, 44, 62, 71, 72, 73, 74, 77, 80, 97, 105, 108, 255, -1, 256}) {
        EXPECT_FALSE(IsRoadTile(code)) << code;
    }
}

TEST(TileCodes, SetsDifferWhereTheMapAndThePlacementDisagree) {
    EXPECT_TRUE(IsTransportTile(81) && IsRoadTile(81));   // drawn white and takes a checkpoint
    EXPECT_TRUE(IsTransportTile(73) && !IsRoadTile(73));  // drawn white, takes none
    EXPECT_TRUE(!IsTransportTile(90) && IsRoadTile(90));  // takes a checkpoint, drawn as ground
    int roadsNotWhite = 0;
    for (int code = 0; code < 256; ++code) {
        if (IsRoadTile(code) && !IsTransportTile(code)) {
            ++roadsNotWhite;
        }
    }
    EXPECT_EQ(roadsNotWhite, 3);  // 90, 91, 92
}

}  // namespace
}  // namespace rw::city
