// The labels of the Checkpoints list box.
#pragma once

#include <string>

namespace rw::route {

// The list label of checkpoint index among count, following the lap count the window shows: with laps 1,
// "START" for index 0, "FINISH" for the last, "Checkpoint <index>" between; with any other lap count,
// "START/ FINISH" for index 0 and "Checkpoint <index>" for every other.
std::string CheckpointLabel(int index, int count, int laps);
// The same label written over label, whose storage is reused.
void WriteCheckpointLabel(std::string& label, int index, int count, int laps);

}  // namespace rw::route
