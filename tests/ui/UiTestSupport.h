// Shared by the Qt window tests: the window over a scratch game folder with a scripted host, and real input.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <memory>

#include "editor/ScratchGameFolder.h"
#include "editor/ScriptedHost.h"
#include "ui/CourseEditorDlg.h"
#include "ui/UiText.h"

namespace rw::ui::test {

using rw::editor::ControlId;
using rw::editor::test::kRoadColumn;
using rw::editor::test::kRoadRow;

// The window over a scratch game folder with cities/town.urb, and its scripted host.
struct EditorUnderTest {
    rw::editor::test::ScratchGameFolder folder;
    rw::editor::test::ScriptedHost host;
    std::unique_ptr<CourseEditorDlg> window;

    EditorUnderTest() {
        folder.WriteCity("town.urb");
        window = std::make_unique<CourseEditorDlg>(host, folder.Path());
    }
    CourseEditorDlg& operator*() { return *window; }
    CourseEditorDlg* operator->() { return window.get(); }
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
inline QString FieldText(const CourseEditorDlg& window, int id) {
    return FieldText(window, static_cast<ControlId>(id));
}
inline QStringList ListLabels(const CourseEditorDlg& window) {
    QStringList labels;
    const auto* list = window.ControlAs<QListWidget>(ControlId::CheckpointList);
    for (int row = 0; row < list->count(); ++row) {
        labels << list->item(row)->text();
    }
    return labels;
}
inline QString StatusText(const CourseEditorDlg& window) {
    return window.ControlAs<QLabel>(ControlId::Status)->text();
}

// Points of the window's client area: map pixel (px, py), and the top-left pixel of tile (x, y).
inline QPoint MapPixel(const CourseEditorDlg& window, int px, int py) {
    return window.MapOrigin() + QPoint(px, py);
}
inline QPoint TilePoint(const CourseEditorDlg& window, int x, int y) {
    return MapPixel(window, 2 * x, 2 * y);
}

// Real mouse input through the window system, so it reaches whatever widget lies under the point.
inline void ClickAt(CourseEditorDlg& window, Qt::MouseButton button, QPoint point,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(window.windowHandle(), button, modifiers, point);
}
inline void MoveMouseTo(CourseEditorDlg& window, QPoint point) {
    QTest::mouseMove(window.windowHandle(), point);
}
inline void ClickListRow(CourseEditorDlg& window, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    auto* list = window.ControlAs<QListWidget>(ControlId::CheckpointList);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(list->item(row)).center());
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
