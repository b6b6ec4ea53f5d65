// The map palette: the blank map picture's colour table as red, green, blue triples.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace rw::res {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Entries of the picture's colour table reserved for the checkpoint marks; no other entry holds their
// colours.
inline constexpr std::uint8_t kMarkRedIndex = 249;     // 255, 0, 0
inline constexpr std::uint8_t kMarkOrangeIndex = 250;  // 246, 110, 0: the selected checkpoint
// The entry of the line drawn for a leg without a road path: no map colour rule nor the blank picture uses it.
inline constexpr std::uint8_t kBrokenLegIndex = 245;  // 255, 102, 255

// Entry i is colour-table entry i of the blank map picture, so the picture is the one source of the map's
// colours.
std::array<Rgb, 256> MapPalette();

// Decodes a 1,024-byte table of (blue, green, red, reserved) entries.
std::array<Rgb, 256> DecodeColourTable(std::span<const std::uint8_t, 1024> table);

}  // namespace rw::res
