// The 41 memory blocks of a city, in their allocation order, with labels and sizes in bytes.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace rw::city {

enum class CityBlock {
    GraphData,
    GraphMax,
    AltMap,
    auxPtr1,
    auxPtr2,
    auxPtr3,
    auxPtr4,
    auxPtr5,
    auxPtr6,
    auxPtr7,
    auxPtr8,
    TMap,
    BitsMap,
    TrafficMap,
    PolluteMap,
    ValueMap,
    CrimeMap,
    PoliceMap,
    FireMap,
    PopMap,
    ROGMap,
    budgetList,
    ZonePop,
    TaxPop,
    NeighborName,
    NeighborValue,
    NeighborPop,
    NeighborFame,
    PopRatio,
    EducateRatio,
    HealthRatio,
    IndDemand,
    IndRates,
    IndRatio,
    TileCnt,
    MilCnt,
    StackPts,
    CityStr,
    Paper,
    News,
    MiscInfo,
};

struct CityBlockInfo {
    std::string_view label;
    std::size_t size;
};

inline constexpr std::size_t kCityBlockCount = 41;

inline constexpr std::array<CityBlockInfo, kCityBlockCount> kCityBlocks{{
    {"GraphData", 3328}, {"GraphMax", 64},      {"AltMap", 32768},    {"auxPtr1", 16384},
    {"auxPtr2", 16384},  {"auxPtr3", 16384},    {"auxPtr4", 16384},   {"auxPtr5", 16384},
    {"auxPtr6", 6400},   {"auxPtr7", 1200},     {"auxPtr8", 480},     {"TMap", 32768},
    {"BitsMap", 16384},  {"TrafficMap", 4096},  {"PolluteMap", 4096}, {"ValueMap", 4096},
    {"CrimeMap", 4096},  {"PoliceMap", 1024},   {"FireMap", 1024},    {"PopMap", 1024},
    {"ROGMap", 1024},    {"budgetList", 1792},  {"ZonePop", 32},      {"TaxPop", 12},
    {"NeighborName", 8}, {"NeighborValue", 16}, {"NeighborPop", 16},  {"NeighborFame", 16},
    {"PopRatio", 80},    {"EducateRatio", 80},  {"HealthRatio", 80},  {"IndDemand", 22},
    {"IndRates", 22},    {"IndRatio", 44},      {"TileCnt", 512},     {"MilCnt", 32},
    {"StackPts", 2048},  {"CityStr", 33},       {"Paper", 30},        {"News", 72},
    {"MiscInfo", 4800},
}};

constexpr const CityBlockInfo& BlockInfo(CityBlock block) {
    return kCityBlocks[static_cast<std::size_t>(block)];
}

// First-block sizes of the two arenas a city needs: the city arena holds all 41 blocks in its first block.
inline constexpr std::size_t kDecompressArenaSize = 65535;
inline constexpr std::size_t kCityArenaSize = 205634;

}  // namespace rw::city
