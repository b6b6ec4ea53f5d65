// The window after start-up (controls, labels, limits, tab order, layout, keys) and its race fields (spins
// and their clamps, lap-dependent labels, difficulty, typing rules, transfers).
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

#include "UiTestSupport.h"
#include "ui/DialogUnits.h"
#include "ui/EditorTemplate.h"
#include "ui/SpinArrows.h"
#include "ui/UiText.h"

using namespace rw::ui;
using namespace rw::ui::test;

namespace {

// The middle of the spin's upper (raise) or lower (lower) arrow.
QPoint ArrowPoint(const QWidget* spin, bool up) {
    return QPoint(spin->width() / 2, up ? spin->height() / 4 : spin->height() * 3 / 4);
}
void ClickArrow(CourseEditorDlg& window, int spinId, bool up) {
    QTest::mouseClick(window.Control(spinId), Qt::LeftButton, Qt::NoModifier,
                      ArrowPoint(window.Control(spinId), up));
}
}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<EditorUnderTest> m_editor;
    CourseEditorDlg& W() { return **m_editor; }

  private slots:
    void init() {
        m_editor = std::make_unique<EditorUnderTest>();
        QVERIFY(m_editor->Show());
    }
    void startsWithAFreshScenario() {
        QCOMPARE(W().windowTitle(), QStringLiteral("Vortane of Metrova Race Course Editor"));
        QCOMPARE(FieldText(W(), ControlId::RaceTitle), QStringLiteral("Untitled"));
        QCOMPARE(StatusText(W()), QString());
        auto* combo = W().ControlAs<QComboBox>(1100);
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemText(0) + combo->itemText(1) + combo->itemText(2),
                 QStringLiteral("EasyMediumHard"));
        QVERIFY(combo->currentIndex() == 0 && !combo->isEditable());
        QCOMPARE(W().ControlAs<QListWidget>(1001)->count(), 0);
        for (const int id : {1072, 1081, 1017, 1077, 1079, 1074}) {
            const auto* field = W().ControlAs<QLineEdit>(id);
            QCOMPARE(field->isReadOnly(), id == 1072 || id == 1081 || id == 1017);
            QVERIFY(field->isReadOnly() || field->validator() != nullptr);
        }
        for (const QPushButton* button : W().findChildren<QPushButton*>()) {
            QVERIFY(!button->isDefault() && !button->autoDefault());
        }
    }

    void labelsComeFromTheStringTable() {
        int labelled = 0;
        for (const TemplateItem& item : EditorControls()) {
            QWidget* control = W().Control(item.id);
            QVERIFY2(control != nullptr, qPrintable(QString::number(item.id)));
            QCOMPARE(control->objectName(), QStringLiteral("control%1").arg(item.id));
            if (item.stringId == 0) {
                continue;
            }
            ++labelled;
            QString text;
            if (auto* button = qobject_cast<QPushButton*>(control)) {
                text = button->text();
            } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
                text = box->title();
            } else if (auto* label = qobject_cast<QLabel*>(control)) {
                text = label->text();
            }
            // The group box beside Load City File leaves Alt+C to the button.
            QCOMPARE(text, item.id == 1104 ? QStringLiteral("Load City File") : UiText(item.stringId));
        }
        QCOMPARE(labelled, 20);
        QCOMPARE(qobject_cast<QPushButton*>(W().Control(1022))->text(), QStringLiteral("Load &City File"));
        QCOMPARE(qobject_cast<QGroupBox*>(W().Control(1103))->title(),
                 QStringLiteral("Click on city map to set checkpoints"));
        QVERIFY(W().Control(1040)->isHidden());
    }

    // Tab order is template order over the controls that take the focus by Tab; the City File field is left
    // out.
    void tabOrderFollowsTheTemplate() {
        QList<int> expected;
        for (const TemplateItem& item : EditorControls()) {
            const QWidget* control = W().Control(item.id);
            if ((control->focusPolicy() & Qt::TabFocus) != 0 && control->isVisible()) {
                expected << item.id;
            }
        }
        QCOMPARE(expected.first(), 1022);
        QVERIFY(!expected.contains(1017) && expected.contains(1080) && expected.contains(1082));
        QCOMPARE(QApplication::focusWidget(), W().Control(1022));
        QList<int> visited;
        for (int step = 0; step < expected.size(); ++step) {
            for (const TemplateItem& item : EditorControls()) {
                const QWidget* control = W().Control(item.id);
                const QWidget* focus = QApplication::focusWidget();
                if (focus == control || (focus != nullptr && control->isAncestorOf(focus))) {
                    visited << item.id;
                }
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }

    // The map becomes 256 x 256 (its blank picture: MapTest); the status line, Enter and Exit follow by half
    // the width change across and the height change down; the frame grows by both; the list keeps its place;
    // every visible control lies inside the window and every label fits, whatever the font.
    void layoutFollowsTheMapGrowth() {
        QCOMPARE(W().MapImage().size(), QSize(256, 256));
        const DialogUnits units(W().font());
        const QRect mapTemplate = units.Rect(279, 27, 155, 140);
        const int dx = 256 - mapTemplate.width();
        const int dy = 256 - mapTemplate.height();
        const int h = dx / 2;
        QCOMPARE(W().Control(1041)->geometry(), QRect(mapTemplate.topLeft(), QSize(256, 256)));
        QCOMPARE(W().MapOrigin(), mapTemplate.topLeft());
        QCOMPARE(W().Control(1055)->geometry(), units.Rect(284, 172, 146, 9).translated(h, dy));
        QCOMPARE(W().Control(1000)->geometry(), units.Rect(332, 191, 51, 15).translated(h, dy));
        QCOMPARE(W().Control(1109)->geometry(), units.Rect(395, 191, 51, 15).translated(h, dy));
        const QRect frame = units.Rect(191, 7, 250, 179);
        QCOMPARE(W().Control(1103)->geometry(), QRect(frame.topLeft(), frame.size() + QSize(dx, dy)));
        QCOMPARE(W().Control(1001)->geometry(), units.Rect(198, 27, 75, 122));
        QCOMPARE(W().Control(1007)->geometry(), units.Rect(205, 157, 65, 16));
        QCOMPARE(W().Control(1022)->geometry(), units.Rect(119, 18, 51, 15));
        QCOMPARE(W().frameGeometry().width(), units.Rect(7, 203, 448, 9).width() + dx + 15);
        QCOMPARE(W().frameGeometry().height(), units.Size(456, 213).height() + dy);
        QCOMPARE(W().minimumSize(), W().maximumSize());
        for (const TemplateItem& item : EditorControls()) {
            QWidget* control = W().Control(item.id);
            if (control->isHidden()) {
                continue;
            }
            // The frame, not the inside, has the laid-out size: a control may reach into its edge.
            QVERIFY2(QRect(QPoint(0, 0), W().frameGeometry().size()).contains(control->geometry()),
                     qPrintable(QString::number(item.id)));
            if (auto* label = qobject_cast<QLabel*>(control); label != nullptr && !label->text().isEmpty()) {
                QVERIFY2(
                    label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                    qPrintable(label->text()));
            }
        }
    }

    // Enter in a field does nothing, on a push button it presses it; F1 opens About; Escape (from a field
    // too) and the close box are the close request, which the host carries out.
    void keysAndTheCloseRequest() {
        auto* title = W().ControlAs<QLineEdit>(1077);
        title->setFocus();
        QTest::keyClick(title, Qt::Key_Return);
        QTest::keyClick(title, Qt::Key_Enter);
        QVERIFY(W().isVisible());
        QVERIFY(m_editor->host.cityFolders.empty());
        m_editor->host.cityPicks.push_back(std::nullopt);
        W().Control(1022)->setFocus();
        QTest::keyClick(W().Control(1022), Qt::Key_Return);
        QCOMPARE(m_editor->host.cityFolders.size(), std::size_t{1});
        QTest::keyClick(W().Control(1022), Qt::Key_F1);
        QCOMPARE(m_editor->host.aboutCount, 1);
        QTest::keyClick(title, Qt::Key_Escape);
        W().close();
        QCOMPARE(m_editor->host.endCount, 2);
        QVERIFY(W().isVisible());
        W().EndEditor();
        QTRY_VERIFY(!W().isVisible());
    }

    void arrowKeysAndHoldingStepTheSpins() {
        QWidget* racers = W().Control(1082);
        racers->setFocus();
        QTest::keyClick(racers, Qt::Key_Up);
        QTest::keyClick(racers, Qt::Key_Up);
        QCOMPARE(FieldText(W(), 1081), QStringLiteral("2"));
        QTest::keyClick(racers, Qt::Key_Down);
        QCOMPARE(FieldText(W(), 1081), QStringLiteral("1"));
        QWidget* laps = W().Control(1080);
        QTest::mousePress(laps, Qt::LeftButton, Qt::NoModifier, ArrowPoint(laps, true));
        QTRY_VERIFY(FieldText(W(), 1072).toInt() >= 4);
        QTest::mouseRelease(laps, Qt::LeftButton, Qt::NoModifier, ArrowPoint(laps, true));
        const QString stopped = FieldText(W(), 1072);
        QTest::qWait(3 * SpinArrows::kRepeatIntervalMs);
        QCOMPARE(FieldText(W(), 1072), stopped);
    }

    // The spins report each step (up = -1) and then the click; the click copies the fields through the
    // document.
    void spinClickTransfersTheFields() {
        W().SetText(ControlId::TimeLimit, "300");
        auto* spin = static_cast<SpinArrows*>(W().Control(1082));
        QList<int> events;
        QObject::connect(spin, &SpinArrows::DeltaPos, [&](int delta) { events << delta; });
        QObject::connect(spin, &SpinArrows::Clicked, [&] { events << 0; });
        ClickArrow(W(), 1082, true);
        QCOMPARE(events, (QList<int>{-1, 0}));
        QCOMPARE(W().Editor().GetScenario().timeLimit, 300);
        QCOMPARE(FieldText(W(), ControlId::Racers), QStringLiteral("1"));
    }

    // Length limits, digits only, and characters without a byte in windows-1252 refused as they are typed.
    void typing_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("title limit") << 1077 << "abcdefghijklmnopqrstuvwxyz" << "abcdefghijklmnopqrst";
        const QString cafe = QString::fromUtf8("Caf\u00e9 \u20ac");
        QTest::newRow("title code page") << 1077 << cafe + QString::fromUtf8("\u03a9\u4e2d") << cafe;
        QTest::newRow("time digits") << 1079 << "1a2-3 45.678" << "12345";
        QTest::newRow("bonus digits") << 1074 << "x987" << "98";
        // clang-format on
    }
    void typing() {
        QFETCH(int, id);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        auto* field = W().ControlAs<QLineEdit>(id);
        field->clear();
        field->setFocus();
        TypeText(field, typed);
        QCOMPARE(field->text(), shown);
    }

    // A text the program put there may exceed the typing limit; it may be shortened but not lengthened.
    void programSetTextsMayExceedTheLimit() {
        W().SetText(ControlId::RaceTitle, std::string(30, 'n'));
        W().SetText(ControlId::TimeLimit, "-250");
        auto* title = W().ControlAs<QLineEdit>(1077);
        QCOMPARE(title->text().size(), 30);
        title->setFocus();
        title->end(false);
        QTest::keyClick(title, Qt::Key_A);
        QCOMPARE(title->text().size(), 30);
        QTest::keyClick(title, Qt::Key_Backspace);
        auto* time = W().ControlAs<QLineEdit>(1079);
        QCOMPARE(time->text(), QStringLiteral("-250"));
        time->setFocus();
        time->end(false);
        QTest::keyClick(time, Qt::Key_Backspace);
        QCOMPARE(time->text(), QStringLiteral("-25"));
        W().Editor().ReadFieldsIntoScenario();
        QCOMPARE(W().Editor().GetScenario().timeLimit, -25);
        QCOMPARE(W().Editor().GetScenario().name, std::string(29, 'n'));
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
