// The race form's rules.
#include "editor/RaceRules.h"

#include "res/StringTable.h"

namespace rw::editor {

std::optional<FieldLimit> TypingLimit(ControlId id) {
    switch (id) {
        case ControlId::RaceTitle:
            return kTitleLimit;
        case ControlId::TimeLimit:
            return kTimeLimitLimit;
        case ControlId::Bonus:
            return kBonusLimit;
        default:
            return std::nullopt;
    }
}

int DifficultyOfLevel(std::int32_t level) {
    // Compared before subtracting: level - 1 would overflow at the smallest value.
    if (level < 1 || level > static_cast<std::int32_t>(kDifficultyNames.size())) {
        return -1;
    }
    return level - 1;
}

std::optional<SaveRefusal> RefuseSave(std::string_view title, std::size_t checkpointCount) {
    if (title.empty() || title == res::String(res::StringId::Untitled)) {
        return SaveRefusal{res::StringId::NoTitleText, res::StringId::NoTitleCaption};
    }
    if (checkpointCount == 0) {
        return SaveRefusal{res::StringId::NoCheckpointsText, res::StringId::NoCheckpointsCaption};
    }
    return std::nullopt;
}

}  // namespace rw::editor
