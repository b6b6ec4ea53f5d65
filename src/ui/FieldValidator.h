// What may be typed into one of the window's edit fields.
#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace rw::ui {

// Judges each edit against the text the field held before it, as the platform's edit controls judge
// keystrokes: a text set by the program may exceed the limits, and the user may still shorten it.
// - Every character must have a byte in the documents' code page (windows-1252); others are refused.
// - Beyond maxLength characters the text may not grow.
// - digitsOnly: an edit may not add a character other than 0-9.
class FieldValidator : public QValidator {
    Q_OBJECT

  public:
    // Becomes field's validator, owned by field; watches its text to know what each edit starts from.
    FieldValidator(QLineEdit& field, int maxLength, bool digitsOnly);

    State validate(QString& input, int& pos) const override;

    // Sets a text from the program: accepted whatever its length or characters, and the start of the next
    // edit. Fields without a FieldValidator simply take the text.
    static void SetText(QLineEdit& field, const QString& text);

    int MaxLength() const { return m_maxLength; }
    bool DigitsOnly() const { return m_digitsOnly; }

  private:
    QString m_previous;  // the text the next edit starts from
    int m_maxLength;
    bool m_digitsOnly;
};

}  // namespace rw::ui
