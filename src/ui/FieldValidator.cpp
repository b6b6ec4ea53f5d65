// Judging edits of the window's fields.
#include "FieldValidator.h"

#include <QLineEdit>

#include "scenario/Windows1252.h"

namespace rw::ui {

namespace {

qsizetype NonDigits(const QString& text) {
    qsizetype count = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            ++count;
        }
    }
    return count;
}

bool Encodable(const QString& text) {
    for (const char32_t codePoint : text.toUcs4()) {
        if (!rw::scenario::EncodeWindows1252(codePoint)) {
            return false;
        }
    }
    return true;
}

}  // namespace

FieldValidator::FieldValidator(QLineEdit& field, int maxLength, bool digitsOnly)
    : QValidator(&field), m_previous(field.text()), m_maxLength(maxLength), m_digitsOnly(digitsOnly) {
    connect(&field, &QLineEdit::textChanged, this, [this](const QString& text) { m_previous = text; });
    field.setValidator(this);
}

void FieldValidator::SetText(QLineEdit& field, const QString& text) {
    if (auto* validator = qobject_cast<FieldValidator*>(const_cast<QValidator*>(field.validator()))) {
        validator->m_previous = text;
    }
    field.setText(text);
}

QValidator::State FieldValidator::validate(QString& input, int&) const {
    if (!Encodable(input)) {
        return Invalid;
    }
    if (input.size() > m_maxLength && input.size() > m_previous.size()) {
        return Invalid;
    }
    if (m_digitsOnly && NonDigits(input) > NonDigits(m_previous)) {
        return Invalid;
    }
    return Acceptable;
}

}  // namespace rw::ui
