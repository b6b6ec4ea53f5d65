// Allocation of the city blocks, the tile accessors and the copy between blocks and CityData.
#include "city/CityMap.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "city/MemoryArena.h"

namespace rw::city {

namespace {

std::uint64_t NextGeneration() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

bool OnMap(int x, int y) {
    return static_cast<unsigned>(x) < 128u && static_cast<unsigned>(y) < 128u;
}

constexpr std::array<std::uint32_t, 16> kGraphMaxAtAllocation{1,   1,   1,  1,   1, 1, 1, 1,
                                                              100, 100, 90, 150, 1, 1, 1, 1};

constexpr std::array<CityBlock, 4> kBlocks64{CityBlock::TrafficMap, CityBlock::PolluteMap,
                                             CityBlock::ValueMap, CityBlock::CrimeMap};
constexpr std::array<CityBlock, 4> kBlocks32{CityBlock::PoliceMap, CityBlock::FireMap, CityBlock::PopMap,
                                             CityBlock::ROGMap};
constexpr std::array<CityBlock, 5> kAuxBlocks{CityBlock::auxPtr1, CityBlock::auxPtr2, CityBlock::auxPtr3,
                                              CityBlock::auxPtr4, CityBlock::auxPtr5};

// The blocks that city file chunks fill, which a load stages.
constexpr std::array<CityBlock, 20> kStagedBlocks{
    CityBlock::MiscInfo,   CityBlock::AltMap,   CityBlock::auxPtr1,  CityBlock::auxPtr2,
    CityBlock::auxPtr3,    CityBlock::auxPtr4,  CityBlock::auxPtr5,  CityBlock::auxPtr6,
    CityBlock::auxPtr7,    CityBlock::auxPtr8,  CityBlock::BitsMap,  CityBlock::TrafficMap,
    CityBlock::PolluteMap, CityBlock::ValueMap, CityBlock::CrimeMap, CityBlock::PoliceMap,
    CityBlock::FireMap,    CityBlock::PopMap,   CityBlock::ROGMap,   CityBlock::GraphData,
};

constexpr std::size_t kStagingAlignment = 64;

constexpr std::size_t AlignedSize(std::size_t size) {
    return (size + kStagingAlignment - 1) / kStagingAlignment * kStagingAlignment;
}

template <typename T, std::size_t N>
void CopyIn(std::uint8_t* block, const std::array<T, N>& values, std::size_t offset = 0) {
    std::memcpy(block + offset, values.data(), sizeof(T) * N);
}

template <typename T, std::size_t N>
void CopyOut(const std::uint8_t* block, std::array<T, N>& values, std::size_t offset = 0) {
    std::memcpy(values.data(), block + offset, sizeof(T) * N);
}

}  // namespace

CityMap::CityMap() {
    m_decompressArena = CreateArena(kDecompressArenaSize);
    if (m_decompressArena < 0) {
        throw std::bad_alloc();
    }
    AllocateCityBlocks();
    AllocateStagingBlocks();
    m_generation = NextGeneration();
}

CityMap::~CityMap() {
    ReleaseArena(m_cityArena);
    ReleaseArena(m_decompressArena);
}

void CityMap::AllocateCityBlocks() {
    m_blocks.fill(nullptr);
    m_cityArena = CreateArena(kCityArenaSize);
    if (m_cityArena < 0) {
        throw std::bad_alloc();
    }
    for (std::size_t i = 0; i < kCityBlockCount; ++i) {
        const CityBlockInfo& info = kCityBlocks[i];
        const std::string label(info.label);
        m_blocks[i] = static_cast<std::uint8_t*>(ArenaAlloc(m_cityArena, label.c_str(), info.size));
        // Blocks without defined contents are zeroed too: the map may be drawn before any city is loaded.
        std::memset(m_blocks[i], 0, info.size);
    }

    BuildRowTables();
    CopyIn(Raw(CityBlock::GraphMax), kGraphMaxAtAllocation);
    m_misc = SpreadMiscWords(
        std::span<const std::uint32_t, kMiscWords>(Typed<std::uint32_t>(CityBlock::MiscInfo), kMiscWords));
}

// Zeroed here so that every page is mapped before the first load.
void CityMap::AllocateStagingBlocks() {
    std::size_t total = 0;
    for (const CityBlock block : kStagedBlocks) {
        total += AlignedSize(BlockInfo(block).size);
    }
    m_stagingStore = std::make_unique<std::uint8_t[]>(total + kStagingAlignment);
    const auto base = reinterpret_cast<std::uintptr_t>(m_stagingStore.get());
    std::size_t offset = AlignedSize(base) - base;
    for (const CityBlock block : kStagedBlocks) {
        m_staging[static_cast<std::size_t>(block)] = m_stagingStore.get() + offset;
        offset += AlignedSize(BlockInfo(block).size);
    }
}

void CityMap::BuildRowTables() {
    for (std::size_t g = 0; g < 16; ++g) {
        m_graphRows[g] = Typed<std::uint32_t>(CityBlock::GraphData) + g * 52;
    }
    for (std::size_t x = 0; x < 128; ++x) {
        m_altRows[x] = Typed<std::uint16_t>(CityBlock::AltMap) + x * 128;
        for (std::size_t a = 0; a < kAuxBlocks.size(); ++a) {
            m_auxRows[a][x] = Raw(kAuxBlocks[a]) + x * 128;
        }
        m_tMapRows[x] = Raw(CityBlock::TMap) + x * 256;
        m_bitsRows[x] = Raw(CityBlock::BitsMap) + x * 128;
    }
    for (std::size_t b = 0; b < 4; ++b) {
        for (std::size_t x = 0; x < 64; ++x) {
            m_rows64[b][x] = Raw(kBlocks64[b]) + x * 64;
        }
        for (std::size_t x = 0; x < 32; ++x) {
            m_rows32[b][x] = Raw(kBlocks32[b]) + x * 32;
        }
    }
}

std::uint8_t* CityMap::Raw(CityBlock block) const {
    return m_blocks[static_cast<std::size_t>(block)];
}

void CityMap::Touch() {
    m_generation = NextGeneration();
}

std::uint8_t CityMap::Building(int x, int y) const {
    return OnMap(x, y) ? m_auxRows[0][static_cast<std::size_t>(x)][y] : 0;
}

std::uint8_t CityMap::Zone(int x, int y) const {
    return OnMap(x, y) ? m_auxRows[1][static_cast<std::size_t>(x)][y] : 0;
}

std::uint16_t CityMap::Altitude(int x, int y) const {
    return OnMap(x, y) ? m_altRows[static_cast<std::size_t>(x)][y] : 0;
}

std::uint8_t CityMap::Bits(int x, int y) const {
    return OnMap(x, y) ? m_bitsRows[static_cast<std::size_t>(x)][y] : 0;
}

int CityMap::Tunnel(int x, int y) const {
    return (Altitude(x, y) & 0x7C00) >> 10;
}

void CityMap::SetBuilding(int x, int y, std::uint8_t code) {
    if (OnMap(x, y)) {
        m_auxRows[0][static_cast<std::size_t>(x)][y] = code;
        Touch();
    }
}

void CityMap::SetZone(int x, int y, std::uint8_t zone) {
    if (OnMap(x, y)) {
        m_auxRows[1][static_cast<std::size_t>(x)][y] = zone;
        Touch();
    }
}

void CityMap::SetAltitude(int x, int y, std::uint16_t word) {
    if (OnMap(x, y)) {
        m_altRows[static_cast<std::size_t>(x)][y] = word;
        Touch();
    }
}

void CityMap::SetBits(int x, int y, std::uint8_t bits) {
    if (OnMap(x, y)) {
        m_bitsRows[static_cast<std::size_t>(x)][y] = bits;
        Touch();
    }
}

void CityMap::ClearBuildings() {
    std::memset(Raw(CityBlock::auxPtr1), 0, kTileCount);
    Touch();
}

std::string CityMap::Name() const {
    const auto* text = Raw(CityBlock::CityStr);
    const auto* end = std::find(text, text + 32, std::uint8_t{0});
    return std::string(text, end);
}

std::uint32_t CityMap::GraphMax(int i) const {
    if (i < 0 || i >= 16) {
        return 0;
    }
    return Typed<std::uint32_t>(CityBlock::GraphMax)[i];
}

std::span<const std::uint8_t, kTileCount> CityMap::BuildingLayer() const {
    return std::span<const std::uint8_t, kTileCount>(Raw(CityBlock::auxPtr1), kTileCount);
}

std::span<const std::uint8_t, kTileCount> CityMap::ZoneLayer() const {
    return std::span<const std::uint8_t, kTileCount>(Raw(CityBlock::auxPtr2), kTileCount);
}

std::span<const std::uint16_t, kTileCount> CityMap::AltitudeLayer() const {
    return std::span<const std::uint16_t, kTileCount>(Typed<std::uint16_t>(CityBlock::AltMap), kTileCount);
}

std::span<const std::uint8_t, kTileCount> CityMap::BitsLayer() const {
    return std::span<const std::uint8_t, kTileCount>(Raw(CityBlock::BitsMap), kTileCount);
}

std::span<const std::uint8_t> CityMap::Block(CityBlock block) const {
    return {Raw(block), BlockInfo(block).size};
}

void CityMap::CopyTo(CityData& data) const {
    CopyOut(Raw(CityBlock::MiscInfo), data.misc);
    CopyOut(Raw(CityBlock::AltMap), data.altitude);
    CopyOut(Raw(CityBlock::auxPtr3), data.terrain);
    CopyOut(Raw(CityBlock::auxPtr1), data.buildings);
    CopyOut(Raw(CityBlock::auxPtr2), data.zones);
    CopyOut(Raw(CityBlock::auxPtr4), data.underground);
    CopyOut(Raw(CityBlock::auxPtr5), data.textLayer);
    CopyOut(Raw(CityBlock::auxPtr6), data.labels);
    const std::uint8_t* micro = Raw(CityBlock::auxPtr7);
    for (std::size_t i = 0; i < data.micro.size(); ++i) {
        data.micro[i].byte0 = micro[i * 8];
        data.micro[i].byte1 = micro[i * 8 + 1];
        CopyOut(micro, data.micro[i].words, i * 8 + 2);
    }
    CopyOut(Raw(CityBlock::auxPtr8), data.things);
    CopyOut(Raw(CityBlock::BitsMap), data.bits);
    CopyOut(Raw(CityBlock::TrafficMap), data.traffic);
    CopyOut(Raw(CityBlock::PolluteMap), data.pollution);
    CopyOut(Raw(CityBlock::ValueMap), data.landValue);
    CopyOut(Raw(CityBlock::CrimeMap), data.crime);
    CopyOut(Raw(CityBlock::PoliceMap), data.police);
    CopyOut(Raw(CityBlock::FireMap), data.fire);
    CopyOut(Raw(CityBlock::PopMap), data.population);
    CopyOut(Raw(CityBlock::ROGMap), data.growth);
    CopyOut(Raw(CityBlock::GraphData), data.graphs);
    data.name = Name();
}

void CityMap::Replace(const CityData& data, const std::array<std::uint32_t, 16>& graphMax) {
    CopyIn(Raw(CityBlock::MiscInfo), data.misc);
    CopyIn(Raw(CityBlock::AltMap), data.altitude);
    CopyIn(Raw(CityBlock::auxPtr3), data.terrain);
    CopyIn(Raw(CityBlock::auxPtr1), data.buildings);
    CopyIn(Raw(CityBlock::auxPtr2), data.zones);
    CopyIn(Raw(CityBlock::auxPtr4), data.underground);
    CopyIn(Raw(CityBlock::auxPtr5), data.textLayer);
    CopyIn(Raw(CityBlock::auxPtr6), data.labels);
    std::uint8_t* micro = Raw(CityBlock::auxPtr7);
    for (std::size_t i = 0; i < data.micro.size(); ++i) {
        micro[i * 8] = data.micro[i].byte0;
        micro[i * 8 + 1] = data.micro[i].byte1;
        CopyIn(micro, data.micro[i].words, i * 8 + 2);
    }
    CopyIn(Raw(CityBlock::auxPtr8), data.things);
    CopyIn(Raw(CityBlock::BitsMap), data.bits);
    CopyIn(Raw(CityBlock::TrafficMap), data.traffic);
    CopyIn(Raw(CityBlock::PolluteMap), data.pollution);
    CopyIn(Raw(CityBlock::ValueMap), data.landValue);
    CopyIn(Raw(CityBlock::CrimeMap), data.crime);
    CopyIn(Raw(CityBlock::PoliceMap), data.police);
    CopyIn(Raw(CityBlock::FireMap), data.fire);
    CopyIn(Raw(CityBlock::PopMap), data.population);
    CopyIn(Raw(CityBlock::ROGMap), data.growth);
    CopyIn(Raw(CityBlock::GraphData), data.graphs);
    SetDerivedBlocks(data.name, graphMax);
}

std::span<std::uint8_t> CityMap::StagingBlock(CityBlock block) {
    std::uint8_t* staged = m_staging[static_cast<std::size_t>(block)];
    return staged == nullptr ? std::span<std::uint8_t>{}
                             : std::span<std::uint8_t>(staged, BlockInfo(block).size);
}

void CityMap::CommitStaging(std::string_view name, const std::array<std::uint32_t, 16>& graphMax) {
    for (const CityBlock block : kStagedBlocks) {
        const auto i = static_cast<std::size_t>(block);
        std::swap(m_blocks[i], m_staging[i]);
    }
    BuildRowTables();
    SetDerivedBlocks(name, graphMax);
}

void CityMap::SetDerivedBlocks(std::string_view cityName, const std::array<std::uint32_t, 16>& graphMax) {
    CopyIn(Raw(CityBlock::GraphMax), graphMax);

    std::uint8_t* name = Raw(CityBlock::CityStr);
    std::memset(name, 0, BlockInfo(CityBlock::CityStr).size);
    std::memcpy(name, cityName.data(), std::min<std::size_t>(cityName.size(), 32));

    m_misc = SpreadMiscWords(
        std::span<const std::uint32_t, kMiscWords>(Typed<std::uint32_t>(CityBlock::MiscInfo), kMiscWords));
    const MiscRecord& m = m_misc;
    for (std::size_t e = 0; e < m.budget.size(); ++e) {
        CopyIn(Raw(CityBlock::budgetList), m.budget[e], e * 28 * sizeof(std::uint32_t));
    }
    CopyIn(Raw(CityBlock::ZonePop), m.zonePop);
    CopyIn(Raw(CityBlock::NeighborName), m.neighborName);
    CopyIn(Raw(CityBlock::NeighborValue), m.neighborValue);
    CopyIn(Raw(CityBlock::NeighborPop), m.neighborPop);
    CopyIn(Raw(CityBlock::NeighborFame), m.neighborFame);
    CopyIn(Raw(CityBlock::PopRatio), m.popRatio);
    CopyIn(Raw(CityBlock::EducateRatio), m.educateRatio);
    CopyIn(Raw(CityBlock::HealthRatio), m.healthRatio);
    CopyIn(Raw(CityBlock::IndDemand), m.indDemand);
    CopyIn(Raw(CityBlock::IndRates), m.indRates);
    CopyIn(Raw(CityBlock::IndRatio), m.indRatio);
    CopyIn(Raw(CityBlock::TileCnt), m.tileCnt);
    CopyIn(Raw(CityBlock::MilCnt), m.milCnt);
    CopyIn(Raw(CityBlock::Paper), m.paper);
    for (std::size_t i = 0; i < 9; ++i) {
        CopyIn(Raw(CityBlock::News), m.newsWords[i], i * 8);
        CopyIn(Raw(CityBlock::News), m.newsBytes[i], i * 8 + 4);
    }
    Touch();
}

}  // namespace rw::city
