// A scroll bar that is painted again only when what it shows changes.
#pragma once

#include <QRect>
#include <QScrollBar>

namespace rw::ui {

// A plain scroll bar repaints itself whole at every change of its range or value. On a long list a row
// more or a step down leaves the handle on the same pixels, yet the style would draw the groove, the
// arrows and the handle again (its pixmap cache keys alone are dozens of heap requests). This one compares
// the handle's place and the arrows' states with those it last painted.
class SteadyScrollBar : public QScrollBar {
    Q_OBJECT

  public:
    SteadyScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Sets the range from 0, the page step and the value as one change, without the signals: the owner
    // shows the new place itself. Painted again only if it looks different.
    void Set(int maximum, int pageStep, int value);

  protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Look {
        QRect handle;
        bool atMinimum = false;
        bool atMaximum = false;

        bool operator==(const Look&) const = default;
    };

    Look CurrentLook() const;

    Look m_shown;
    bool m_setting = false;
};

}  // namespace rw::ui
