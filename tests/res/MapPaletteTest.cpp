// The colours the map draws with, read from the blank picture's colour table.
#include "res/MapPalette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

using rw::res::kMarkOrangeIndex;
using rw::res::kMarkRedIndex;
using rw::res::Rgb;

// The mark colours must be the only entries with their values, or a mark could not be told from the map.
TEST(MapPalette, HoldsEveryColourTheMapDrawsAndMarksOfTheirOwn) {
    const auto palette = rw::res::MapPalette();
    const struct {
        std::size_t index;
        std::uint8_t r, g, b;
    } expected[] = {
        {253, 0, 255, 0},     {60, 191, 191, 191},        {36, 36, 40, 125},
        {63, 255, 255, 255},  {28, 238, 138, 76},         {86, 25, 107, 23},
        {230, 181, 207, 138}, {87, 33, 128, 28},          {47, 203, 208, 246},
        {39, 70, 80, 186},    {126, 250, 241, 169},       {122, 235, 207, 17},
        {16, 32, 30, 47},     {211, 103, 35, 26},         {215, 157, 97, 75},
        {220, 217, 182, 146}, {kMarkRedIndex, 255, 0, 0}, {kMarkOrangeIndex, 246, 110, 0},
    };
    for (const auto& [index, r, g, b] : expected) {
        EXPECT_EQ(palette[index], (Rgb{r, g, b})) << "entry " << index;
    }
    EXPECT_EQ(std::ranges::count(palette, Rgb{255, 0, 0}), 1);
    EXPECT_EQ(std::ranges::count(palette, Rgb{246, 110, 0}), 1);
}
