// The steady scroll bar's comparison of what it shows.
#include "SteadyScrollBar.h"

#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>

namespace rw::ui {

SteadyScrollBar::SteadyScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

SteadyScrollBar::Look SteadyScrollBar::CurrentLook() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
            value() == minimum(), value() == maximum()};
}

void SteadyScrollBar::Set(int maximum, int pageStep, int value) {
    {
        const QSignalBlocker quiet(this);
        m_setting = true;
        setPageStep(pageStep);
        setRange(0, maximum);
        setValue(value);
        m_setting = false;
    }
    if (CurrentLook() != m_shown) {
        update();
    }
}

void SteadyScrollBar::sliderChange(SliderChange change) {
    if (m_setting) {
        return;
    }
    if (change == SliderOrientationChange || CurrentLook() != m_shown) {
        QScrollBar::sliderChange(change);
    }
}

void SteadyScrollBar::paintEvent(QPaintEvent* event) {
    m_shown = CurrentLook();
    QScrollBar::paintEvent(event);
}

}  // namespace rw::ui
