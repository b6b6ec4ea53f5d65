// The checkpoint list labels for open and closed courses.
#include "route/CheckpointList.h"

#include <gtest/gtest.h>

namespace rw::route {
namespace {

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

}  // namespace
}  // namespace rw::route
