// The blank map picture (bitmap 129): the 256 x 256 indexed picture shown until a city is drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace rw::res {

// Layout of the embedded resource: a 40-byte BITMAPINFOHEADER, a 256-entry colour table of 4-byte
// (blue, green, red, 0) entries, then 256 rows of 256 one-byte palette indices stored bottom-up (the byte
// of column c, row r from the top lies at (255 - r) * 256 + c). The committed BlankMap.bmp carries the
// usual 14-byte file header in front; the build strips it, so these bytes are the resource alone.
inline constexpr std::size_t kBlankMapInfoHeaderSize = 40;
inline constexpr std::size_t kBlankMapColourTableSize = 1024;
inline constexpr std::size_t kBlankMapPixelOffset = kBlankMapInfoHeaderSize + kBlankMapColourTableSize;
inline constexpr std::size_t kBlankMapPixelCount = 256 * 256;
inline constexpr std::size_t kBlankMapSize = kBlankMapPixelOffset + kBlankMapPixelCount;  // 66,600

// All 66,600 bytes of the resource, in static storage for the whole run.
std::span<const std::uint8_t> BlankMapResource();

// The 1,024-byte colour table inside the resource.
std::span<const std::uint8_t, kBlankMapColourTableSize> BlankMapColourTable();

// The 65,536 bottom-up pixel bytes inside the resource.
std::span<const std::uint8_t, kBlankMapPixelCount> BlankMapPixels();

}  // namespace rw::res
