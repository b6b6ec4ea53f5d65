// The window after start-up: controls, labels, limits, tab order, layout and the keys that must not end it.
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <cstring>

#include "EditorTestSupport.h"
#include "UiTestRegistry.h"
#include "res/BlankMap.h"
#include "res/StringTable.h"
#include "ui/DialogUnits.h"
#include "ui/EditorTemplate.h"
#include "ui/UiText.h"

namespace rw::ui::test {

class EditorWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startsWithAFreshScenario() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QCOMPARE(window.windowTitle(), QStringLiteral("Vortane of Metrova Race Course Editor"));
        QCOMPARE(FieldText(window, 1077), QStringLiteral("Untitled"));
        QCOMPARE(FieldText(window, 1079), QStringLiteral("0"));
        QCOMPARE(FieldText(window, 1074), QStringLiteral("0"));
        QCOMPARE(FieldText(window, 1072), QStringLiteral("1"));
        QCOMPARE(FieldText(window, 1081), QStringLiteral("0"));
        QCOMPARE(FieldText(window, 1017), QString());
        QCOMPARE(StatusText(window), QString());
        auto* combo = window.ControlAs<QComboBox>(1100);
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemText(0), QStringLiteral("Easy"));
        QCOMPARE(combo->itemText(1), QStringLiteral("Medium"));
        QCOMPARE(combo->itemText(2), QStringLiteral("Hard"));
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(!combo->isEditable());
        QCOMPARE(window.ControlAs<QListWidget>(1001)->count(), 0);
        QCOMPARE(ListSelectionRow(window), -1);
        QCOMPARE(window.SelectedCheckpoint(), -1);
        QCOMPARE(window.Difficulty(), 0);
        QVERIFY(!window.IsModified());
        QCOMPARE(window.GetScenario().laps, 1);
        QCOMPARE(window.GetScenario().name, std::string("Untitled"));
        QVERIFY(window.GetScenario().checkpoints.empty());
        QVERIFY(window.GetScenario().aiRacers.empty());
    }

    void labelsComeFromTheStringTable() {
        EditorUnderTest editor;
        int labelled = 0;
        for (const TemplateItem& item : EditorControls()) {
            QWidget* control = editor->Control(item.id);
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
            QCOMPARE(text, UiText(item.stringId));
        }
        QCOMPARE(labelled, 20);
        QCOMPARE(qobject_cast<QPushButton*>(editor->Control(1022))->text(),
                 QStringLiteral("Load &City File"));
        QCOMPARE(qobject_cast<QGroupBox*>(editor->Control(1104))->title(), QStringLiteral("Load &City File"));
        QCOMPARE(qobject_cast<QLabel*>(editor->Control(1073))->text(), QStringLiteral("Laps"));
        QCOMPARE(qobject_cast<QGroupBox*>(editor->Control(1103))->title(),
                 QStringLiteral("Click on city map to set checkpoints"));
        QVERIFY(editor->Control(1040)->isHidden());
    }

    void fieldsCarryTheirKindsAndNoButtonIsDefault() {
        EditorUnderTest editor;
        for (const int id : {1072, 1081, 1017}) {
            QVERIFY(editor->ControlAs<QLineEdit>(id)->isReadOnly());
        }
        for (const int id : {1077, 1079, 1074}) {
            QVERIFY(!editor->ControlAs<QLineEdit>(id)->isReadOnly());
            QVERIFY(editor->ControlAs<QLineEdit>(id)->validator() != nullptr);
        }
        for (const QPushButton* button : editor->findChildren<QPushButton*>()) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
    }

    // Tab order is template order over the controls that take the focus by Tab; the City File field is
    // left out.
    void tabOrderFollowsTheTemplate() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        QList<int> expected;
        for (const TemplateItem& item : EditorControls()) {
            const QWidget* control = editor->Control(item.id);
            if ((control->focusPolicy() & Qt::TabFocus) != 0 && control->isVisible()) {
                expected << item.id;
            }
        }
        QCOMPARE(expected.first(), 1022);
        QVERIFY(!expected.contains(1017));
        QVERIFY(expected.contains(1080) && expected.contains(1082));
        QCOMPARE(QApplication::focusWidget(), editor->Control(1022));
        QList<int> visited;
        for (int step = 0; step < expected.size(); ++step) {
            for (const TemplateItem& item : EditorControls()) {
                const QWidget* control = editor->Control(item.id);
                const QWidget* focus = QApplication::focusWidget();
                if (focus == control || (focus != nullptr && control->isAncestorOf(focus))) {
                    visited << item.id;
                }
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }

    void mapIsExactly256SquareShowingTheBlankPicture() {
        EditorUnderTest editor;
        QCOMPARE(editor->Control(1041)->size(), QSize(256, 256));
        const QImage& image = editor->MapImage();
        QCOMPARE(image.size(), QSize(256, 256));
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        const auto blank = rw::res::BlankMapPixels();
        for (int row = 0; row < 256; ++row) {
            QVERIFY(std::memcmp(image.constScanLine(row), &blank[static_cast<std::size_t>((255 - row) * 256)],
                                256) == 0);
        }
    }

    // The map grows or shrinks to 256 x 256 from whatever the font made of it; the status line, Enter and
    // Exit follow by half the width change across and the height change down; the frame around list and map
    // grows by both; the list keeps its place.
    void layoutFollowsTheMapGrowth() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        const DialogUnits units(window.font());
        const QRect mapTemplate = units.Rect(279, 27, 155, 140);
        const int dx = 256 - mapTemplate.width();
        const int dy = 256 - mapTemplate.height();
        const int h = dx / 2;
        QCOMPARE(window.Control(1041)->geometry(), QRect(mapTemplate.topLeft(), QSize(256, 256)));
        QCOMPARE(window.MapOrigin(), mapTemplate.topLeft());
        QCOMPARE(window.Control(1055)->geometry(), units.Rect(284, 172, 146, 9).translated(h, dy));
        QCOMPARE(window.Control(1000)->geometry(), units.Rect(332, 191, 51, 15).translated(h, dy));
        QCOMPARE(window.Control(1109)->geometry(), units.Rect(395, 191, 51, 15).translated(h, dy));
        const QRect frame = units.Rect(191, 7, 250, 179);
        QCOMPARE(window.Control(1103)->geometry(), QRect(frame.topLeft(), frame.size() + QSize(dx, dy)));
        QCOMPARE(window.Control(1001)->geometry(), units.Rect(198, 27, 75, 122));
        QCOMPARE(window.Control(1007)->geometry(), units.Rect(205, 157, 65, 16));
        QCOMPARE(window.Control(1022)->geometry(), units.Rect(119, 18, 51, 15));
        QCOMPARE(window.width(), units.Rect(7, 203, 448, 9).width() + dx + 15);
        QCOMPARE(window.height(), units.Size(456, 213).height() + dy);
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }

    // Whatever font the desktop gives, every visible control lies inside the window and every label fits.
    void everyControlFitsTheWindowAndItsText() {
        EditorUnderTest editor;
        const QRect client = editor->rect();
        for (const TemplateItem& item : EditorControls()) {
            QWidget* control = editor->Control(item.id);
            if (control->isHidden()) {
                continue;
            }
            QVERIFY2(client.contains(control->geometry()), qPrintable(QString::number(item.id)));
            if (auto* label = qobject_cast<QLabel*>(control); label != nullptr && !label->text().isEmpty()) {
                QVERIFY2(
                    label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                    qPrintable(label->text()));
            }
        }
    }

    void enterDoesNotEndTheEditorAndEscapeIsACloseRequest() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        auto* title = editor->ControlAs<QLineEdit>(1077);
        title->setFocus();
        QTest::keyClick(title, Qt::Key_Return);
        QTest::keyClick(title, Qt::Key_Enter);
        QVERIFY(editor->isVisible());
        // With nothing to save the close request closes at once, without a question.
        QTest::keyClick(title, Qt::Key_Escape);
        QTRY_VERIFY(!editor->isVisible());
        QCOMPARE(editor.host.questions, 0);
    }

    void closeRequestWithUnsavedChangesAsksFirst() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        PlaceBuilding(*editor, 10, 10, 81);
        NameCity(*editor, QStringLiteral("city.urb"));
        editor->AddCheckpoint(10, 10);
        QVERIFY(editor->IsModified());
        editor.host.answer = SaveAnswer::No;
        editor->close();
        QCOMPARE(editor.host.questions, 1);
        QTRY_VERIFY(!editor->isVisible());
    }

    void f1OpensTheAboutBox() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        QTest::keyClick(editor->Control(1022), Qt::Key_F1);
        QCOMPARE(editor.host.abouts, 1);
        editor->OnSysCommand(CourseEditorDlg::kAboutCommand | 0x3u);
        QCOMPARE(editor.host.abouts, 2);
        editor->OnSysCommand(0xF060u);
        QCOMPARE(editor.host.abouts, 2);
    }
};

RW_UI_TEST(EditorWindowTest)

}  // namespace rw::ui::test

#include "EditorWindowTest.moc"
