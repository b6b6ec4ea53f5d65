// Reads the map palette from the blank map picture's colour table.
#include "res/MapPalette.h"

#include "res/BlankMap.h"
#include "res/ByteReader.h"

namespace rw::res {

std::array<Rgb, 256> DecodeColourTable(std::span<const std::uint8_t, 1024> table) {
    std::array<Rgb, 256> palette{};
    ByteReader reader(table);
    for (Rgb& entry : palette) {
        // The span's static size guarantees every read fits.
        const std::uint8_t blue = *reader.U8();
        const std::uint8_t green = *reader.U8();
        const std::uint8_t red = *reader.U8();
        reader.Skip(1);
        entry = Rgb{red, green, blue};
    }
    return palette;
}

std::array<Rgb, 256> MapPalette() {
    return DecodeColourTable(BlankMapColourTable());
}

}  // namespace rw::res
