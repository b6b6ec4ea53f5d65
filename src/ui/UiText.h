// Texts between the editor (UTF-8) and the window (QString), and string-table texts as the window shows them.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "res/StringTable.h"

namespace rw::ui {

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

inline QString UiText(rw::res::StringId id) {
    return FromUtf8(rw::res::String(id));
}

inline QString UiText(int stringId) {
    return FromUtf8(rw::res::String(stringId));
}

}  // namespace rw::ui
