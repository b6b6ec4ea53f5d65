// The map area: a fixed 256 x 256 surface that the editor window paints.
#pragma once

#include <QWidget>

#include <functional>
#include <utility>

namespace rw::ui {

// Draws nothing itself: every paint goes to the painter callback, so the window that owns the map picture
// and the checkpoints decides what shows. Mouse events pass through to the window underneath, which
// measures them against this area.
class MapView : public QWidget {
    Q_OBJECT

  public:
    explicit MapView(QWidget* parent = nullptr);

    // The painter callback is given the part of the area to paint.
    void SetPainter(std::function<void(QPainter&, const QRect&)> painter) { m_painter = std::move(painter); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::function<void(QPainter&, const QRect&)> m_painter;
};

}  // namespace rw::ui
