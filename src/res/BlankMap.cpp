// Views into the embedded blank map picture.
#include "res/BlankMap.h"

#include "embedded/BlankMapBytes.h"

namespace rw::res {

static_assert(kBlankMapSize == 66600);

std::span<const std::uint8_t> BlankMapResource() {
    return BlankMapBytes();
}

std::span<const std::uint8_t, kBlankMapColourTableSize> BlankMapColourTable() {
    return BlankMapBytes().subspan<kBlankMapInfoHeaderSize, kBlankMapColourTableSize>();
}

std::span<const std::uint8_t, kBlankMapPixelCount> BlankMapPixels() {
    return BlankMapBytes().subspan<kBlankMapPixelOffset, kBlankMapPixelCount>();
}

}  // namespace rw::res
