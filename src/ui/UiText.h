// Texts between the editor (UTF-8) and the window (QString), and string-table texts as the window shows them.
#pragma once

#include <QAnyStringView>
#include <QString>
#include <QUtf8StringView>

#include <string>
#include <string_view>

#include "res/StringTable.h"

namespace rw::ui {

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Compares without converting either text.
inline bool SameText(const QString& shown, std::string_view utf8) {
    return QAnyStringView::equal(shown, QUtf8StringView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

// The fields hold ASCII nearly always: such a text is narrowed in place of going through a byte array.
inline std::string ToUtf8(const QString& text) {
    std::string narrow(static_cast<std::size_t>(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit >= 0x80) {
            return text.toStdString();
        }
        narrow[static_cast<std::size_t>(i)] = static_cast<char>(unit);
    }
    return narrow;
}

inline QString UiText(rw::res::StringId id) {
    return FromUtf8(rw::res::String(id));
}

inline QString UiText(int stringId) {
    return FromUtf8(rw::res::String(stringId));
}

}  // namespace rw::ui
