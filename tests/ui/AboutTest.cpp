// The About box and the application icon it shows.
#include "embedded/AppIconBytes.h"
#include "res/IconImage.h"
#include "ui/AboutDlg.h"
#include "ui/ApplicationIcon.h"
#include "ui/QtEditorHost.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <vector>

class AboutTest : public QObject {
    Q_OBJECT

  private slots:
    void showsVersionIconAndOk() {
        rw::ui::AboutDlg about(nullptr);
        QCOMPARE(about.windowTitle(), QStringLiteral("About Routewright"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("aboutVersion"))->text(),
                 QStringLiteral("Routewright Version 1.0"));
        const QString second = about.findChild<QLabel*>(QStringLiteral("aboutSecondLine"))->text();
        QVERIFY(!second.isEmpty());
        const QPixmap icon = about.findChild<QLabel*>(QStringLiteral("aboutIcon"))->pixmap();
        QCOMPARE(icon.size(), QSize(32, 32));

        auto* ok = about.findChild<QPushButton*>(QStringLiteral("control1"));
        QVERIFY(ok->isDefault());
        QSignalSpy accepted(&about, &QDialog::accepted);
        ok->click();
        QCOMPARE(accepted.count(), 1);
    }

    void iconIs32By32WithSixteenColoursAndTransparentCorners() {
        const QImage icon = rw::ui::ApplicationIconImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> colours;
        int opaque = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb pixel = icon.pixel(x, y);
                QVERIFY(qAlpha(pixel) == 0 || qAlpha(pixel) == 255);
                if (qAlpha(pixel) == 255) {
                    colours.insert(pixel);
                    ++opaque;
                }
            }
        }
        QVERIFY(colours.size() > 4);
        QVERIFY(colours.size() <= 16);
        QVERIFY(opaque > 32 * 32 * 3 / 4);
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(31, 31)), 0);
        QVERIFY(!rw::ui::ApplicationIcon().isNull());
    }

    void damagedIconBytesAreRefused() {
        const auto bytes = rw::res::AppIconBytes();
        QVERIFY(rw::res::DecodeIcon(bytes).has_value());
        for (std::size_t cut :
             {std::size_t{0}, std::size_t{5}, std::size_t{21}, std::size_t{61}, bytes.size() - 1}) {
            QVERIFY2(!rw::res::DecodeIcon(bytes.first(cut)).has_value(), qPrintable(QString::number(cut)));
        }
        std::vector<std::uint8_t> damaged(bytes.begin(), bytes.end());
        damaged[2] = 2;  // a cursor file, not an icon
        QVERIFY(!rw::res::DecodeIcon(damaged).has_value());
        damaged[2] = 1;
        damaged[18] = 0xFF;  // the image's offset points past the end
        QVERIFY(!rw::res::DecodeIcon(damaged).has_value());
        damaged[18] = 22;
        damaged[22 + 14] = 24;  // a bit depth the decoder does not take
        QVERIFY(!rw::res::DecodeIcon(damaged).has_value());
    }

    void hostRunsTheBoxModally() {
        rw::ui::QtEditorHost host;
        bool seen = false;
        QTimer::singleShot(0, [&seen] {
            auto* about = qobject_cast<rw::ui::AboutDlg*>(QApplication::activeModalWidget());
            QVERIFY(about != nullptr);
            seen = true;
            QTest::keyClick(about, Qt::Key_Escape);
        });
        host.ShowAbout(nullptr);
        QVERIFY(seen);
    }
};

QTEST_MAIN(AboutTest)
#include "AboutTest.moc"
