// Checkpoint edits and list labels.
#include "route/CheckpointList.h"

#include <cstdio>
#include <utility>

#include "res/StringTable.h"

namespace rw::route {

namespace {

constexpr int kCheckpointId = 125;
constexpr int kStartFinishId = 156;
constexpr int kFinishId = 157;
constexpr int kStartId = 171;

bool ValidIndex(const scenario::Scenario& scenario, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < scenario.checkpoints.size();
}

}  // namespace

void AddCheckpoint(scenario::Scenario& scenario, std::uint16_t x, std::uint16_t y) {
    scenario.checkpoints.push_back(scenario::TilePos{x, y});
}

bool MoveCheckpoint(scenario::Scenario& scenario, int index, std::uint16_t x, std::uint16_t y) {
    if (!ValidIndex(scenario, index)) {
        return false;
    }
    scenario.checkpoints[static_cast<std::size_t>(index)] = scenario::TilePos{x, y};
    return true;
}

bool DeleteCheckpoint(scenario::Scenario& scenario, int index) {
    if (!ValidIndex(scenario, index)) {
        return false;
    }
    scenario.checkpoints.erase(scenario.checkpoints.begin() + index);
    return true;
}

bool InsertCheckpoint(scenario::Scenario& scenario, int index, std::uint16_t x, std::uint16_t y) {
    if (index != -1 && !ValidIndex(scenario, index)) {
        return false;
    }
    scenario.checkpoints.insert(scenario.checkpoints.begin() + (index + 1), scenario::TilePos{x, y});
    return true;
}

bool ShiftCheckpoint(scenario::Scenario& scenario, int index, CheckpointShift shift) {
    const int other = shift == CheckpointShift::Earlier ? index - 1 : index + 1;
    if (!ValidIndex(scenario, index) || !ValidIndex(scenario, other)) {
        return false;
    }
    std::swap(scenario.checkpoints[static_cast<std::size_t>(index)],
              scenario.checkpoints[static_cast<std::size_t>(other)]);
    return true;
}

std::string CheckpointLabel(int index, int count, int laps) {
    std::string label;
    WriteCheckpointLabel(label, index, count, laps);
    return label;
}

void WriteCheckpointLabel(std::string& label, int index, int count, int laps) {
    if (index == 0) {
        label.assign(res::String(laps == 1 ? kStartId : kStartFinishId));
        return;
    }
    if (laps == 1 && index == count - 1) {
        label.assign(res::String(kFinishId));
        return;
    }
    char number[16];
    const int length = std::snprintf(number, sizeof number, " %d", index);
    label.assign(res::String(kCheckpointId)).append(number, static_cast<std::size_t>(length));
}

}  // namespace rw::route
