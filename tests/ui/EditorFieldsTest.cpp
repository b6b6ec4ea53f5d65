// The race fields: spins and their clamps, the lap-dependent labels, the difficulty, typing rules, transfers.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "EditorTestSupport.h"
#include "UiTestRegistry.h"
#include "ui/SpinArrows.h"

namespace rw::ui::test {

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

class EditorFieldsTest : public QObject {
    Q_OBJECT

  private slots:
    void upArrowRaisesAndDownArrowLowersWithinRange() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        ClickArrow(window, 1080, true);
        QCOMPARE(FieldText(window, 1072), QStringLiteral("2"));
        QCOMPARE(window.GetScenario().laps, 2);
        ClickArrow(window, 1080, false);
        ClickArrow(window, 1080, false);
        QCOMPARE(FieldText(window, 1072), QStringLiteral("1"));

        ShowLoaded(window, 100, 8);
        ClickArrow(window, 1080, true);
        QCOMPARE(FieldText(window, 1072), QStringLiteral("100"));
        ClickArrow(window, 1082, true);
        QCOMPARE(FieldText(window, 1081), QStringLiteral("8"));
        QCOMPARE(window.GetScenario().aiRacers.size(), std::size_t{8});
        for (int i = 0; i < 9; ++i) {
            ClickArrow(window, 1082, false);
        }
        QCOMPARE(FieldText(window, 1081), QStringLiteral("0"));
        QVERIFY(window.GetScenario().aiRacers.empty());
        QVERIFY(!window.IsModified());
    }

    // A loaded file may hold values the spins never give; the first step of either direction brings them
    // back into range.
    void outOfRangeLoadedValuesAreClampedByTheFirstStep() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        for (const bool up : {true, false}) {
            ShowLoaded(window, 0, 12);
            QCOMPARE(FieldText(window, 1081), QStringLiteral("12"));
            QCOMPARE(FieldText(window, 1072), QStringLiteral("0"));
            ClickArrow(window, 1082, up);
            QCOMPARE(FieldText(window, 1081), QStringLiteral("8"));
            QCOMPARE(window.GetScenario().aiRacers.size(), std::size_t{8});
            ClickArrow(window, 1080, up);
            QCOMPARE(FieldText(window, 1072), QStringLiteral("1"));
            QCOMPARE(window.GetScenario().laps, 1);
        }
        ShowLoaded(window, -7, 0);
        ClickArrow(window, 1080, true);
        QCOMPARE(FieldText(window, 1072), QStringLiteral("1"));
    }

    void arrowKeysStepAFocusedSpin() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        QWidget* spin = editor->Control(1082);
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_Up);
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(FieldText(*editor, 1081), QStringLiteral("2"));
        QTest::keyClick(spin, Qt::Key_Down);
        QCOMPARE(FieldText(*editor, 1081), QStringLiteral("1"));
    }

    void holdingAnArrowRepeatsTheStep() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        QWidget* spin = editor->Control(1080);
        QTest::mousePress(spin, Qt::LeftButton, Qt::NoModifier, ArrowPoint(spin, true));
        QTRY_VERIFY(FieldText(*editor, 1072).toInt() >= 4);
        QTest::mouseRelease(spin, Qt::LeftButton, Qt::NoModifier, ArrowPoint(spin, true));
        const QString stopped = FieldText(*editor, 1072);
        QTest::qWait(3 * SpinArrows::kRepeatIntervalMs);
        QCOMPARE(FieldText(*editor, 1072), stopped);
    }

    // The spins report each step and then the click; the click copies the fields through the document.
    void spinClickTransfersTheFields() {
        EditorUnderTest editor;
        SetFieldText(*editor, 1079, QStringLiteral("300"));
        auto* spin = static_cast<SpinArrows*>(editor->Control(1082));
        int deltas = 0;
        int clicks = 0;
        QObject::connect(spin, &SpinArrows::DeltaPos, [&](int delta) {
            QCOMPARE(clicks, 0);
            QCOMPARE(delta, -1);
            ++deltas;
        });
        QObject::connect(spin, &SpinArrows::Clicked, [&] { ++clicks; });
        ClickArrow(*editor, 1082, true);
        QCOMPARE(deltas, 1);
        QCOMPARE(clicks, 1);
        QCOMPARE(editor->GetScenario().timeLimit, 300);
        editor->OnClickLapsSpin();
        QCOMPARE(FieldText(*editor, 1079), QStringLiteral("300"));
    }

    void lapsBetweenOneAndTwoRelabelTheList() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        for (int x = 10; x < 13; ++x) {
            PlaceBuilding(window, x, 20, 81);
            window.AddCheckpoint(x, 20);
        }
        const QStringList open{QStringLiteral("START"), QStringLiteral("Checkpoint 1"),
                               QStringLiteral("FINISH")};
        const QStringList closed{QStringLiteral("START/ FINISH"), QStringLiteral("Checkpoint 1"),
                                 QStringLiteral("Checkpoint 2")};
        QCOMPARE(ListLabels(window), open);
        ClickListRow(window, 2);
        QCOMPARE(window.SelectedCheckpoint(), 2);
        ClickArrow(window, 1080, true);
        QCOMPARE(ListLabels(window), closed);
        QCOMPARE(ListSelectionRow(window), 0);
        QCOMPARE(window.SelectedCheckpoint(), 0);
        ClickArrow(window, 1080, false);
        QCOMPARE(ListLabels(window), open);
        QCOMPARE(ListSelectionRow(window), 0);
    }

    void difficultyChangesNothingElseUntilTheNextTransfer() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        ShowLoaded(window, 3, 0);
        ClickArrow(window, 1082, true);
        ClickArrow(window, 1082, true);
        const auto racersBefore = window.GetScenario().aiRacers;
        QCOMPARE(racersBefore.front().word10, 1);
        const QStringList fieldsBefore{FieldText(window, 1077), FieldText(window, 1079),
                                       FieldText(window, 1074), FieldText(window, 1072),
                                       FieldText(window, 1081), FieldText(window, 1017)};
        auto* combo = window.ControlAs<QComboBox>(1100);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(window.Difficulty(), 2);
        const QStringList fieldsAfter{FieldText(window, 1077), FieldText(window, 1079),
                                      FieldText(window, 1074), FieldText(window, 1072),
                                      FieldText(window, 1081), FieldText(window, 1017)};
        QCOMPARE(fieldsAfter, fieldsBefore);
        QVERIFY(window.GetScenario().aiRacers == racersBefore);
        QVERIFY(!window.IsModified());
        window.ReadFieldsIntoScenario();
        QCOMPARE(window.GetScenario().aiRacers.front().word10, 3);
        QCOMPARE(window.GetScenario().aiRacers.front().word7, 200);
        // Showing the fields keeps the choice and does not count as one.
        window.ShowScenarioInFields();
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(window.Difficulty(), 2);
    }

    void typedTextsKeepTheirLimits() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        auto* title = editor->ControlAs<QLineEdit>(1077);
        title->clear();
        QTest::keyClicks(title, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
        QCOMPARE(title->text(), QStringLiteral("abcdefghijklmnopqrst"));

        auto* time = editor->ControlAs<QLineEdit>(1079);
        time->clear();
        QTest::keyClicks(time, QStringLiteral("1a2-3 45.678"));
        QCOMPARE(time->text(), QStringLiteral("12345"));
        auto* bonus = editor->ControlAs<QLineEdit>(1074);
        bonus->clear();
        QTest::keyClicks(bonus, QStringLiteral("x987"));
        QCOMPARE(bonus->text(), QStringLiteral("98"));
    }

    // Characters without a byte in the documents' code page are refused as they are typed.
    void titleRefusesCharactersTheFileCannotHold() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        auto* title = editor->ControlAs<QLineEdit>(1077);
        title->clear();
        TypeText(title, QString::fromUtf8("Caf\u00e9 \u20ac\u03a9\u4e2d"));
        QCOMPARE(title->text(), QString::fromUtf8("Caf\u00e9 \u20ac"));
        editor->ReadFieldsIntoScenario();
        QCOMPARE(editor->GetScenario().name, std::string("Caf\xe9 \x80"));
    }

    // A text the program put there may exceed the typing limit; it may be shortened but not lengthened.
    void programSetTextsMayExceedTheLimit() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        editor->GetScenario().name = std::string(30, 'n');
        editor->GetScenario().timeLimit = -250;
        editor->ShowScenarioInFields();
        auto* title = editor->ControlAs<QLineEdit>(1077);
        QCOMPARE(title->text().size(), 30);
        title->setFocus();
        title->end(false);
        QTest::keyClick(title, Qt::Key_A);
        QCOMPARE(title->text().size(), 30);
        QTest::keyClick(title, Qt::Key_Backspace);
        QCOMPARE(title->text().size(), 29);
        auto* time = editor->ControlAs<QLineEdit>(1079);
        QCOMPARE(time->text(), QStringLiteral("-250"));
        time->setFocus();
        time->end(false);
        QTest::keyClick(time, Qt::Key_Backspace);
        QCOMPARE(time->text(), QStringLiteral("-25"));
        editor->ReadFieldsIntoScenario();
        QCOMPARE(editor->GetScenario().timeLimit, -25);
        QCOMPARE(editor->GetScenario().name, std::string(29, 'n'));
    }

    void numberFieldsReadEmptyOrForeignTextAsZero() {
        EditorUnderTest editor;
        SetFieldText(*editor, 1079, QString());
        SetFieldText(*editor, 1074, QStringLiteral("7x"));
        editor->ReadFieldsIntoScenario();
        QCOMPARE(editor->GetScenario().timeLimit, 0);
        QCOMPARE(editor->GetScenario().checkpointBonus, 0);
        SetFieldText(*editor, 1079, QStringLiteral("99999"));
        SetFieldText(*editor, 1074, QStringLiteral("45"));
        editor->ReadFieldsIntoScenario();
        QCOMPARE(editor->GetScenario().timeLimit, 99999);
        QCOMPARE(editor->GetScenario().checkpointBonus, 45);
    }

    // The stored name doubles each ampersand; the field shows them single, so storing again changes nothing.
    void ampersandsAreDoubledOnceOnly() {
        EditorUnderTest editor;
        SetFieldText(*editor, 1077, QStringLiteral("Rock & Roll"));
        editor->ReadFieldsIntoScenario();
        QCOMPARE(editor->GetScenario().name, std::string("Rock && Roll"));
        QCOMPARE(editor->GetScenario().introText, std::string("User created race course: Rock && Roll"));
        editor->ShowScenarioInFields();
        QCOMPARE(FieldText(*editor, 1077), QStringLiteral("Rock & Roll"));
        editor->ReadFieldsIntoScenario();
        editor->ShowScenarioInFields();
        editor->ReadFieldsIntoScenario();
        QCOMPARE(editor->GetScenario().name, std::string("Rock && Roll"));
    }

    // A loaded first racer level outside 1..3 leaves the combo without a choice; the store then uses Easy.
    void noDifficultyChoiceStoresEasy() {
        EditorUnderTest editor;
        rw::scenario::AiRacer racer;
        racer.word10 = 7;
        editor->GetScenario().aiRacers.assign(2, racer);
        editor->ShowScenarioInFields();
        editor->ControlAs<QComboBox>(1100)->setCurrentIndex(-1);
        editor->ReadFieldsIntoScenario();
        const auto& racers = editor->GetScenario().aiRacers;
        QCOMPARE(racers.size(), std::size_t{2});
        QCOMPARE(racers[0].word10, 1);
        QCOMPARE(racers[0].word7, 160);
        QCOMPARE(racers[1].word10, 1);
        QCOMPARE(racers[1].word9, 0u);
    }
};

RW_UI_TEST(EditorFieldsTest)

}  // namespace rw::ui::test

#include "EditorFieldsTest.moc"
