// The Checkpoints list labels.
#include "route/CheckpointList.h"

#include <cstdio>

#include "res/StringTable.h"

namespace rw::route {

namespace {

constexpr int kCheckpointId = 125;
constexpr int kStartFinishId = 156;
constexpr int kFinishId = 157;
constexpr int kStartId = 171;

}  // namespace

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
