// A magnified map window beside the editor: the same map, marks, hover texts and clicks, 2 to 8 times larger.
#pragma once

#include <QDialog>

class QLabel;
class QScrollArea;
class QSpinBox;

namespace rw::ui {

class CourseEditorDlg;

// Resizable and scrollable; every map pixel becomes a crisp zoom x zoom block. It shows what the editor
// window shows and hands the mouse to the same editor, in map pixels, so both stay live with each other.
class MagnifiedMapDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kMinZoom = 2;
    static constexpr int kMaxZoom = 8;

    explicit MagnifiedMapDlg(CourseEditorDlg& window);

    int Zoom() const;
    void SetZoom(int zoom);
    // The map area, for tests and input: its pixels are zoom times the map's.
    QWidget* MapArea() const { return m_map; }
    // Paints the map again and shows the status line's text.
    void Refresh(const QString& status);

  private:
    QScrollArea* m_scroll = nullptr;
    QSpinBox* m_zoom = nullptr;
    QWidget* m_map = nullptr;
    QLabel* m_status = nullptr;
};

}  // namespace rw::ui
