// Block layout, contents at allocation, accessors and generations of CityMap.
#include "city/CityMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace rw::city {
namespace {

bool AllZero(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

TEST(CityMapTest, BlocksLieBackToBackInTableOrderInOneArenaBlock) {
    const auto map = std::make_unique<CityMap>();
    const std::uint8_t* expected = map->Block(CityBlock::GraphData).data();
    std::size_t total = 0;
    for (std::size_t i = 0; i < kCityBlockCount; ++i) {
        const auto block = map->Block(static_cast<CityBlock>(i));
        EXPECT_EQ(block.data(), expected) << kCityBlocks[i].label;
        EXPECT_EQ(block.size(), kCityBlocks[i].size);
        const std::size_t rounded = (kCityBlocks[i].size + 3) / 4 * 4;
        expected += rounded;
        total += rounded;
    }
    EXPECT_EQ(total, 205548u);
}

TEST(CityMapTest, ContentsAtAllocation) {
    const auto map = std::make_unique<CityMap>();
    EXPECT_TRUE(AllZero(map->BuildingLayer()) && AllZero(map->ZoneLayer()) && AllZero(map->BitsLayer()));
    EXPECT_TRUE(AllZero(map->Block(CityBlock::AltMap)) && AllZero(map->Block(CityBlock::GraphData)));
    const std::array<std::uint32_t, 16> defaults{1, 1, 1, 1, 1, 1, 1, 1, 100, 100, 90, 150, 1, 1, 1, 1};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(map->GraphMax(i), defaults[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(map->GraphMax(16), 0u);
    EXPECT_EQ(map->Name(), "");
}

TEST(CityMapTest, LayersAreColumnMajorAndOffMapTilesAreNeverWritten) {
    const auto map = std::make_unique<CityMap>();
    map->SetBuilding(3, 5, 81);
    map->SetZone(127, 0, 7);
    map->SetAltitude(1, 2, 0x1234);
    map->SetBits(0, 127, 4);
    EXPECT_EQ(map->BuildingLayer()[3 * 128 + 5], 81);
    EXPECT_EQ(map->Block(CityBlock::auxPtr1)[3 * 128 + 5], 81);
    EXPECT_EQ(map->ZoneLayer()[127 * 128], 7);
    EXPECT_EQ(map->AltitudeLayer()[1 * 128 + 2], 0x1234);
    EXPECT_EQ(map->BitsLayer()[127], 4);
    EXPECT_EQ(map->Building(5, 3), 0);
    std::uint16_t word = 0;
    std::memcpy(&word, map->Block(CityBlock::AltMap).data() + (1 * 128 + 2) * 2, 2);
    EXPECT_EQ(word, 0x1234);
    // The tunnel field is bits 10-14.
    map->SetAltitude(9, 9, 0x8000 | (21 << 10) | 0x3FF);
    EXPECT_EQ(map->Tunnel(9, 9), 21);
    map->SetAltitude(9, 9, 0x83FF);
    EXPECT_EQ(map->Tunnel(9, 9), 0);

    const auto before = map->Generation();
    map->SetBuilding(128, 0, 9);
    map->SetBuilding(-1, 0, 9);
    map->SetZone(0, 128, 9);
    map->SetAltitude(0, -1, 9);
    map->SetBits(200, 200, 9);
    EXPECT_EQ(map->Generation(), before);
    EXPECT_EQ(map->Building(128, 0), 0);
    EXPECT_EQ(map->Altitude(-1, 5), 0);
    EXPECT_EQ(std::count(map->BuildingLayer().begin(), map->BuildingLayer().end(), 0), 128 * 128 - 1);
}

TEST(CityMapTest, GenerationChangesOnEveryChangeAndDiffersBetweenMaps) {
    const auto a = std::make_unique<CityMap>();
    const auto b = std::make_unique<CityMap>();
    EXPECT_NE(a->Generation(), b->Generation());
    auto g = a->Generation();
    a->SetBuilding(4, 4, 200);
    a->SetZone(4, 4, 3);
    EXPECT_NE(a->Generation(), g);
    g = a->Generation();
    a->ClearBuildings();  // keeps the other layers
    EXPECT_NE(a->Generation(), g);
    EXPECT_EQ(a->Building(4, 4), 0);
    EXPECT_EQ(a->Zone(4, 4), 3);
    g = a->Generation();
    a->Replace(*std::make_unique<CityData>(), {});
    EXPECT_NE(a->Generation(), g);
}

TEST(CityMapTest, ReplaceAndCopyToRoundTripEveryChunk) {
    const auto map = std::make_unique<CityMap>();
    auto in = std::make_unique<CityData>();
    for (std::size_t i = 0; i < kTileCount; ++i) {
        in->altitude[i] = static_cast<std::uint16_t>(i * 7);
        in->buildings[i] = static_cast<std::uint8_t>(i);
        in->zones[i] = static_cast<std::uint8_t>(i >> 3);
        in->terrain[i] = static_cast<std::uint8_t>(i >> 1);
        in->underground[i] = static_cast<std::uint8_t>(i >> 2);
        in->textLayer[i] = static_cast<std::uint8_t>(i >> 4);
        in->bits[i] = static_cast<std::uint8_t>(i >> 5);
    }
    in->misc[7] = 77;
    in->micro[149] = {1, 2, {0x1122, 0x3344, 0x5566}};
    in->things[479] = 9;
    in->labels[6399] = 8;
    in->traffic[4095] = 1;
    in->pollution[1] = 2;
    in->landValue[2] = 3;
    in->crime[3] = 4;
    in->police[1023] = 5;
    in->fire[1] = 6;
    in->population[2] = 7;
    in->growth[3] = 8;
    in->graphs[831] = 0xDEADBEEF;
    in->name = "Harbour Flats";
    map->Replace(*in, {});
    auto out = std::make_unique<CityData>();
    map->CopyTo(*out);
    EXPECT_TRUE(*in == *out);
    EXPECT_EQ(map->Building(1, 2), static_cast<std::uint8_t>(130));
    EXPECT_EQ(map->Name(), "Harbour Flats");
    in->name = std::string(40, 'q');
    map->Replace(*in, {});
    EXPECT_EQ(map->Name(), std::string(32, 'q'));
    EXPECT_EQ(map->Block(CityBlock::CityStr)[32], 0);
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
    // {block, element index, element width in bytes, value}. Budget entry 0: words 479..481 go to its words
    // 24..26, then pairs to 0/12, 1/13, ...
    using enum CityBlock;
    const struct {
        CityBlock block;
        std::size_t index, width;
        std::uint32_t want;
    } cases[] = {
        {PopRatio, 0, 4, 31},      {EducateRatio, 0, 4, 32},   {HealthRatio, 19, 4, 90},
        {IndDemand, 0, 2, 91},     {IndRates, 10, 2, 122},     {IndRatio, 10, 4, 123},
        {TileCnt, 255, 2, 379},    {ZonePop, 7, 4, 387},       {NeighborName, 1, 2, 7},
        {NeighborPop, 0, 4, 439},  {NeighborValue, 0, 4, 440}, {NeighborFame, 3, 4, 453},
        {budgetList, 24, 4, 479},  {budgetList, 26, 4, 481},   {budgetList, 0, 4, 482},
        {budgetList, 12, 4, 483},  {budgetList, 11, 4, 504},   {budgetList, 23, 4, 505},
        {budgetList, 443, 4, 910}, {Paper, 0, 1, 916 & 0xFF},  {Paper, 29, 1, 945 & 0xFF},
        {News, 0, 2, 946},         {News, 1, 2, 947},          {News, 4, 1, 948 & 0xFF},
        {News, 71, 1, 999 & 0xFF}, {MilCnt, 15, 2, 1017},
    };
    for (const auto& c : cases) {
        std::uint32_t v = 0;  // little-endian host assumed, as by the blocks themselves
        std::memcpy(&v, map->Block(c.block).data() + c.index * c.width, c.width);
        EXPECT_EQ(v, c.want) << static_cast<int>(c.block) << "[" << c.index << "]";
    }
    EXPECT_EQ(map->Misc().neighborNames[0], "Ocean");
    EXPECT_EQ(map->Misc().neighborNames[1], "");
    EXPECT_EQ(map->Misc().word1028Low, 64);
    EXPECT_EQ(map->Misc().word1028High, 128u);
    EXPECT_EQ(map->Misc().statistics1018.back(), 1070u);
}

TEST(CityMapTest, ManyMapsInTurnReuseArenaSlots) {
    for (int i = 0; i < 40; ++i) {
        CityMap map;
        map.SetBuilding(0, 0, 1);
    }
}

}  // namespace
}  // namespace rw::city
