// A string-table text as the window shows it.
#pragma once

#include <QString>

#include <string_view>

#include "res/StringTable.h"

namespace rw::ui {

// The table's texts are plain ASCII.
inline QString UiText(int stringId) {
    const std::string_view text = rw::res::String(stringId);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace rw::ui
