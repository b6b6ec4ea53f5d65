// The floor of a map redraw: a plain table-driven fill of the picture's bytes.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "city/MapImage.h"

namespace rw::bench {

// Sets every byte of image to table[sources[i]], the same index i in both: 65,536 lookups, nothing else.
void ReferenceFill(std::span<const std::uint8_t, 256 * 256> sources,
                   const std::array<std::uint8_t, 256>& table, city::MapPixels& image);

}  // namespace rw::bench
