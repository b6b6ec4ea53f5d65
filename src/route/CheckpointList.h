// Editing the scenario's checkpoint list, and the labels of the Checkpoints list box.
#pragma once

#include <cstdint>
#include <string>

#include "route/CheckpointEdit.h"
#include "scenario/Scenario.h"

namespace rw::route {

// Appends (x, y) to the checkpoints; repeats are allowed and there is no upper bound.
void AddCheckpoint(scenario::Scenario& scenario, std::uint16_t x, std::uint16_t y);

// Moves the checkpoint at index to (x, y). An index outside the list (-1 for no selection) moves nothing;
// false then.
bool MoveCheckpoint(scenario::Scenario& scenario, int index, std::uint16_t x, std::uint16_t y);

// Removes the checkpoint at index; the later ones move up by one. An index outside the list (-1 for no
// selection) removes nothing; false then.
bool DeleteCheckpoint(scenario::Scenario& scenario, int index);

// Inserts (x, y) after the checkpoint at index (-1: before the first); the later ones move down by one. An
// index outside -1..size - 1 inserts nothing; false then.
bool InsertCheckpoint(scenario::Scenario& scenario, int index, std::uint16_t x, std::uint16_t y);

// Moves the checkpoint at index one place earlier or later in the course order, swapping it with that
// neighbour. False (nothing moves) when index or the neighbour is outside the list.
bool ShiftCheckpoint(scenario::Scenario& scenario, int index, CheckpointShift shift);

// The list label of checkpoint index among count, following the lap count the window shows: with laps 1,
// "START" for index 0, "FINISH" for the last, "Checkpoint <index>" between; with any other lap count,
// "START/ FINISH" for index 0 and "Checkpoint <index>" for every other.
std::string CheckpointLabel(int index, int count, int laps);
// The same label written over label, whose storage is reused.
void WriteCheckpointLabel(std::string& label, int index, int count, int laps);

}  // namespace rw::route
