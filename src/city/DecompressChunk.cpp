// Reading and decoding one compressed chunk.
#include "city/DecompressChunk.h"

#include "city/RunLength.h"

namespace rw::city {

bool DecompressChunk(res::ByteReader& file, std::uint32_t length, std::span<std::uint8_t> destination) {
    const auto data = file.Bytes(length);
    return data && DecodeRunLength(*data, destination);
}

}  // namespace rw::city
