// Clipping and painting of checkpoint marks.
#include "city/CheckpointMarks.h"

#include <algorithm>

namespace rw::city {

std::optional<PixelRect> ClipToMap(const PixelRect& rect) {
    const PixelRect clipped{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, 256),
                            std::min(rect.bottom, 256)};
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) {
        return std::nullopt;
    }
    return clipped;
}

void PaintCheckpointMark(MapPixels& image, int x, int y, bool selected) {
    const auto rect = ClipToMap(CheckpointSquare(x, y));
    if (!rect) {
        return;
    }
    const std::uint8_t colour = selected ? res::kMarkOrangeIndex : res::kMarkRedIndex;
    for (int row = rect->top; row < rect->bottom; ++row) {
        for (int column = rect->left; column < rect->right; ++column) {
            image[PixelIndex(column, row)] = colour;
        }
    }
}

}  // namespace rw::city
