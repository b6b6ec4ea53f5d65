// Helpers shared by the window's tests: a window on a scratch game folder, fields, list, map and mouse.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>

#include "FakeEditorHost.h"
#include "ui/CourseEditorDlg.h"

class QWindow;

namespace rw::ui::test {

// A window over an empty scratch game folder, with its host.
struct EditorUnderTest {
    FakeEditorHost host;
    QTemporaryDir folder;
    std::unique_ptr<CourseEditorDlg> window;

    EditorUnderTest();
    CourseEditorDlg& operator*() { return *window; }
    CourseEditorDlg* operator->() { return window.get(); }
    // Shows the window and waits until it can take mouse events.
    bool Show();
    QString GameFolder() const;
};

QString FieldText(const CourseEditorDlg& window, int id);
void SetFieldText(CourseEditorDlg& window, int id, const QString& text);
QStringList ListLabels(const CourseEditorDlg& window);
int ListSelectionRow(const CourseEditorDlg& window);
QString StatusText(const CourseEditorDlg& window);

// Gives tile (x, y) the building code and names a city in the City File field, as a loaded city would.
void PlaceBuilding(CourseEditorDlg& window, int x, int y, std::uint8_t code);
void NameCity(CourseEditorDlg& window, const QString& fileName);

// A point of the window's client area at map pixel (px, py).
QPoint MapPixel(const CourseEditorDlg& window, int px, int py);
// The top-left pixel of tile (x, y), in the window's client area.
QPoint TilePoint(const CourseEditorDlg& window, int x, int y);

// Real mouse input through the window system, so it reaches whatever widget lies under the point.
void ClickAt(CourseEditorDlg& window, Qt::MouseButton button, QPoint clientPoint);
void MoveMouseTo(CourseEditorDlg& window, QPoint clientPoint);

// Types text into widget one character at a time, as key events carrying the character (any Unicode text).
void TypeText(QWidget* widget, const QString& text);

// Selects list entry row as a user's click on it does.
void ClickListRow(CourseEditorDlg& window, int row);

}  // namespace rw::ui::test
