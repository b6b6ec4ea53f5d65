// Decoding the first picture of a Windows icon file (.ico) into plain pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace rw::res {

struct IconImage {
    int width = 0;
    int height = 0;
    // Top-down rows, width * height pixels, each 0xAARRGGBB; the icon's mask gives alpha 0 or 255.
    std::vector<std::uint32_t> argb;
};

// Decodes the first entry of an .ico file: an uncompressed palette bitmap of 1, 4 or 8 bits per pixel
// (little-endian headers, bottom-up rows padded to 4 bytes, then the 1-bit transparency mask). Nothing when
// the bytes are not such an icon or are cut short.
std::optional<IconImage> DecodeIcon(std::span<const std::uint8_t> ico);

}  // namespace rw::res
