// The city's layers: the off-map guard, generations, and the misc record's blocks.
#include "city/CityMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace rw::city {
namespace {

// The route cache keys on the generation: any change, and any other map, must give a new one; writes off the
// map change nothing.
TEST(CityMapTest, GenerationChangesOnEveryChangeAndOffMapWritesDoNothing) {
    const auto a = std::make_unique<CityMap>();
    EXPECT_NE(a->Generation(), std::make_unique<CityMap>()->Generation());
    auto g = a->Generation();
    a->SetBuilding(4, 4, 200);
    a->SetZone(4, 4, 3);
    EXPECT_NE(a->Generation(), g);
    g = a->Generation();
    a->SetBuilding(128, 0, 9);
    a->SetBuilding(-1, 0, 9);
    a->SetZone(0, 128, 9);
    EXPECT_EQ(a->Generation(), g);
    EXPECT_EQ(a->Building(128, 0), 0);
    EXPECT_EQ(std::count(a->BuildingLayer().begin(), a->BuildingLayer().end(), 0), 128 * 128 - 1);
    EXPECT_EQ(std::count(a->ZoneLayer().begin(), a->ZoneLayer().end(), 0), 128 * 128 - 1);
    a->ClearBuildings();  // keeps the other layers
    EXPECT_NE(a->Generation(), g);
    EXPECT_EQ(a->Building(4, 4), 0);
    EXPECT_EQ(a->Zone(4, 4), 3);
    g = a->Generation();
    a->Replace(*std::make_unique<CityData>(), {});
    EXPECT_NE(a->Generation(), g);
}

TEST(CityMapTest, ReplaceSpreadsTheMiscRecordIntoItsBlocks) {
    const auto map = std::make_unique<CityMap>();
    auto data = std::make_unique<CityData>();
    for (std::size_t w = 1; w < kMiscWords; ++w) {
        data->misc[w] = static_cast<std::uint32_t>(w);
    }
    data->misc[438] = 0;    // first neighbour name id
    data->misc[442] = 0x7;  // second neighbour name id
    data->misc[1028] = 0xFFFFFFFF;
    map->Replace(*data, {});
    // Budget entry 0: words 479..481 go to its words 24..26, then pairs to 0/12, 1/13, ...
    using enum CityBlock;
    const struct {
        CityBlock block;
        std::size_t index, width;
        std::uint32_t want;
    } cases[] = {
        {PopRatio, 0, 4, 31},       {HealthRatio, 19, 4, 90},  {IndDemand, 0, 2, 91},
        {IndRates, 10, 2, 122},     {TileCnt, 255, 2, 379},    {ZonePop, 7, 4, 387},
        {NeighborName, 1, 2, 7},    {NeighborFame, 3, 4, 453}, {budgetList, 24, 4, 479},
        {budgetList, 0, 4, 482},    {budgetList, 12, 4, 483},  {budgetList, 443, 4, 910},
        {Paper, 29, 1, 945 & 0xFF}, {News, 1, 2, 947},         {News, 4, 1, 948 & 0xFF},
        {MilCnt, 15, 2, 1017},
    };
    for (const auto& c : cases) {
        std::uint32_t v = 0;  // little-endian host assumed, as by the blocks themselves
        std::memcpy(&v, map->Block(c.block).data() + c.index * c.width, c.width);
        EXPECT_EQ(v, c.want) << static_cast<int>(c.block) << "[" << c.index << "]";
    }
    EXPECT_EQ(map->Misc().neighborNames[0], "Ocean");
    EXPECT_EQ(map->Misc().word1028Low, 64);
    EXPECT_EQ(map->Misc().word1028High, 128u);
    EXPECT_EQ(map->Misc().statistics1018.back(), 1070u);
}

}  // namespace
}  // namespace rw::city
