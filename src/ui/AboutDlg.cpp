// The About box.
#include "AboutDlg.h"

#include "ui/ApplicationIcon.h"
#include "ui/DialogUnits.h"

#include <QLabel>
#include <QPushButton>

namespace rw::ui {

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Routewright"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(QPixmap::fromImage(ApplicationIconImage()));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("aboutVersion"));
    version->setTextFormat(Qt::PlainText);
    auto* secondLine = new QLabel(SecondLineText(), this);
    secondLine->setObjectName(QStringLiteral("aboutSecondLine"));
    secondLine->setTextFormat(Qt::PlainText);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("control1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    const DialogUnits units(font());
    setFixedSize(units.Size(201, 55));
    // The picture keeps its 32 x 32 pixels; the control's box only places it.
    const QRect iconBox = units.Rect(11, 17, 21, 20);
    icon->setGeometry(iconBox.x(), iconBox.y(), std::max(iconBox.width(), 32),
                      std::max(iconBox.height(), 32));
    version->setGeometry(units.Rect(45, 17, 96, 8));
    secondLine->setGeometry(units.Rect(45, 28, 106, 8));
    ok->setGeometry(units.Rect(145, 7, 49, 14));
    ok->setFocus();
}

QString AboutDlg::VersionText() {
    return QStringLiteral("Routewright Version 1.0");
}

QString AboutDlg::SecondLineText() {
    return QStringLiteral("Race courses for Vortane");
}

}  // namespace rw::ui
