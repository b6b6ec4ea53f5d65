// The About box: the application icon, the version line and one line about the program.
#pragma once

#include <QDialog>

namespace rw::ui {

class AboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDlg(QWidget* parent);

    static QString VersionText();
    static QString SecondLineText();
};

}  // namespace rw::ui
