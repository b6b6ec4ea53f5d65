// Helpers shared by the window's tests.
#include "EditorTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QWindow>

#include "city/CityMap.h"
#include "ui/FieldValidator.h"

namespace rw::ui::test {

EditorUnderTest::EditorUnderTest() : window(std::make_unique<CourseEditorDlg>(host, GameFolder())) {}

QString EditorUnderTest::GameFolder() const {
    return QDir(folder.path()).absolutePath() + QDir::separator();
}

bool EditorUnderTest::Show() {
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
}

QString FieldText(const CourseEditorDlg& window, int id) {
    return window.ControlAs<QLineEdit>(id)->text();
}

void SetFieldText(CourseEditorDlg& window, int id, const QString& text) {
    FieldValidator::SetText(*window.ControlAs<QLineEdit>(id), text);
}

QStringList ListLabels(const CourseEditorDlg& window) {
    QStringList labels;
    const auto* list = window.ControlAs<QListWidget>(1001);
    for (int row = 0; row < list->count(); ++row) {
        labels << list->item(row)->text();
    }
    return labels;
}

int ListSelectionRow(const CourseEditorDlg& window) {
    const auto* list = window.ControlAs<QListWidget>(1001);
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

QString StatusText(const CourseEditorDlg& window) {
    return window.ControlAs<QLabel>(1055)->text();
}

void PlaceBuilding(CourseEditorDlg& window, int x, int y, std::uint8_t code) {
    window.City().SetBuilding(x, y, code);
}

void NameCity(CourseEditorDlg& window, const QString& fileName) {
    SetFieldText(window, 1017, fileName);
}

QPoint MapPixel(const CourseEditorDlg& window, int px, int py) {
    return window.MapOrigin() + QPoint(px, py);
}

QPoint TilePoint(const CourseEditorDlg& window, int x, int y) {
    return MapPixel(window, 2 * x, 2 * y);
}

void ClickAt(CourseEditorDlg& window, Qt::MouseButton button, QPoint clientPoint) {
    QTest::mouseClick(window.windowHandle(), button, Qt::NoModifier, clientPoint);
}

void MoveMouseTo(CourseEditorDlg& window, QPoint clientPoint) {
    QTest::mouseMove(window.windowHandle(), clientPoint);
}

void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void ClickListRow(CourseEditorDlg& window, int row) {
    auto* list = window.ControlAs<QListWidget>(1001);
    const QRect itemRect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, itemRect.center());
}

}  // namespace rw::ui::test
