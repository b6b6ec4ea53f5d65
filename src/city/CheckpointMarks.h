// The small squares that mark checkpoints on the map: geometry, colours and painting into map pixels.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "city/MapImage.h"
#include "res/MapPalette.h"

namespace rw::city {

// A pixel rectangle; right and bottom are excluded.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

inline constexpr res::Rgb kMarkColour{255, 0, 0};
inline constexpr res::Rgb kSelectedMarkColour{246, 110, 0};

// The 4 x 4 square of the checkpoint on tile (x, y): (2x - 2, 2y - 2) to (2x + 2, 2y + 2), covering the tile
// and its neighbours to the left, above and above-left. Not clipped.
constexpr PixelRect CheckpointSquare(int x, int y) {
    return PixelRect{2 * x - 2, 2 * y - 2, 2 * x + 2, 2 * y + 2};
}

// The part of rect inside the 256 x 256 map, or nothing when none of it is. Inline: the window clips a
// thousand squares at each refresh.
constexpr std::optional<PixelRect> ClipToMap(const PixelRect& rect) {
    const PixelRect clipped{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, 256),
                            std::min(rect.bottom, 256)};
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) {
        return std::nullopt;
    }
    return clipped;
}

// Paints the square of tile (x, y) into image with the mark's reserved palette entry (res::kMarkRedIndex, or
// res::kMarkOrangeIndex when selected), clipped to the map.
void PaintCheckpointMark(MapPixels& image, int x, int y, bool selected);

// Paints every checkpoint in list order, so a later mark covers an earlier one; the one at position selected
// (-1 for none) in orange. Positions is any range of values with x and y members.
template <class Positions>
void PaintCheckpointMarks(MapPixels& image, const Positions& positions, int selected) {
    int index = 0;
    for (const auto& pos : positions) {
        PaintCheckpointMark(image, static_cast<int>(pos.x), static_cast<int>(pos.y), index == selected);
        ++index;
    }
}

}  // namespace rw::city
