// Decoding the first picture of a Windows icon file.
#include "IconImage.h"

#include "ByteReader.h"

#include <array>

namespace rw::res {

namespace {

constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr int kMaxSide = 256;

std::size_t RowBytes(int width, int bitsPerPixel) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32) * 4;
}

int PaletteIndex(std::span<const std::uint8_t> row, int x, int bitsPerPixel) {
    const auto bitOffset = static_cast<std::size_t>(x) * static_cast<std::size_t>(bitsPerPixel);
    const std::uint8_t byte = row[bitOffset / 8];
    const auto shift = static_cast<int>(8 - bitsPerPixel - static_cast<int>(bitOffset % 8));
    return (byte >> shift) & ((1 << bitsPerPixel) - 1);
}

}  // namespace

std::optional<IconImage> DecodeIcon(std::span<const std::uint8_t> ico) {
    ByteReader dir(ico);
    const auto reserved = dir.U16LE();
    const auto type = dir.U16LE();
    const auto count = dir.U16LE();
    if (!reserved || !type || !count || *reserved != 0 || *type != 1 || *count == 0) {
        return std::nullopt;
    }
    if (!dir.Skip(8)) {  // width, height, colour count, reserved, planes, bit count of the entry
        return std::nullopt;
    }
    const auto imageSize = dir.U32LE();
    const auto imageOffset = dir.U32LE();
    if (!imageSize || !imageOffset || *imageOffset > ico.size() || *imageSize > ico.size() - *imageOffset) {
        return std::nullopt;
    }

    ByteReader image(ico.subspan(*imageOffset, *imageSize));
    const auto headerSize = image.U32LE();
    const auto width = image.I32LE();
    const auto doubledHeight = image.I32LE();
    const auto planes = image.U16LE();
    const auto bitsPerPixel = image.U16LE();
    const auto compression = image.U32LE();
    if (!headerSize || !width || !doubledHeight || !planes || !bitsPerPixel || !compression) {
        return std::nullopt;
    }
    const int bpp = *bitsPerPixel;
    if (*headerSize != kBitmapInfoHeaderSize || *compression != 0 || (bpp != 1 && bpp != 4 && bpp != 8) ||
        *width <= 0 || *width > kMaxSide || *doubledHeight <= 0 || *doubledHeight % 2 != 0 ||
        *doubledHeight / 2 > kMaxSide) {
        return std::nullopt;
    }
    if (!image.Seek(32)) {  // biClrUsed
        return std::nullopt;
    }
    const auto coloursUsed = image.U32LE();
    const std::uint32_t fullPalette = 1u << bpp;
    if (!coloursUsed || *coloursUsed > fullPalette || !image.Seek(kBitmapInfoHeaderSize)) {
        return std::nullopt;
    }
    const std::uint32_t paletteSize = *coloursUsed == 0 ? fullPalette : *coloursUsed;
    std::array<std::uint32_t, 256> palette{};
    for (std::uint32_t i = 0; i < paletteSize; ++i) {
        const auto bgrx = image.U32LE();
        if (!bgrx) {
            return std::nullopt;
        }
        palette[i] = *bgrx & 0x00FFFFFFu;
    }

    IconImage result;
    result.width = *width;
    result.height = *doubledHeight / 2;
    const std::size_t colourRow = RowBytes(result.width, bpp);
    const std::size_t maskRow = RowBytes(result.width, 1);
    const auto colourBits = image.Bytes(colourRow * static_cast<std::size_t>(result.height));
    const auto maskBits = image.Bytes(maskRow * static_cast<std::size_t>(result.height));
    if (!colourBits || !maskBits) {
        return std::nullopt;
    }
    result.argb.resize(static_cast<std::size_t>(result.width) * static_cast<std::size_t>(result.height));
    for (int y = 0; y < result.height; ++y) {
        const auto stored = static_cast<std::size_t>(result.height - 1 - y);  // rows are stored bottom-up
        const auto colours = colourBits->subspan(stored * colourRow, colourRow);
        const auto mask = maskBits->subspan(stored * maskRow, maskRow);
        for (int x = 0; x < result.width; ++x) {
            const auto index = static_cast<std::uint32_t>(PaletteIndex(colours, x, bpp));
            if (index >= paletteSize) {
                return std::nullopt;
            }
            const bool transparent = PaletteIndex(mask, x, 1) != 0;
            result.argb[static_cast<std::size_t>(y * result.width + x)] =
                transparent ? 0u : (0xFF000000u | palette[index]);
        }
    }
    return result;
}

}  // namespace rw::res
