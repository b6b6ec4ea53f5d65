// The decoded contents of every chunk of a city file, as plain host-order values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace rw::city {

inline constexpr int kCitySize = 128;                  // tiles per side
inline constexpr std::size_t kTileCount = 128 * 128;   // elements of a full-size layer
inline constexpr std::uint32_t kMiscCheckValue = 290;  // word 0 of every valid MISC record
inline constexpr std::size_t kMiscWords = 1200;
inline constexpr std::size_t kGraphWords = 16 * 52;
inline constexpr std::size_t kLabelBytes = 256 * 25;

// Index of tile (x, y) in a layer of the given height: layers are stored column by column.
constexpr std::size_t TileIndex(int x, int y, int height = kCitySize) {
    return static_cast<std::size_t>(x) * static_cast<std::size_t>(height) + static_cast<std::size_t>(y);
}

// One XMIC record: two bytes kept as they are, then three 16-bit words.
struct MicroRecord {
    std::uint8_t byte0 = 0;
    std::uint8_t byte1 = 0;
    std::array<std::uint16_t, 3> words{};
    bool operator==(const MicroRecord&) const = default;
};

// Every layer is column-major: the element of tile (x, y) is at TileIndex(x, y, side). About 205 KB:
// keep instances on the heap or as members, not in deep call chains.
struct CityData {
    std::array<std::uint32_t, kMiscWords> misc{kMiscCheckValue};  // MISC, word 0 the check value
    std::array<std::uint16_t, kTileCount> altitude{};    // ALTM: bits 0..4 height, bits 10..14 tunnel field
    std::array<std::uint8_t, kTileCount> terrain{};      // XTER
    std::array<std::uint8_t, kTileCount> buildings{};    // XBLD: building code per tile, 0 none
    std::array<std::uint8_t, kTileCount> zones{};        // XZON: bits 0..3 zone type
    std::array<std::uint8_t, kTileCount> underground{};  // XUND
    std::array<std::uint8_t, kTileCount> textLayer{};    // XTXT
    std::array<std::uint8_t, kLabelBytes> labels{};      // XLAB: 256 x (length byte, 24 characters)
    std::array<MicroRecord, 150> micro{};                // XMIC
    std::array<std::uint8_t, 480> things{};              // XTHG
    std::array<std::uint8_t, kTileCount> bits{};         // XBIT: bit 2 marks water without a building
    std::array<std::uint8_t, 64 * 64> traffic{};         // XTRF
    std::array<std::uint8_t, 64 * 64> pollution{};       // XPLT
    std::array<std::uint8_t, 64 * 64> landValue{};       // XVAL
    std::array<std::uint8_t, 64 * 64> crime{};           // XCRM
    std::array<std::uint8_t, 32 * 32> police{};          // XPLC
    std::array<std::uint8_t, 32 * 32> fire{};            // XFIR
    std::array<std::uint8_t, 32 * 32> population{};      // XPOP
    std::array<std::uint8_t, 32 * 32> growth{};          // XROG
    std::array<std::uint32_t, kGraphWords> graphs{};     // XGRP: 16 graphs of 52 values
    std::string name;                                    // CNAM characters (8-bit), empty for none

    bool operator==(const CityData&) const = default;
};

}  // namespace rw::city
