// A bare pair of up/down arrows that steps a value held elsewhere.
#pragma once

#include <QTimer>
#include <QWidget>

namespace rw::ui {

// Keeps no value of its own: each step reports a delta (-1 for the up arrow, +1 for the down arrow) and
// the owner changes whatever field the arrows serve. Holding an arrow repeats the step; the Up and Down
// keys step while the arrows have the focus. Releasing the mouse after a press reports a click.
class SpinArrows : public QWidget {
    Q_OBJECT

  public:
    explicit SpinArrows(QWidget* parent = nullptr);

    // Timings of the auto-repeat while an arrow is held, in milliseconds.
    static constexpr int kRepeatDelayMs = 400;
    static constexpr int kRepeatIntervalMs = 80;

  signals:
    void DeltaPos(int delta);
    void Clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Repeat();
    QRect UpRect() const;
    QRect DownRect() const;

    QTimer m_repeat;
    int m_heldDelta = 0;
};

}  // namespace rw::ui
