// Clipping and painting of checkpoint marks.
#include "city/CheckpointMarks.h"

#include <algorithm>

namespace rw::city {

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
