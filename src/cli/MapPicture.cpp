// The map picture as a PNG: the chunks written here, zlib's deflate for the pixel rows and its CRC-32.
#include "cli/MapPicture.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "res/AtomicFile.h"
#include "res/MapPalette.h"

namespace rw::cli {

namespace {

constexpr std::uint32_t kSide = 256;

void PutU32BE(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// One chunk: length, type, data and the CRC-32 of type and data.
void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::uint8_t* data,
              std::size_t size) {
    PutU32BE(out, static_cast<std::uint32_t>(size));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data, data + size);
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    PutU32BE(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

res::FileResult WriteMapPicture(const city::MapPixels& pixels, const std::string& path) {
    // The scanlines top row first, each behind filter type 0 (none): indices compress well as they are.
    std::vector<std::uint8_t> rows;
    rows.reserve(kSide * (kSide + 1));
    for (int row = 0; row < static_cast<int>(kSide); ++row) {
        const auto* line = &pixels[city::PixelIndex(0, row)];
        rows.push_back(0);
        rows.insert(rows.end(), line, line + kSide);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK) {
        return res::FileResult::Failure(res::FileStatus::IoError, "the picture could not be compressed");
    }

    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutU32BE(header, kSide);
    PutU32BE(header, kSide);
    header.insert(header.end(),
                  {8, 3, 0, 0, 0});  // bit depth 8, palette, deflate, no filter set, no interlace
    PutChunk(png, "IHDR", header.data(), header.size());
    std::array<std::uint8_t, 3 * 256> palette{};
    std::size_t at = 0;
    for (const res::Rgb& c : res::MapPalette()) {
        palette[at++] = c.r;
        palette[at++] = c.g;
        palette[at++] = c.b;
    }
    PutChunk(png, "PLTE", palette.data(), palette.size());
    PutChunk(png, "IDAT", packed.data(), packedSize);
    PutChunk(png, "IEND", nullptr, 0);
    return res::WriteFileAtomically(path, png);
}

}  // namespace rw::cli
