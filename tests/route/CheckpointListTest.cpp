// Checkpoint list edits and the list labels for open and closed courses.
#include "route/CheckpointList.h"

#include <gtest/gtest.h>

namespace rw::route {
namespace {

using scenario::TilePos;
using Labels = std::vector<std::string>;

TEST(CheckpointLabels, OpenCourseRunsFromStartToFinish) {
    EXPECT_EQ(CheckpointLabels(3, 1), (Labels{"START", "Checkpoint 1", "FINISH"}));
    EXPECT_EQ(CheckpointLabels(2, 1), (Labels{"START", "FINISH"}));
    EXPECT_EQ(CheckpointLabels(1, 1), (Labels{"START"}));
    EXPECT_EQ(CheckpointLabels(12, 1)[10], "Checkpoint 10");
    EXPECT_TRUE(CheckpointLabels(0, 1).empty());
}

TEST(CheckpointLabels, ClosedCourseStartsAndFinishesAtEntryZero) {
    EXPECT_EQ(CheckpointLabels(3, 3), (Labels{"START/ FINISH", "Checkpoint 1", "Checkpoint 2"}));
    EXPECT_EQ(CheckpointLabels(3, 0), (Labels{"START/ FINISH", "Checkpoint 1", "Checkpoint 2"}));
    EXPECT_EQ(CheckpointLabels(1, 2), (Labels{"START/ FINISH"}));
    EXPECT_EQ(CheckpointLabels(2, -5), (Labels{"START/ FINISH", "Checkpoint 1"}));
}

TEST(CheckpointEdits, AddAppendsEvenARepeat) {
    scenario::Scenario s;
    AddCheckpoint(s, 3, 4);
    AddCheckpoint(s, 3, 4);
    AddCheckpoint(s, 127, 0);
    EXPECT_EQ(s.checkpoints, (std::vector<TilePos>{{3, 4}, {3, 4}, {127, 0}}));
}

TEST(CheckpointEdits, MoveAndDeleteTouchOnlyAValidIndex) {
    scenario::Scenario s;
    s.checkpoints = {{1, 1}, {2, 2}, {3, 3}};
    EXPECT_FALSE(MoveCheckpoint(s, -1, 9, 9));  // nothing selected
    EXPECT_FALSE(MoveCheckpoint(s, 3, 9, 9));
    EXPECT_TRUE(MoveCheckpoint(s, 1, 9, 8));
    EXPECT_EQ(s.checkpoints, (std::vector<TilePos>{{1, 1}, {9, 8}, {3, 3}}));

    EXPECT_FALSE(DeleteCheckpoint(s, -1));
    EXPECT_FALSE(DeleteCheckpoint(s, 3));
    EXPECT_EQ(s.checkpoints.size(), 3u);
    EXPECT_TRUE(DeleteCheckpoint(s, 0));  // the former entry 1 becomes the start
    EXPECT_EQ(s.checkpoints, (std::vector<TilePos>{{9, 8}, {3, 3}}));
    EXPECT_EQ(CheckpointLabels(2, 1), (Labels{"START", "FINISH"}));
}

}  // namespace
}  // namespace rw::route
