// Block layout, contents at allocation, accessors and generations of CityMap.
#include "city/CityMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace rw::city {
namespace {

TEST(CityMapTest, BlocksLieBackToBackInTableOrderInOneArenaBlock) {
    const auto map = std::make_unique<CityMap>();
    const std::uint8_t* expected = map->Block(CityBlock::GraphData).data();
    std::size_t total = 0;
    for (std::size_t i = 0; i < kCityBlockCount; ++i) {
        const auto block = map->Block(static_cast<CityBlock>(i));
        EXPECT_EQ(block.data(), expected) << kCityBlocks[i].label;
        EXPECT_EQ(block.size(), kCityBlocks[i].size);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.data()) % 4, 0u);
        const std::size_t rounded = (kCityBlocks[i].size + 3) / 4 * 4;
        expected += rounded;
        total += rounded;
    }
    EXPECT_EQ(total, 205548u);
}

TEST(CityMapTest, ContentsAtAllocation) {
    const auto map = std::make_unique<CityMap>();
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 128; ++y) {
            ASSERT_EQ(map->Building(x, y), 0);
            ASSERT_EQ(map->Zone(x, y), 0);
            ASSERT_EQ(map->Altitude(x, y), 0);
            ASSERT_EQ(map->Bits(x, y), 0);
        }
    }
    const auto graphs = map->Block(CityBlock::GraphData);
    EXPECT_TRUE(std::all_of(graphs.begin(), graphs.end(), [](std::uint8_t b) { return b == 0; }));
    const std::array<std::uint32_t, 16> defaults{1, 1, 1, 1, 1, 1, 1, 1, 100, 100, 90, 150, 1, 1, 1, 1};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(map->GraphMax(i), defaults[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(map->GraphMax(16), 0u);
    EXPECT_EQ(map->Name(), "");
}

TEST(CityMapTest, LayersAreColumnMajor) {
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
}

TEST(CityMapTest, TunnelFieldIsBitsTenToFourteen) {
    const auto map = std::make_unique<CityMap>();
    map->SetAltitude(9, 9, 0x8000 | (21 << 10) | 0x3FF);
    EXPECT_EQ(map->Tunnel(9, 9), 21);
    map->SetAltitude(9, 9, 0x83FF);
    EXPECT_EQ(map->Tunnel(9, 9), 0);
}

TEST(CityMapTest, OffMapTilesReadZeroAndAreNeverWritten) {
    const auto map = std::make_unique<CityMap>();
    const auto before = map->Generation();
    map->SetBuilding(128, 0, 9);
    map->SetBuilding(-1, 0, 9);
    map->SetZone(0, 128, 9);
    map->SetAltitude(0, -1, 9);
    map->SetBits(200, 200, 9);
    EXPECT_EQ(map->Generation(), before);
    EXPECT_EQ(map->Building(128, 0), 0);
    EXPECT_EQ(map->Altitude(-1, 5), 0);
    const auto layer = map->BuildingLayer();
    EXPECT_TRUE(std::all_of(layer.begin(), layer.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(CityMapTest, GenerationChangesOnEveryChangeAndDiffersBetweenMaps) {
    const auto a = std::make_unique<CityMap>();
    const auto b = std::make_unique<CityMap>();
    EXPECT_NE(a->Generation(), b->Generation());
    auto g = a->Generation();
    a->SetBuilding(1, 1, 30);
    EXPECT_NE(a->Generation(), g);
    g = a->Generation();
    a->ClearBuildings();
    EXPECT_NE(a->Generation(), g);
    EXPECT_EQ(a->Building(1, 1), 0);
    g = a->Generation();
    const auto data = std::make_unique<CityData>();
    a->Replace(*data, {});
    EXPECT_NE(a->Generation(), g);
}

TEST(CityMapTest, ClearBuildingsKeepsOtherLayers) {
    const auto map = std::make_unique<CityMap>();
    map->SetBuilding(4, 4, 200);
    map->SetZone(4, 4, 3);
    map->SetAltitude(4, 4, 5);
    map->ClearBuildings();
    EXPECT_EQ(map->Building(4, 4), 0);
    EXPECT_EQ(map->Zone(4, 4), 3);
    EXPECT_EQ(map->Altitude(4, 4), 5);
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
}

TEST(CityMapTest, ReplaceCutsTheNameTo32Characters) {
    const auto map = std::make_unique<CityMap>();
    auto data = std::make_unique<CityData>();
    data->name = std::string(40, 'q');
    map->Replace(*data, {});
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
    const auto word = [&](CityBlock b, std::size_t i) {
        std::uint32_t v = 0;
        std::memcpy(&v, map->Block(b).data() + i * 4, 4);
        return v;
    };
    const auto half = [&](CityBlock b, std::size_t i) {
        std::uint16_t v = 0;
        std::memcpy(&v, map->Block(b).data() + i * 2, 2);
        return v;
    };
    EXPECT_EQ(word(CityBlock::PopRatio, 0), 31u);
    EXPECT_EQ(word(CityBlock::EducateRatio, 0), 32u);
    EXPECT_EQ(word(CityBlock::HealthRatio, 19), 90u);
    EXPECT_EQ(half(CityBlock::IndDemand, 0), 91u);
    EXPECT_EQ(half(CityBlock::IndRates, 10), 122u);
    EXPECT_EQ(word(CityBlock::IndRatio, 10), 123u);
    EXPECT_EQ(half(CityBlock::TileCnt, 255), 379u);
    EXPECT_EQ(word(CityBlock::ZonePop, 7), 387u);
    EXPECT_EQ(half(CityBlock::NeighborName, 1), 7u);
    EXPECT_EQ(word(CityBlock::NeighborPop, 0), 439u);
    EXPECT_EQ(word(CityBlock::NeighborValue, 0), 440u);
    EXPECT_EQ(word(CityBlock::NeighborFame, 3), 453u);
    // Budget entry 0: words 479..481 go to entry words 24..26, then pairs to 0/12, 1/13, ...
    EXPECT_EQ(word(CityBlock::budgetList, 24), 479u);
    EXPECT_EQ(word(CityBlock::budgetList, 26), 481u);
    EXPECT_EQ(word(CityBlock::budgetList, 0), 482u);
    EXPECT_EQ(word(CityBlock::budgetList, 12), 483u);
    EXPECT_EQ(word(CityBlock::budgetList, 11), 504u);
    EXPECT_EQ(word(CityBlock::budgetList, 23), 505u);
    EXPECT_EQ(word(CityBlock::budgetList, 15 * 28 + 23), 910u);
    EXPECT_EQ(map->Block(CityBlock::Paper)[0], 916 & 0xFF);
    EXPECT_EQ(map->Block(CityBlock::Paper)[29], 945 & 0xFF);
    EXPECT_EQ(half(CityBlock::News, 0), 946u);
    EXPECT_EQ(half(CityBlock::News, 1), 947u);
    EXPECT_EQ(map->Block(CityBlock::News)[4], 948 & 0xFF);
    EXPECT_EQ(map->Block(CityBlock::News)[8 * 8 + 7], 999 & 0xFF);
    EXPECT_EQ(half(CityBlock::MilCnt, 15), 1017u);
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
