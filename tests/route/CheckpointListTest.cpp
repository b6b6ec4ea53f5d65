// Checkpoint list edits and the list labels for open and closed courses.
#include "route/CheckpointList.h"

#include <gtest/gtest.h>

namespace rw::route {
namespace {

using scenario::TilePos;

// Laps 1 is an open course from START to FINISH; any other count (3, 0, negative) is closed at entry 0. One
// string takes every label in turn, as a list row reuses its own.
TEST(CheckpointLabels, OpenAndClosedCourses) {
    const struct {
        int index, count, laps;
        const char* label;
    } cases[] = {{0, 3, 1, "START"},        {1, 3, 1, "Checkpoint 1"},    {2, 3, 1, "FINISH"},
                 {0, 1, 1, "START"},        {10, 12, 1, "Checkpoint 10"}, {0, 3, 3, "START/ FINISH"},
                 {2, 3, 3, "Checkpoint 2"}, {0, 3, 0, "START/ FINISH"},   {2, 3, 0, "Checkpoint 2"},
                 {1, 2, -5, "Checkpoint 1"}};
    std::string label = "longer than any label";
    for (const auto& c : cases) {
        WriteCheckpointLabel(label, c.index, c.count, c.laps);
        EXPECT_EQ(label, c.label) << c.index << " of " << c.count << ", laps " << c.laps;
    }
}

TEST(CheckpointEdits, AddAppendsEvenARepeatOthersTouchOnlyValidIndices) {
    scenario::Scenario s;
    AddCheckpoint(s, 3, 4);
    AddCheckpoint(s, 3, 4);
    AddCheckpoint(s, 127, 0);
    EXPECT_EQ(s.checkpoints, (std::vector<TilePos>{{3, 4}, {3, 4}, {127, 0}}));

    EXPECT_FALSE(MoveCheckpoint(s, 3, 9, 9));
    EXPECT_TRUE(MoveCheckpoint(s, 1, 9, 8));
    EXPECT_EQ(s.checkpoints, (std::vector<TilePos>{{3, 4}, {9, 8}, {127, 0}}));
    EXPECT_FALSE(DeleteCheckpoint(s, 3));
    EXPECT_TRUE(DeleteCheckpoint(s, 0));  // the former entry 1 becomes the start
    EXPECT_EQ(s.checkpoints, (std::vector<TilePos>{{9, 8}, {127, 0}}));

    EXPECT_FALSE(InsertCheckpoint(s, -2, 1, 1));
    EXPECT_FALSE(InsertCheckpoint(s, 2, 1, 1));
    EXPECT_TRUE(InsertCheckpoint(s, -1, 1, 1));  // before the first
    EXPECT_TRUE(InsertCheckpoint(s, 2, 2, 2));   // after the last
    EXPECT_TRUE(InsertCheckpoint(s, 0, 3, 3));
    EXPECT_EQ(s.checkpoints, (std::vector<TilePos>{{1, 1}, {3, 3}, {9, 8}, {127, 0}, {2, 2}}));
    EXPECT_FALSE(ShiftCheckpoint(s, 0, CheckpointShift::Earlier));
    EXPECT_FALSE(ShiftCheckpoint(s, 4, CheckpointShift::Later));
    EXPECT_TRUE(ShiftCheckpoint(s, 0, CheckpointShift::Later));
    EXPECT_TRUE(ShiftCheckpoint(s, 4, CheckpointShift::Earlier));
    EXPECT_EQ(s.checkpoints, (std::vector<TilePos>{{3, 3}, {1, 1}, {9, 8}, {2, 2}, {127, 0}}));
}

}  // namespace
}  // namespace rw::route
