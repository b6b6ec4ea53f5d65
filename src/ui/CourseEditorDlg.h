// The editor's main window on Qt: the controls from the template, their layout, event delivery and the map.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>

#include <array>
#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include "ShownMap.h"
#include "editor/CourseEditor.h"
#include "editor/EditorView.h"

class QCloseEvent;
class QComboBox;
class QContextMenuEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPainter;
class QPaintEvent;
class QShowEvent;

namespace rw::ui {

class CheckpointListView;
class MagnifiedMapDlg;
class MapView;

// One window per run, shown modally until the user leaves the editor. It is the editor's view: it shows what
// the editor (CourseEditor, which owns the race, the city and the map picture) sets, and hands every input to
// it in map coordinates. Controls are named by their ids; Control(id) finds any of them.
class CourseEditorDlg : public QDialog, public rw::editor::EditorView {
    Q_OBJECT

  public:
    // gameFolder (UTF-8) ends with the platform's separator.
    CourseEditorDlg(rw::editor::EditorHost& host, std::string gameFolder, QWidget* parent = nullptr);
    ~CourseEditorDlg() override;

    CourseEditorDlg(const CourseEditorDlg&) = delete;
    CourseEditorDlg& operator=(const CourseEditorDlg&) = delete;

    rw::editor::CourseEditor& Editor() { return *m_editor; }
    const rw::editor::CourseEditor& Editor() const { return *m_editor; }
    QWidget* Control(int id) const;
    QWidget* Control(rw::editor::ControlId id) const { return Control(rw::editor::ToInt(id)); }
    template <class T>
    T* ControlAs(rw::editor::ControlId id) const {
        return qobject_cast<T*>(Control(id));
    }
    template <class T>
    T* ControlAs(int id) const {
        return qobject_cast<T*>(Control(id));
    }
    // The map picture as the map area shows it (palette indices, top row first).
    const QImage& MapImage() const;
    // The map area's top-left corner in the window's client coordinates.
    QPoint MapOrigin() const;

    // Closes the window for good, bypassing the close request; the modal run then returns.
    void EndEditor();
    // Paints the map picture and the checkpoint squares within area (map pixels), one unit per map pixel.
    void PaintMap(QPainter& painter, const QRect& area = QRect(0, 0, 256, 256)) const;
    // Opens the magnified map window (or brings it forward); it lives as long as this window.
    MagnifiedMapDlg& ShowMagnifiedMap();

    // --- the editor's view ---
    std::string Text(rw::editor::ControlId id) const override;
    void SetText(rw::editor::ControlId id, std::string_view text) override;
    int ListCount() const override;
    void ListInsert(int row, std::string_view label, int itemData) override;
    void ListSetLabel(int row, std::string_view label) override;
    void ListRemove(int row) override;
    int ListItemData(int row) const override;
    int ListSelection() const override;
    void ListSelect(int row) override;
    void ListScrollToTop() override;
    int DifficultySelection() const override;
    void SelectDifficulty(int index) override;
    void RepaintMap() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void accept() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void CreateControls();
    void SetLabels();
    static void FitLabel(QLabel& label);
    void LayOut();
    void ConnectEventTable();
    bool HandleEditingKey(const QKeyEvent& event);
    // The map point under a window point, or nothing when a control lies there (it has the mouse to itself).
    std::optional<QPoint> MapPointAt(QPoint windowPoint) const;
    QLineEdit* Edit(rw::editor::ControlId id) const;
    void RefreshShownMap() const;

    std::map<int, QWidget*> m_controls;
    CheckpointListView* m_checkpointList = nullptr;
    QComboBox* m_difficultyCombo = nullptr;
    MapView* m_mapView = nullptr;
    bool m_ending = false;
    QSize m_frameSize;  // the outer frame the layout asks for
    // The map picture: the editor's pixels, rows top-down, with the map palette set once.
    mutable QImage m_mapImage;
    mutable bool m_mapImageStale = true;  // the editor's pixels changed since they were copied
    // The same picture as painted, with the checkpoint squares.
    mutable ShownMap m_shownMap;
    std::unique_ptr<rw::editor::CourseEditor> m_editor;
    MagnifiedMapDlg* m_magnified = nullptr;  // a child of this window once opened
};

}  // namespace rw::ui
