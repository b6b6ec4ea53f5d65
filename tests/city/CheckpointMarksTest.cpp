// Checkpoint squares: geometry, clipping at the map's corners, colours and painting order.
#include "city/CheckpointMarks.h"

#include <gtest/gtest.h>

#include <vector>

namespace rw::city {
namespace {

struct Pos {
    int x;
    int y;
};

// Number of pixels of image that hold colour.
int CountColour(const MapPixels& image, std::uint8_t colour) {
    int count = 0;
    for (const std::uint8_t p : image) {
        count += p == colour ? 1 : 0;
    }
    return count;
}

TEST(CheckpointMarks, SquareCoversTheTileAndItsUpperLeftNeighbours) {
    EXPECT_EQ(CheckpointSquare(10, 20), (PixelRect{18, 38, 22, 42}));
    // Tile (10, 20) covers columns 20-21 and rows 40-41: the last two of the square's four.
    EXPECT_EQ(CheckpointSquare(0, 0), (PixelRect{-2, -2, 2, 2}));
    EXPECT_EQ(CheckpointSquare(127, 127), (PixelRect{252, 252, 256, 256}));
}

TEST(CheckpointMarks, ClippingKeepsOnlyTheVisiblePart) {
    EXPECT_EQ(ClipToMap(CheckpointSquare(0, 0)), (PixelRect{0, 0, 2, 2}));
    EXPECT_EQ(ClipToMap(CheckpointSquare(127, 127)), (PixelRect{252, 252, 256, 256}));
    EXPECT_EQ(ClipToMap(PixelRect{250, -5, 300, 1}), (PixelRect{250, 0, 256, 1}));
    EXPECT_FALSE(ClipToMap(PixelRect{-4, 0, 0, 4}));  // right edge excluded: nothing left
    EXPECT_FALSE(ClipToMap(PixelRect{256, 0, 260, 4}));
    EXPECT_FALSE(ClipToMap(CheckpointSquare(200, 3)));  // a tile number no map has
}

TEST(CheckpointMarks, MarkAtTheOriginShowsOnlyItsBottomRightQuarter) {
    MapPixels image{};
    PaintCheckpointMark(image, 0, 0, false);
    EXPECT_EQ(CountColour(image, res::kMarkRedIndex), 4);
    for (int column = 0; column < 2; ++column) {
        for (int row = 0; row < 2; ++row) {
            EXPECT_EQ(image[PixelIndex(column, row)], res::kMarkRedIndex);
        }
    }
}

TEST(CheckpointMarks, MarkAtTheLastTileFillsTheCornerBottomUp) {
    MapPixels image{};
    PaintCheckpointMark(image, 127, 127, true);
    EXPECT_EQ(CountColour(image, res::kMarkOrangeIndex), 16);
    // Row 255 is the first stored row of a bottom-up picture.
    EXPECT_EQ(image[252], res::kMarkOrangeIndex);
    EXPECT_EQ(image[255], res::kMarkOrangeIndex);
    EXPECT_EQ(image[3 * 256 + 252], res::kMarkOrangeIndex);
    EXPECT_EQ(image[4 * 256 + 252], 0);
    EXPECT_EQ(image[251], 0);
}

TEST(CheckpointMarks, SelectedIsOrangeAndLaterMarksCoverEarlierOnes) {
    MapPixels image{};
    const std::vector<Pos> positions{{10, 10}, {11, 10}, {40, 40}};
    PaintCheckpointMarks(image, positions, 0);
    // The second mark overlaps the selected first one in columns 20-21.
    EXPECT_EQ(image[PixelIndex(18, 18)], res::kMarkOrangeIndex);
    EXPECT_EQ(image[PixelIndex(19, 21)], res::kMarkOrangeIndex);
    EXPECT_EQ(image[PixelIndex(20, 18)], res::kMarkRedIndex);
    EXPECT_EQ(image[PixelIndex(23, 21)], res::kMarkRedIndex);
    EXPECT_EQ(image[PixelIndex(24, 21)], 0);
    EXPECT_EQ(CountColour(image, res::kMarkOrangeIndex), 8);
    EXPECT_EQ(CountColour(image, res::kMarkRedIndex), 16 + 16);

    MapPixels none{};
    PaintCheckpointMarks(none, positions, -1);
    EXPECT_EQ(CountColour(none, res::kMarkOrangeIndex), 0);
}

}  // namespace
}  // namespace rw::city
