// Shared by the Qt window tests: the window over a scratch game folder with a scripted host, and real input.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <vector>

#include "editor/ScratchGameFolder.h"
#include "editor/ScriptedHost.h"
#include "ui/CheckpointListView.h"
#include "ui/CourseEditorDlg.h"
#include "ui/UiText.h"

namespace rw::ui::test {

using rw::editor::ControlId;
using rw::editor::test::kRoadColumn;
using rw::editor::test::kRoadRow;
using Tiles = std::vector<rw::scenario::TilePos>;

// The window over a scratch game folder with cities/town.urb, and its scripted host.
struct EditorUnderTest {
    rw::editor::test::ScratchGameFolder folder;
    rw::editor::test::ScriptedHost host;
    std::unique_ptr<CourseEditorDlg> window;

    EditorUnderTest() {
        folder.WriteCity("town.urb");
        window = std::make_unique<CourseEditorDlg>(host, folder.Path());
    }
    bool Show() {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    void LoadTown() {
        host.cityPicks.push_back("town.urb");
        window->Editor().OnLoadCityFile();
    }
};

inline QString FieldText(const CourseEditorDlg& window, ControlId id) {
    return window.ControlAs<QLineEdit>(id)->text();
}

// The window's client point of the top-left pixel of map tile (x, y).
inline QPoint TilePoint(const CourseEditorDlg& window, int x, int y) {
    return window.MapOrigin() + QPoint(2 * x, 2 * y);
}

// Real mouse input through the window system, so it reaches whatever widget lies under the point.
inline void ClickTile(CourseEditorDlg& window, int x, int y, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(window.windowHandle(), button, modifiers, TilePoint(window, x, y) + QPoint(1, 1));
}
inline void ClickListRow(CourseEditorDlg& window, int row, Qt::MouseButton button = Qt::LeftButton) {
    auto* list = window.ControlAs<CheckpointListView>(ControlId::CheckpointList);
    QTest::mouseClick(list->viewport(), button, Qt::NoModifier, list->RowRect(row).center());
}

// Key events carrying each character of text (any Unicode text).
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &event);
        }
    }
}

}  // namespace rw::ui::test
