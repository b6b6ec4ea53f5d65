// The plain table-driven fill, compiled apart so that it is not optimised with the benchmark loop around it.
#include "ReferenceFill.h"

namespace rw::bench {

void ReferenceFill(std::span<const std::uint8_t, 256 * 256> sources,
                   const std::array<std::uint8_t, 256>& table, city::MapPixels& image) {
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = table[sources[i]];
    }
}

}  // namespace rw::bench
