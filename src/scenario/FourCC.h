// Four-character codes as the chunk files store them.
#pragma once

#include <cstdint>

namespace rw::scenario {

// The 32-bit word of a four-character code, first character in the most significant byte. Written
// little-endian, so the file shows the characters reversed ("CITY" is the bytes Y T I C).
constexpr std::uint32_t FourCC(const char (&code)[5]) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 8) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[3]));
}

}  // namespace rw::scenario
