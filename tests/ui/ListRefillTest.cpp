// The Checkpoints list after every kind of edit, refilled in place, against labels made from nothing.
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include <random>

#include "EditorTestSupport.h"
#include "UiTestRegistry.h"
#include "route/CheckpointList.h"

namespace rw::ui::test {

namespace {

class ListRefillTest : public QObject {
    Q_OBJECT

  private:
    // Every entry holds the label and the item data a fill from an empty list would give it; entry 0 is
    // selected (none when empty) and the view shows the top.
    static void VerifyList(CourseEditorDlg& window, const char* step) {
        auto* list = window.ControlAs<QListWidget>(1001);
        const int count = static_cast<int>(window.GetScenario().checkpoints.size());
        const int laps = FieldText(window, 1072).toInt();
        QVERIFY2(list->count() == count, step);
        for (int row = 0; row < count; ++row) {
            const std::string label = rw::route::CheckpointLabel(row, count, laps);
            QVERIFY2(list->item(row)->text() ==
                         QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())),
                     step);
            QVERIFY2(list->item(row)->data(Qt::UserRole).toInt() == row, step);
        }
        QVERIFY2(ListSelectionRow(window) == (count > 0 ? 0 : -1), step);
        QVERIFY2(window.SelectedCheckpoint() == (count > 0 ? 0 : -1), step);
        QVERIFY2(list->verticalScrollBar()->value() == 0, step);
    }

  private slots:
    void everyEditLeavesTheListAsAFreshFillWould() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        CourseEditorDlg& window = *editor;
        auto* list = window.ControlAs<QListWidget>(1001);
        std::mt19937 rng(21);
        const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        for (int step = 0; step < 400; ++step) {
            const int count = static_cast<int>(window.GetScenario().checkpoints.size());
            const int kind = pick(10);
            if (kind < 4) {
                window.AddCheckpoint(pick(128), pick(128));
            } else if (kind < 6 && count > 0) {
                // A selection anywhere, then Delete: the start, the finish or one between.
                ClickListRow(window, pick(count));
                window.DeleteCheckpoint();
            } else if (kind == 6) {
                // A new lap count taken into the document, as the Laps spin does, so that the field the
                // labels follow and the one shown afterwards agree.
                SetFieldText(window, 1072, QString::number(pick(3)));
                window.ReadFieldsIntoScenario();
                window.RefillCheckpointList();
            } else if (kind == 7 && count > 0) {
                window.MoveCheckpoint(pick(128), pick(128));
                window.RefillCheckpointList();
            } else if (kind == 8) {
                // The whole list replaced, as New and Load do, sometimes by an empty one.
                auto& checkpoints = window.GetScenario().checkpoints;
                checkpoints.resize(static_cast<std::size_t>(pick(2) == 0 ? 0 : pick(60)));
                window.RefillCheckpointList();
            } else {
                list->scrollToBottom();
                window.RefillCheckpointList();
            }
            const QByteArray where = "step " + QByteArray::number(step);
            VerifyList(window, where.constData());
            if (QTest::currentTestFailed()) {
                return;
            }
        }
    }
};

}  // namespace

RW_UI_TEST(ListRefillTest)

}  // namespace rw::ui::test

#include "ListRefillTest.moc"
