// Location descriptions: the 27 codes, the swapped police and fire ids, and codes without a description.
#include "city/LocationNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "res/StringTable.h"

namespace rw::city {
namespace {

TEST(LocationNames, DescribesTheListedCodes) {
    EXPECT_EQ(LocationNameOf(200), "Windmill");
    EXPECT_EQ(LocationNameOf(203), "Nuclear Power");
    EXPECT_EQ(LocationNameOf(204), "Solar Power");  // string 132 between them is not a building
    EXPECT_EQ(LocationNameOf(210), "Police Station");
    EXPECT_EQ(LocationNameOf(211), "Fire Station");
    EXPECT_EQ(LocationNameOf(218), "Zoo");
    EXPECT_EQ(LocationNameOf(243), "Mayor's House");
    EXPECT_EQ(LocationNameOf(255), "Llama Dome");
}

TEST(LocationNames, CodesOutsideTheTableHaveNoDescription) {
    for (int code : {0, 29, 90, 199, 219, 242, 244, 246, 247, 249, 250, 256, -1}) {
        EXPECT_FALSE(LocationNameOf(code).has_value()) << code;
    }
}

TEST(LocationNames, TableHas27DistinctTextsInCodeOrder) {
    ASSERT_EQ(kLocationNames.size(), 27u);
    std::set<std::string> texts;
    for (std::size_t i = 0; i < kLocationNames.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(kLocationNames[i - 1].code, kLocationNames[i].code);  // the lookup relies on it
        }
        const auto text = LocationNameOf(kLocationNames[i].code);
        ASSERT_TRUE(text.has_value());
        EXPECT_FALSE(text->empty());
        EXPECT_NE(*text, res::String(127));
        EXPECT_NE(*text, res::String(132));
        texts.emplace(*text);
    }
    EXPECT_EQ(texts.size(), 27u);
}

}  // namespace
}  // namespace rw::city
