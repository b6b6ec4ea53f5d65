// The map as the window paints it: the city picture in true colours with the checkpoint squares laid on it.
#pragma once

#include <QImage>

#include <array>
#include <span>
#include <vector>

#include "city/MapImage.h"
#include "scenario/Scenario.h"

namespace rw::ui {

// Qt draws an indexed image by converting every pixel through its colour table at each paint, in a generic
// path about ten times slower than a lookup made once per change; a picture of true colours is copied to
// the screen as it stands. The squares are laid on it here too, so a paint does not fill a thousand
// rectangles one by one. A refresh converts only the rows whose pixels or squares changed: an edit's route
// touches a few dozen rows of the 256.
class ShownMap {
  public:
    ShownMap();

    // Rows top to bottom (excluded) of the picture; empty when top == bottom.
    struct Rows {
        int top = 0;
        int bottom = 0;
    };

    // The editor's pixels may have changed: the next refresh compares them row by row.
    void PixelsChanged() { m_pixelsChanged = true; }
    bool PixelsMayHaveChanged() const { return m_pixelsChanged; }
    // Brings the picture up to date with the editor's pixels (rows bottom-up), the checkpoints in list order
    // (a later square covers an earlier one) and the selected one (-1 for none), which is orange. Gives the
    // rows that changed.
    Rows Refresh(const city::MapPixels& pixels, std::span<const scenario::TilePos> checkpoints, int selected);
    const QImage& Image() const { return m_image; }

  private:
    void MarkSquareRows(const scenario::TilePos& pos);
    // Marks the rows that differ from what the picture shows; false when none does.
    bool FindStaleRows(const city::MapPixels& pixels, std::span<const scenario::TilePos> checkpoints,
                       int selected);
    // Converts the stale rows and lays on them the squares that cross them.
    void RedrawStaleRows(const city::MapPixels& pixels, std::span<const scenario::TilePos> checkpoints,
                         int selected);

    QImage m_image;  // 256 x 256, RGB32, rows top-down
    std::array<QRgb, 256> m_colours{};
    // What the picture shows: the pixels its rows were converted from, the squares laid and the selection.
    city::MapPixels m_pixels{};
    std::vector<scenario::TilePos> m_checkpoints;
    int m_selected = -1;
    bool m_converted = false;  // false until the first refresh converts every row
    bool m_pixelsChanged = true;
    std::array<bool, 256> m_stale{};
};

}  // namespace rw::ui
