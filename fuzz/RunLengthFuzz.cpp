// Fuzz target: the run-length decoder alone. The first two bytes give the destination's size (big-endian,
// at most 32768), the rest is the coded data. The decoder agrees with a plain model of the code, never
// touches bytes beyond those it decodes, and the encoder's output decodes back to its input.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "FuzzCheck.h"
#include "city/DecompressChunk.h"
#include "city/RunLength.h"
#include "res/ByteReader.h"

using namespace rw;

namespace {

constexpr std::uint8_t kUntouched = 0xA5;

struct ModelResult {
    bool ok = false;
    std::size_t written = 0;  // bytes of the destination the model fills
};

// The code, written as plainly as it can be: stop when the data ends or the destination is full; a run or
// literal that does not fit in the data or the destination fails; data left over fails.
ModelResult Model(std::span<const std::uint8_t> data, std::span<std::uint8_t> out) {
    std::size_t in = 0;
    std::size_t at = 0;
    while (in < data.size()) {
        if (at == out.size()) {
            return {false, at};
        }
        const std::uint8_t control = data[in++];
        if (control == 0) {
            continue;
        }
        const bool run = control >= 128;
        const std::size_t count = run ? control - 127u : control;
        const std::size_t needed = run ? 1 : count;
        if (data.size() - in < needed || out.size() - at < count) {
            return {false, at};
        }
        for (std::size_t i = 0; i < count; ++i) {
            out[at + i] = run ? data[in] : data[in + i];
        }
        in += needed;
        at += count;
    }
    return {true, at};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t capacity = std::min<std::size_t>((std::size_t{data[0]} << 8) | data[1], 32768);
    const std::span<const std::uint8_t> coded(data + 2, size - 2);

    // Exactly sized destinations, so the address sanitizer sees any write past the end.
    std::vector<std::uint8_t> decoded(capacity, kUntouched);
    std::vector<std::uint8_t> modelled(capacity, kUntouched);
    const bool ok = city::DecodeRunLength(coded, decoded);
    const ModelResult model = Model(coded, modelled);
    RW_FUZZ_CHECK(ok == model.ok);
    if (ok) {
        RW_FUZZ_CHECK(decoded == modelled);
    } else {
        // A failed decode may stop anywhere inside the failing piece (at most 128 bytes), never beyond it.
        const auto piece = static_cast<std::ptrdiff_t>(model.written);
        RW_FUZZ_CHECK(std::equal(decoded.begin(), decoded.begin() + piece, modelled.begin()));
        const auto beyond = std::min<std::size_t>(model.written + 128, capacity);
        RW_FUZZ_CHECK(std::all_of(decoded.begin() + static_cast<std::ptrdiff_t>(beyond), decoded.end(),
                                  [](std::uint8_t b) { return b == kUntouched; }));
    }

    // The chunk form reads the same bytes from a file and leaves the position when they are not all there.
    std::vector<std::uint8_t> viaChunk(capacity, kUntouched);
    res::ByteReader file(coded);
    RW_FUZZ_CHECK(city::DecompressChunk(file, static_cast<std::uint32_t>(coded.size()), viaChunk) == ok);
    RW_FUZZ_CHECK(!ok || file.Offset() == coded.size());
    res::ByteReader shortFile(coded);
    RW_FUZZ_CHECK(!city::DecompressChunk(shortFile, static_cast<std::uint32_t>(coded.size() + 1), viaChunk));
    RW_FUZZ_CHECK(shortFile.Offset() == 0);

    // Encoding any bytes and decoding them gives them back, into a destination of exactly their size.
    const auto encoded = city::EncodeRunLength(coded);
    std::vector<std::uint8_t> back(coded.size());
    RW_FUZZ_CHECK(city::DecodeRunLength(encoded, back));
    RW_FUZZ_CHECK(std::equal(back.begin(), back.end(), coded.begin(), coded.end()));
    return 0;
}
