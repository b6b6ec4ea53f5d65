// The race form's rules: what each field takes, the spins' ranges, the refusals before a save, difficulty.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "editor/ControlId.h"
#include "res/StringId.h"

namespace rw::editor {

// What typing may put into a field. A text set by the program may exceed it.
struct FieldLimit {
    int maxLength;
    bool digitsOnly;
};
inline constexpr FieldLimit kTitleLimit{20, false};
inline constexpr FieldLimit kTimeLimitLimit{5, true};
inline constexpr FieldLimit kBonusLimit{2, true};

// The limit of a typed field (Race Title, Time Limit, Bonus); nothing for other controls.
std::optional<FieldLimit> TypingLimit(ControlId id);

// An inclusive range of whole numbers.
struct Range {
    std::int32_t min;
    std::int32_t max;
    constexpr bool Contains(std::int64_t value) const { return value >= min && value <= max; }
    constexpr std::int32_t Clamp(std::int64_t value) const {
        return static_cast<std::int32_t>(value < min ? min : value > max ? max : value);
    }
};
inline constexpr Range kLapsRange{1, 100};
inline constexpr Range kRacersRange{0, 8};
inline constexpr Range kTimeLimitRange{0, 99999};
inline constexpr Range kBonusRange{0, 99};

// The difficulty box's entries, in order (0 Easy, 1 Medium, 2 Hard).
inline constexpr std::array<std::string_view, 3> kDifficultyNames{"Easy", "Medium", "Hard"};

// The difficulty entry a loaded race selects from its first racer's level: level 1..3 gives 0..2; any
// other level (every int32 value allowed) selects none, -1.
int DifficultyOfLevel(std::int32_t level);

// Why a race cannot be saved: the message's text and caption.
struct SaveRefusal {
    res::StringId text;
    res::StringId caption;
};
// A race needs a title other than "Untitled" (title as typed, before its ampersands are doubled) and at
// least one checkpoint; the title is judged first.
std::optional<SaveRefusal> RefuseSave(std::string_view title, std::size_t checkpointCount);

}  // namespace rw::editor
