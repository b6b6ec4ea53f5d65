// The program's string table: every text the user sees, under its numeric id (101..174).
#pragma once

#include <string_view>

#include "res/StringId.h"

namespace rw::res {

// The text stored under id, or an empty view for an id the table does not hold. Texts are plain ASCII;
// "&" marks a mnemonic in labels and button texts, as the platform's dialogs read them.
std::string_view String(int id);
inline std::string_view String(StringId id) {
    return String(static_cast<int>(id));
}

// First and last id the table holds.
inline constexpr int kFirstStringId = 101;
inline constexpr int kLastStringId = 174;

}  // namespace rw::res
