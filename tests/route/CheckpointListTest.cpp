// Checkpoint list edits and the list labels for open and closed courses.
#include "route/CheckpointList.h"

#include <gtest/gtest.h>

namespace rw::route {
namespace {

using scenario::TilePos;
using Labels = std::vector<std::string>;

// Laps 1 is an open course from START to FINISH; any other count (3, 0, negative) is closed at entry 0.
TEST(CheckpointLabels, OpenAndClosedCourses) {
    const struct {
        int count, laps;
        Labels labels;
    } cases[] = {{3, 1, {"START", "Checkpoint 1", "FINISH"}},
                 {2, 1, {"START", "FINISH"}},
                 {1, 1, {"START"}},
                 {0, 1, {}},
                 {3, 3, {"START/ FINISH", "Checkpoint 1", "Checkpoint 2"}},
                 {3, 0, {"START/ FINISH", "Checkpoint 1", "Checkpoint 2"}},
                 {1, 2, {"START/ FINISH"}},
                 {2, -5, {"START/ FINISH", "Checkpoint 1"}}};
    for (const auto& c : cases) {
        EXPECT_EQ(CheckpointLabels(c.count, c.laps), c.labels) << c.count << " checkpoints, laps " << c.laps;
    }
    EXPECT_EQ(CheckpointLabels(12, 1)[10], "Checkpoint 10");
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
