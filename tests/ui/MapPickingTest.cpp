// The mouse on the map: the status line, left clicks adding checkpoints, right clicks moving them, deletion.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "EditorTestSupport.h"
#include "UiTestRegistry.h"

namespace rw::ui::test {

namespace {

using rw::scenario::TilePos;

std::vector<TilePos> Checkpoints(const CourseEditorDlg& window) {
    return window.GetScenario().checkpoints;
}

}  // namespace

class MapPickingTest : public QObject {
    Q_OBJECT

  private slots:
    void statusLineDescribesTheTileUnderThePointer() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        PlaceBuilding(window, 12, 40, 81);
        PlaceBuilding(window, 3, 4, 210);
        PlaceBuilding(window, 4, 4, 73);
        PlaceBuilding(window, 5, 4, 90);
        PlaceBuilding(window, 0, 5, 243);
        NameCity(window, QStringLiteral("city.urb"));

        MoveMouseTo(window, TilePoint(window, 12, 40));
        QCOMPARE(StatusText(window), QStringLiteral("12,40 - Road Here"));
        MoveMouseTo(window, MapPixel(window, 7, 9));
        QCOMPARE(StatusText(window), QStringLiteral("3,4 - Police Station"));
        MoveMouseTo(window, TilePoint(window, 4, 4));
        QCOMPARE(StatusText(window), QStringLiteral("4,4 - No Road Here"));
        MoveMouseTo(window, TilePoint(window, 5, 4));
        QCOMPARE(StatusText(window), QStringLiteral("5,4 - Road Here"));
        MoveMouseTo(window, MapPixel(window, 255, 255));
        QCOMPARE(StatusText(window), QStringLiteral("127,127 - No Road Here"));
        // One pixel left of the map still halves to tile 0.
        MoveMouseTo(window, MapPixel(window, -1, 10));
        QCOMPARE(StatusText(window), QStringLiteral("0,5 - Mayor's House"));
        MoveMouseTo(window, MapPixel(window, 256, 0));
        QCOMPARE(StatusText(window), QString());
        MoveMouseTo(window, MapPixel(window, 20, 20));
        MoveMouseTo(window, MapPixel(window, -2, 10));
        QCOMPARE(StatusText(window), QString());
        MoveMouseTo(window, MapPixel(window, 10, 256));
        QCOMPARE(StatusText(window), QString());
    }

    void withoutACityNamedTheStatusLineKeepsItsText() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        PlaceBuilding(window, 12, 40, 81);
        MoveMouseTo(window, TilePoint(window, 12, 40));
        QCOMPARE(StatusText(window), QString());
        NameCity(window, QStringLiteral("city.urb"));
        MoveMouseTo(window, TilePoint(window, 12, 40) + QPoint(1, 1));
        QCOMPARE(StatusText(window), QStringLiteral("12,40 - Road Here"));
        NameCity(window, QString());
        MoveMouseTo(window, MapPixel(window, 300, 300));
        QCOMPARE(StatusText(window), QStringLiteral("12,40 - Road Here"));
    }

    // Over another control the window does not see the pointer, so the status line stays.
    void pointerOverAControlLeavesTheStatusLine() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        PlaceBuilding(window, 1, 1, 81);
        NameCity(window, QStringLiteral("city.urb"));
        MoveMouseTo(window, TilePoint(window, 1, 1));
        MoveMouseTo(window, window.Control(1009)->geometry().center());
        QCOMPARE(StatusText(window), QStringLiteral("1,1 - Road Here"));
    }

    void leftClicksAddCheckpointsOnRoadsOnly() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        PlaceBuilding(window, 20, 30, 29);
        PlaceBuilding(window, 21, 30, 107);
        PlaceBuilding(window, 22, 30, 73);
        PlaceBuilding(window, 23, 30, 210);
        NameCity(window, QStringLiteral("city.urb"));
        SetFieldText(window, 1077, QStringLiteral("Typed"));

        ClickAt(window, Qt::LeftButton, TilePoint(window, 22, 30) + QPoint(1, 1));
        ClickAt(window, Qt::LeftButton, TilePoint(window, 23, 30));
        ClickAt(window, Qt::LeftButton, TilePoint(window, 40, 40));
        ClickAt(window, Qt::LeftButton, MapPixel(window, 256, 60));
        QVERIFY(Checkpoints(window).empty());
        QVERIFY(!window.IsModified());
        // The click took the fields into the document first.
        QCOMPARE(window.GetScenario().name, std::string("Typed"));

        ClickAt(window, Qt::LeftButton, TilePoint(window, 20, 30) + QPoint(1, 1));
        QCOMPARE(Checkpoints(window), (std::vector<TilePos>{{20, 30}}));
        QVERIFY(window.IsModified());
        QCOMPARE(ListLabels(window), QStringList{QStringLiteral("START")});
        QCOMPARE(window.SelectedCheckpoint(), 0);
        ClickAt(window, Qt::LeftButton, TilePoint(window, 21, 30));
        ClickAt(window, Qt::LeftButton, TilePoint(window, 21, 30));
        QCOMPARE(Checkpoints(window), (std::vector<TilePos>{{20, 30}, {21, 30}, {21, 30}}));
        QCOMPARE(ListLabels(window), (QStringList{QStringLiteral("START"), QStringLiteral("Checkpoint 1"),
                                                  QStringLiteral("FINISH")}));
        QCOMPARE(ListSelectionRow(window), 0);
        QCOMPARE(FieldText(window, 1077), QStringLiteral("Typed"));
    }

    void clickJustLeftOfTheMapTakesTileZero() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        PlaceBuilding(window, 0, 0, 81);
        NameCity(window, QStringLiteral("city.urb"));
        ClickAt(window, Qt::LeftButton, MapPixel(window, -1, -1));
        QCOMPARE(Checkpoints(window), (std::vector<TilePos>{{0, 0}}));
        ClickAt(window, Qt::LeftButton, MapPixel(window, -2, 0));
        QCOMPARE(Checkpoints(window).size(), std::size_t{1});
    }

    void rightClickMovesTheSelectedCheckpoint() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        for (int x = 50; x < 56; ++x) {
            PlaceBuilding(window, x, 60, 81);
        }
        PlaceBuilding(window, 56, 60, 74);
        NameCity(window, QStringLiteral("city.urb"));
        for (int x = 50; x < 53; ++x) {
            ClickAt(window, Qt::LeftButton, TilePoint(window, x, 60));
        }
        ClickListRow(window, 1);
        QCOMPARE(window.SelectedCheckpoint(), 1);
        ClickAt(window, Qt::RightButton, TilePoint(window, 55, 60));
        QCOMPARE(Checkpoints(window), (std::vector<TilePos>{{50, 60}, {55, 60}, {52, 60}}));
        QCOMPARE(ListSelectionRow(window), 0);
        QCOMPARE(window.SelectedCheckpoint(), 0);

        // Refused tile: nothing moves, the list is refilled with the first entry selected.
        ClickListRow(window, 2);
        ClickAt(window, Qt::RightButton, TilePoint(window, 56, 60));
        QCOMPARE(Checkpoints(window), (std::vector<TilePos>{{50, 60}, {55, 60}, {52, 60}}));
        QCOMPARE(window.SelectedCheckpoint(), 0);
        ClickAt(window, Qt::RightButton, TilePoint(window, 54, 60));
        QCOMPARE(Checkpoints(window), (std::vector<TilePos>{{54, 60}, {55, 60}, {52, 60}}));
    }

    void rightClickWithNothingSelectedMovesNothing() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        PlaceBuilding(window, 8, 8, 81);
        NameCity(window, QStringLiteral("city.urb"));
        ClickAt(window, Qt::RightButton, TilePoint(window, 8, 8));
        QVERIFY(Checkpoints(window).empty());
        QVERIFY(!window.IsModified());
    }

    void rightClickDoesNotMarkModified() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        PlaceBuilding(window, 8, 8, 81);
        PlaceBuilding(window, 9, 8, 81);
        window.GetScenario().checkpoints = {{8, 8}};
        window.RefillCheckpointList();
        QVERIFY(!window.IsModified());
        ClickAt(window, Qt::RightButton, TilePoint(window, 9, 8));
        QCOMPARE(Checkpoints(window), (std::vector<TilePos>{{9, 8}}));
        QVERIFY(!window.IsModified());
    }

    void deleteRemovesTheSelectedCheckpointAndShiftsTheLabels() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        auto* deleteButton = window.ControlAs<QPushButton>(1007);
        // Nothing selected after start-up: nothing happens.
        QTest::mouseClick(deleteButton, Qt::LeftButton);
        QVERIFY(!window.IsModified());

        for (int x = 70; x < 74; ++x) {
            PlaceBuilding(window, x, 5, 81);
        }
        window.GetScenario().checkpoints = {{70, 5}, {71, 5}, {72, 5}, {73, 5}};
        window.RefillCheckpointList();
        ClickListRow(window, 2);
        QTest::mouseClick(deleteButton, Qt::LeftButton);
        QCOMPARE(Checkpoints(window), (std::vector<TilePos>{{70, 5}, {71, 5}, {73, 5}}));
        QCOMPARE(ListLabels(window), (QStringList{QStringLiteral("START"), QStringLiteral("Checkpoint 1"),
                                                  QStringLiteral("FINISH")}));
        QVERIFY(window.IsModified());
        QCOMPARE(window.SelectedCheckpoint(), 0);
        // The first entry is selected again: deleting now removes the start.
        QTest::mouseClick(deleteButton, Qt::LeftButton);
        QCOMPARE(Checkpoints(window), (std::vector<TilePos>{{71, 5}, {73, 5}}));
        QCOMPARE(ListLabels(window), (QStringList{QStringLiteral("START"), QStringLiteral("FINISH")}));
        QTest::mouseClick(deleteButton, Qt::LeftButton);
        QTest::mouseClick(deleteButton, Qt::LeftButton);
        QVERIFY(Checkpoints(window).empty());
        QCOMPARE(window.SelectedCheckpoint(), -1);
        QTest::mouseClick(deleteButton, Qt::LeftButton);
        QVERIFY(Checkpoints(window).empty());
    }

    // Only a left click on an entry (or the keys) changes the selection; what shows selected is what Delete
    // removes.
    void listKeepsItsSelectionAgainstOtherClicks() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        window.GetScenario().checkpoints = {{1, 1}, {2, 2}, {3, 3}};
        window.RefillCheckpointList();
        ClickListRow(window, 1);
        auto* list = window.ControlAs<QListWidget>(1001);
        const QPoint belowLast(10, list->viewport()->height() - 5);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, belowLast);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualItemRect(list->item(1)).center());
        QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier,
                          list->visualItemRect(list->item(2)).center());
        QCOMPARE(ListSelectionRow(window), 1);
        QCOMPARE(window.SelectedCheckpoint(), 1);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(ListSelectionRow(window), 2);
        QCOMPARE(window.SelectedCheckpoint(), 2);
        window.DeleteCheckpoint();
        QCOMPARE(window.GetScenario().checkpoints, (std::vector<TilePos>{{1, 1}, {2, 2}}));
    }

    void selectingAnEntryTakesTheFieldsAndRepaints() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        window.GetScenario().checkpoints = {{1, 1}, {2, 2}};
        window.RefillCheckpointList();
        SetFieldText(window, 1079, QStringLiteral("120"));
        ClickListRow(window, 1);
        QCOMPARE(window.SelectedCheckpoint(), 1);
        QCOMPARE(window.GetScenario().timeLimit, 120);
        QVERIFY(!window.IsModified());
    }
};

RW_UI_TEST(MapPickingTest)

}  // namespace rw::ui::test

#include "MapPickingTest.moc"
