// Reading one run-length coded chunk from a city file into its destination.
#pragma once

#include <cstdint>
#include <span>

#include "res/ByteReader.h"

namespace rw::city {

// Takes the next length bytes of file and decodes them into destination (see DecodeRunLength). False when
// fewer than length bytes remain (the position then stays) or the data does not decode to exactly its length.
bool DecompressChunk(res::ByteReader& file, std::uint32_t length, std::span<std::uint8_t> destination);

}  // namespace rw::city
