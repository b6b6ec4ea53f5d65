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
void ShowLoaded(CourseEditorDlg& window, std::int32_t laps, std::size_t racers) {
    window.GetScenario().laps = laps;
    window.GetScenario().aiRacers.assign(racers, rw::scenario::AiRacer{});
    window.ShowScenarioInFields();
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
        QCOMPARE(Fields(W()), (QStringList{"Untitled", "0", "0", "1", "0", ""}));
        QCOMPARE(StatusText(W()), QString());
        auto* combo = W().ControlAs<QComboBox>(1100);
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemText(0) + combo->itemText(1) + combo->itemText(2),
                 QStringLiteral("EasyMediumHard"));
        QVERIFY(combo->currentIndex() == 0 && !combo->isEditable());
        QCOMPARE(W().ControlAs<QListWidget>(1001)->count(), 0);
        QCOMPARE(ListSelectionRow(W()), -1);
        QCOMPARE(W().SelectedCheckpoint(), -1);
        QVERIFY(W().Difficulty() == 0 && !W().IsModified());
        const rw::scenario::Scenario& race = W().GetScenario();
        QVERIFY(race.laps == 1 && race.name == "Untitled" && race.checkpoints.empty() &&
                race.aiRacers.empty());
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
            QCOMPARE(text, UiText(item.stringId));
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
        QCOMPARE(W().width(), units.Rect(7, 203, 448, 9).width() + dx + 15);
        QCOMPARE(W().height(), units.Size(456, 213).height() + dy);
        QCOMPARE(W().minimumSize(), W().maximumSize());
        for (const TemplateItem& item : EditorControls()) {
            QWidget* control = W().Control(item.id);
            if (control->isHidden()) {
                continue;
            }
            QVERIFY2(W().rect().contains(control->geometry()), qPrintable(QString::number(item.id)));
            if (auto* label = qobject_cast<QLabel*>(control); label != nullptr && !label->text().isEmpty()) {
                QVERIFY2(
                    label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                    qPrintable(label->text()));
            }
        }
    }

    void enterDoesNotEndTheEditorAndF1OpensAbout() {
        auto* title = W().ControlAs<QLineEdit>(1077);
        title->setFocus();
        QTest::keyClick(title, Qt::Key_Return);
        QTest::keyClick(title, Qt::Key_Enter);
        QVERIFY(W().isVisible());
        QTest::keyClick(W().Control(1022), Qt::Key_F1);
        QCOMPARE(m_editor->host.aboutCount, 1);
        W().OnSysCommand(CourseEditorDlg::kAboutCommand | 0x3u);
        W().OnSysCommand(0xF060u);
        W().OnAbout();
        QCOMPARE(m_editor->host.aboutCount, 3);
        QTest::keyClick(title, Qt::Key_Escape);  // from a field too, a close request; nothing to save
        QTRY_VERIFY(!W().isVisible());
    }

    // Loaded files may hold values the spins never give; the first step of either direction clamps them.
    void spinSteps_data() {
        QTest::addColumn<int>("spin");
        QTest::addColumn<int>("laps");
        QTest::addColumn<int>("racers");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("expected");
        QTest::newRow("laps up") << 1080 << 1 << 0 << true << 2;
        QTest::newRow("laps down at 1") << 1080 << 1 << 0 << false << 1;
        QTest::newRow("laps up at 100") << 1080 << 100 << 0 << true << 100;
        QTest::newRow("laps 0 up") << 1080 << 0 << 0 << true << 1;
        QTest::newRow("laps 0 down") << 1080 << 0 << 0 << false << 1;
        QTest::newRow("laps -7 up") << 1080 << -7 << 0 << true << 1;
        QTest::newRow("racers up") << 1082 << 1 << 0 << true << 1;
        QTest::newRow("racers down") << 1082 << 1 << 3 << false << 2;
        QTest::newRow("racers up at 8") << 1082 << 1 << 8 << true << 8;
        QTest::newRow("racers down at 0") << 1082 << 1 << 0 << false << 0;
        QTest::newRow("racers 12 up") << 1082 << 1 << 12 << true << 8;
        QTest::newRow("racers 12 down") << 1082 << 1 << 12 << false << 8;
    }
    void spinSteps() {
        QFETCH(int, spin);
        QFETCH(int, laps);
        QFETCH(int, racers);
        QFETCH(bool, up);
        QFETCH(int, expected);
        ShowLoaded(W(), laps, static_cast<std::size_t>(racers));
        ClickArrow(W(), spin, up);
        QCOMPARE(FieldText(W(), spin == 1080 ? 1072 : 1081), QString::number(expected));
        QCOMPARE(spin == 1080 ? W().GetScenario().laps : static_cast<int>(W().GetScenario().aiRacers.size()),
                 expected);
        QVERIFY(!W().IsModified());
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
        SetFieldText(W(), 1079, QStringLiteral("300"));
        auto* spin = static_cast<SpinArrows*>(W().Control(1082));
        QList<int> events;
        QObject::connect(spin, &SpinArrows::DeltaPos, [&](int delta) { events << delta; });
        QObject::connect(spin, &SpinArrows::Clicked, [&] { events << 0; });
        ClickArrow(W(), 1082, true);
        QCOMPARE(events, (QList<int>{-1, 0}));
        QCOMPARE(W().GetScenario().timeLimit, 300);
        W().OnClickLapsSpin();
        QCOMPARE(FieldText(W(), 1079), QStringLiteral("300"));
    }

    void lapsBetweenOneAndTwoRelabelTheList() {
        for (int x = 10; x < 13; ++x) {
            W().City().SetBuilding(x, 20, 81);
            W().AddCheckpoint(x, 20);
        }
        const QStringList open{"START", "Checkpoint 1", "FINISH"};
        QCOMPARE(ListLabels(W()), open);
        ClickListRow(W(), 2);
        QCOMPARE(W().SelectedCheckpoint(), 2);
        ClickArrow(W(), 1080, true);
        QCOMPARE(ListLabels(W()), (QStringList{"START/ FINISH", "Checkpoint 1", "Checkpoint 2"}));
        QCOMPARE(ListSelectionRow(W()), 0);
        QCOMPARE(W().SelectedCheckpoint(), 0);
        ClickArrow(W(), 1080, false);
        QCOMPARE(ListLabels(W()), open);
        QCOMPARE(ListSelectionRow(W()), 0);
    }

    void difficultyChangesNothingElseUntilTheNextTransfer() {
        ShowLoaded(W(), 3, 0);
        ClickArrow(W(), 1082, true);
        ClickArrow(W(), 1082, true);
        const auto racersBefore = W().GetScenario().aiRacers;
        QCOMPARE(racersBefore.front().word10, 1);
        const QStringList fieldsBefore = Fields(W());
        auto* combo = W().ControlAs<QComboBox>(1100);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(W().Difficulty(), 2);
        QCOMPARE(Fields(W()), fieldsBefore);
        QVERIFY(W().GetScenario().aiRacers == racersBefore);
        QVERIFY(!W().IsModified());
        W().ReadFieldsIntoScenario();
        QCOMPARE(W().GetScenario().aiRacers.front().word10, 3);
        QCOMPARE(W().GetScenario().aiRacers.front().word7, 200);
        // Showing the fields keeps the choice and does not count as one.
        W().ShowScenarioInFields();
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(W().Difficulty(), 2);
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
        W().GetScenario().name = std::string(30, 'n');
        W().GetScenario().timeLimit = -250;
        W().ShowScenarioInFields();
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
        W().ReadFieldsIntoScenario();
        QCOMPARE(W().GetScenario().timeLimit, -25);
        QCOMPARE(W().GetScenario().name, std::string(29, 'n'));
    }

    // Number fields read empty or foreign text as 0. The stored name is windows-1252 with each ampersand
    // doubled; the field shows them single, so storing again changes nothing.
    void fieldsBecomeTheDocumentsValues() {
        SetFieldText(W(), 1079, QString());
        SetFieldText(W(), 1074, QStringLiteral("7x"));
        SetFieldText(W(), 1077, QString::fromUtf8("Caf\u00e9 \u20ac & Roll"));
        W().ReadFieldsIntoScenario();
        QCOMPARE(W().GetScenario().timeLimit, 0);
        QCOMPARE(W().GetScenario().checkpointBonus, 0);
        QCOMPARE(W().GetScenario().name, std::string("Caf\xe9 \x80 && Roll"));
        QCOMPARE(W().GetScenario().introText, std::string("User created race course: Caf\xe9 \x80 && Roll"));
        W().ShowScenarioInFields();
        QCOMPARE(FieldText(W(), 1077), QString::fromUtf8("Caf\u00e9 \u20ac & Roll"));
        SetFieldText(W(), 1079, QStringLiteral("99999"));
        SetFieldText(W(), 1074, QStringLiteral("45"));
        W().ReadFieldsIntoScenario();
        W().ShowScenarioInFields();
        W().ReadFieldsIntoScenario();
        QCOMPARE(W().GetScenario().name, std::string("Caf\xe9 \x80 && Roll"));
        QCOMPARE(W().GetScenario().timeLimit, 99999);
        QCOMPARE(W().GetScenario().checkpointBonus, 45);
    }

    // A loaded first racer level outside 1..3 leaves the combo without a choice; the store then uses Easy.
    void noDifficultyChoiceStoresEasy() {
        rw::scenario::AiRacer racer;
        racer.word10 = 7;
        W().GetScenario().aiRacers.assign(2, racer);
        W().ShowScenarioInFields();
        W().ControlAs<QComboBox>(1100)->setCurrentIndex(-1);
        W().ReadFieldsIntoScenario();
        const auto& racers = W().GetScenario().aiRacers;
        QCOMPARE(racers.size(), std::size_t{2});
        QCOMPARE(racers[0].word10, 1);
        QCOMPARE(racers[0].word7, 160);
        QCOMPARE(racers[1].word10, 1);
        QCOMPARE(racers[1].word9, 0u);
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
