// The memory blocks that hold one city, with their row tables and the tile accessors.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "city/CityBlock.h"
#include "city/CityData.h"
#include "city/MiscRecord.h"

namespace rw::city {

// Owns two arenas (decompression scratch and the city blocks) and the 41 blocks allocated from them;
// the destructor releases both slots. Creating one when fewer than two arena slots are free, or without
// memory, writes "Out of memory\n" to stderr and ends the process with status 1.
//
// Tiles are (x, y) with x, y in 0..127, x to the right and y downwards; layers are stored column by column
// (tile (x, y) at x * 128 + y) and hold host-order values. Accessors return 0 and setters do nothing for a
// tile outside the map.
class CityMap {
  public:
    // Allocates every block; throws std::bad_alloc when the memory is not there.
    CityMap();
    ~CityMap();
    CityMap(const CityMap&) = delete;
    CityMap& operator=(const CityMap&) = delete;

    std::uint8_t Building(int x, int y) const;
    std::uint8_t Zone(int x, int y) const;
    std::uint16_t Altitude(int x, int y) const;
    std::uint8_t Bits(int x, int y) const;
    // The tunnel field of the altitude word (bits 10..14), 0..31.
    int Tunnel(int x, int y) const;

    void SetBuilding(int x, int y, std::uint8_t code);
    void SetZone(int x, int y, std::uint8_t zone);
    void SetAltitude(int x, int y, std::uint16_t word);
    void SetBits(int x, int y, std::uint8_t bits);
    // Sets every building code to 0 (the other layers keep the city).
    void ClearBuildings();

    // The city name held in CityStr (8-bit characters, at most 32).
    std::string Name() const;
    // Maximum of graph i (0..15); 0 for any other i.
    std::uint32_t GraphMax(int i) const;
    // Changes whenever any layer changes (a committed load, ClearBuildings, a setter). Values are unique
    // across all CityMap objects of the process.
    std::uint64_t Generation() const { return m_generation; }

    std::span<const std::uint8_t, kTileCount> BuildingLayer() const;
    std::span<const std::uint8_t, kTileCount> ZoneLayer() const;
    std::span<const std::uint16_t, kTileCount> AltitudeLayer() const;
    std::span<const std::uint8_t, kTileCount> BitsLayer() const;

    // The raw bytes of a block (host byte order), for inspection.
    std::span<const std::uint8_t> Block(CityBlock block) const;
    // The statistics of the last loaded MISC record.
    const MiscRecord& Misc() const { return m_misc; }
    // The slot of the arena used for a load's scratch buffers.
    int DecompressArena() const { return m_decompressArena; }

    // Copies the contents of every chunk's block into data (the name from CityStr).
    void CopyTo(CityData& data) const;
    // Replaces the city: every chunk's block from data (the name cut to 32 characters), the MISC arrays
    // spread from data.misc, and GraphMax.
    void Replace(const CityData& data, const std::array<std::uint32_t, 16>& graphMax);

    // A load's staging block for a block that a city file chunk fills (empty for any other): the same size,
    // kept for the map's lifetime so that a load writes to memory already in use. Its contents are
    // undefined until the loader fills it; the live city never changes through it.
    std::span<std::uint8_t> StagingBlock(CityBlock block);
    // Makes every staging block live at once (the replaced blocks become the next staging blocks), then sets
    // the name (cut to 32 characters), GraphMax and the MISC arrays as Replace does. Spans of the layers
    // taken before this point still show the previous city.
    void CommitStaging(std::string_view name, const std::array<std::uint32_t, 16>& graphMax);

  private:
    void AllocateCityBlocks();
    void AllocateStagingBlocks();
    void BuildRowTables();
    void SetDerivedBlocks(std::string_view name, const std::array<std::uint32_t, 16>& graphMax);
    std::uint8_t* Raw(CityBlock block) const;
    template <typename T>
    T* Typed(CityBlock block) const {
        return static_cast<T*>(static_cast<void*>(Raw(block)));
    }
    void Touch();

    int m_decompressArena = -1;
    int m_cityArena = -1;
    std::array<std::uint8_t*, kCityBlockCount> m_blocks{};
    std::unique_ptr<std::uint8_t[]> m_stagingStore;
    std::array<std::uint8_t*, kCityBlockCount> m_staging{};  // null for blocks no chunk fills

    // Row tables: one pointer per column x to the column's first element.
    std::array<std::uint32_t*, 16> m_graphRows{};
    std::array<std::uint16_t*, 128> m_altRows{};
    std::array<std::array<std::uint8_t*, 128>, 5> m_auxRows{};  // auxPtr1 .. auxPtr5
    std::array<std::uint8_t*, 128> m_tMapRows{};
    std::array<std::uint8_t*, 128> m_bitsRows{};
    std::array<std::array<std::uint8_t*, 64>, 4> m_rows64{};  // Traffic, Pollute, Value, Crime
    std::array<std::array<std::uint8_t*, 32>, 4> m_rows32{};  // Police, Fire, Pop, ROG

    MiscRecord m_misc;
    std::uint64_t m_generation = 0;
};

}  // namespace rw::city
