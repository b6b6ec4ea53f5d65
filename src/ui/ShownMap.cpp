// The true-colour map picture, refreshed row by row.
#include "ShownMap.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "city/CheckpointMarks.h"
#include "res/MapPalette.h"

namespace rw::ui {

namespace {

static_assert(sizeof(scenario::TilePos) == 4 && std::has_unique_object_representations_v<scenario::TilePos>,
              "positions compare as their bytes");

constexpr int kRows = 256;
constexpr int kColumns = 256;

QRgb Colour(const res::Rgb& rgb) {
    return qRgb(rgb.r, rgb.g, rgb.b);
}

}  // namespace

ShownMap::ShownMap() : m_image(kColumns, kRows, QImage::Format_RGB32) {
    const auto palette = res::MapPalette();
    std::transform(palette.begin(), palette.end(), m_colours.begin(), Colour);
}

void ShownMap::MarkSquareRows(const scenario::TilePos& pos) {
    if (const auto square = city::ClipToMap(city::CheckpointSquare(pos.x, pos.y))) {
        std::fill(m_stale.begin() + square->top, m_stale.begin() + square->bottom, true);
    }
}

bool ShownMap::FindStaleRows(const city::MapPixels& pixels, std::span<const scenario::TilePos> checkpoints,
                             int selected) {
    m_stale.fill(!m_converted);
    bool any = !m_converted;
    for (int row = 0; m_pixelsChanged && row < kRows; ++row) {
        const std::size_t first = city::PixelIndex(0, row);
        if (std::memcmp(&pixels[first], &m_pixels[first], kColumns) != 0) {
            m_stale[static_cast<std::size_t>(row)] = true;
            any = true;
        }
    }
    m_pixelsChanged = false;
    // A square that moved, came, went or changed colour leaves both its old and its new rows to redo. The
    // positions are plain pairs of 16-bit numbers, compared as bytes first.
    const std::size_t shown = m_checkpoints.size();
    if (shown == checkpoints.size() && selected == m_selected &&
        (shown == 0 ||
         std::memcmp(m_checkpoints.data(), checkpoints.data(), shown * sizeof(scenario::TilePos)) == 0)) {
        return any;
    }
    for (std::size_t i = 0; i < std::max(shown, checkpoints.size()); ++i) {
        const auto index = static_cast<int>(i);
        if (i < shown && i < checkpoints.size() && m_checkpoints[i] == checkpoints[i] &&
            (index == m_selected) == (index == selected)) {
            continue;
        }
        if (i < shown) {
            MarkSquareRows(m_checkpoints[i]);
        }
        if (i < checkpoints.size()) {
            MarkSquareRows(checkpoints[i]);
        }
        any = true;
    }
    return any;
}

void ShownMap::RedrawStaleRows(const city::MapPixels& pixels, std::span<const scenario::TilePos> checkpoints,
                               int selected) {
    // Local pointers: stores through the scan line could otherwise alias the table and the pixels as the
    // compiler sees them, and every pixel would load them again.
    const QRgb* const table = m_colours.data();
    uchar* const bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int row = 0; row < kRows; ++row) {
        if (!m_stale[static_cast<std::size_t>(row)]) {
            continue;
        }
        auto* const line = reinterpret_cast<QRgb*>(bits + row * stride);
        const std::uint8_t* const indices = pixels.data() + city::PixelIndex(0, row);
        for (int x = 0; x < kColumns; x += 4) {
            const QRgb a = table[indices[x]];
            const QRgb b = table[indices[x + 1]];
            const QRgb c = table[indices[x + 2]];
            const QRgb d = table[indices[x + 3]];
            line[x] = a;
            line[x + 1] = b;
            line[x + 2] = c;
            line[x + 3] = d;
        }
        std::memcpy(&m_pixels[city::PixelIndex(0, row)], indices, kColumns);
    }
    // Stale rows above each row: a square whose rows all stay as they are is passed over at once.
    std::array<std::uint16_t, kRows + 1> staleAbove{};
    for (std::size_t row = 0; row < kRows; ++row) {
        staleAbove[row + 1] = static_cast<std::uint16_t>(staleAbove[row] + (m_stale[row] ? 1 : 0));
    }
    const QRgb red = Colour(city::kMarkColour);
    const QRgb orange = Colour(city::kSelectedMarkColour);
    int index = 0;
    for (const scenario::TilePos& pos : checkpoints) {
        const auto square = city::ClipToMap(city::CheckpointSquare(pos.x, pos.y));
        if (square && staleAbove[static_cast<std::size_t>(square->bottom)] !=
                          staleAbove[static_cast<std::size_t>(square->top)]) {
            const QRgb mark = index == selected ? orange : red;
            for (int y = square->top; y < square->bottom; ++y) {
                if (m_stale[static_cast<std::size_t>(y)]) {
                    auto* const line = reinterpret_cast<QRgb*>(bits + y * stride);
                    std::fill(line + square->left, line + square->right, mark);
                }
            }
        }
        ++index;
    }
}

ShownMap::Rows ShownMap::Refresh(const city::MapPixels& pixels,
                                 std::span<const scenario::TilePos> checkpoints, int selected) {
    if (!FindStaleRows(pixels, checkpoints, selected)) {
        return {};
    }
    RedrawStaleRows(pixels, checkpoints, selected);
    m_checkpoints.assign(checkpoints.begin(), checkpoints.end());
    m_selected = selected;
    m_converted = true;
    const auto first = std::find(m_stale.begin(), m_stale.end(), true);
    const auto last = std::find(m_stale.rbegin(), m_stale.rend(), true);
    return {static_cast<int>(first - m_stale.begin()), static_cast<int>(m_stale.rend() - last)};
}

}  // namespace rw::ui
