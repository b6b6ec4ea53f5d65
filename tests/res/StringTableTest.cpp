// The string table: ids line up with their texts where the order is easy to get wrong.
#include "res/StringTable.h"

#include <gtest/gtest.h>

using rw::res::String;

TEST(StringTable, IdsMatchTheirTexts) {
    EXPECT_EQ(String(101), "&About Race Course Editor");
    EXPECT_EQ(String(132), "No Road Here");  // sits between the power plants
    EXPECT_EQ(String(139), "Fire Station");
    EXPECT_EQ(String(140), "Police Station");
    EXPECT_EQ(String(156), "START/ FINISH");
    EXPECT_EQ(String(168), "User created race course");
    EXPECT_EQ(String(174), "Vortane of Metrova Race Course Editor");
}

TEST(StringTable, EveryIdInRangeHasTextAndNoOtherDoes) {
    for (int id = rw::res::kFirstStringId; id <= rw::res::kLastStringId; ++id) {
        EXPECT_FALSE(String(id).empty()) << id;
    }
    EXPECT_TRUE(String(100).empty());
    EXPECT_TRUE(String(175).empty());
}
