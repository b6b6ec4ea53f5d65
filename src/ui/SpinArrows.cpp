// The up/down arrows: painting, mouse with auto-repeat, and keys.
#include "SpinArrows.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace rw::ui {

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    m_repeat.setSingleShot(false);
    connect(&m_repeat, &QTimer::timeout, this, &SpinArrows::Repeat);
}

QRect SpinArrows::UpRect() const {
    return QRect(0, 0, width(), height() / 2);
}

QRect SpinArrows::DownRect() const {
    const int top = height() / 2;
    return QRect(0, top, width(), height() - top);
}

void SpinArrows::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const struct {
        QRect rect;
        int delta;
        QStyle::PrimitiveElement arrow;
    } halves[] = {{UpRect(), -1, QStyle::PE_IndicatorArrowUp},
                  {DownRect(), +1, QStyle::PE_IndicatorArrowDown}};
    for (const auto& half : halves) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = half.rect;
        button.state |= (m_heldDelta == half.delta) ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = half.rect.adjusted(2, 1, -2, -1);
        style()->drawPrimitive(half.arrow, &arrow, &painter, this);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void SpinArrows::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_heldDelta = UpRect().contains(event->position().toPoint()) ? -1 : +1;
    update();
    emit DeltaPos(m_heldDelta);
    m_repeat.start(kRepeatDelayMs);
}

void SpinArrows::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_heldDelta == 0) {
        event->ignore();
        return;
    }
    m_repeat.stop();
    m_heldDelta = 0;
    update();
    emit Clicked();
}

void SpinArrows::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            emit DeltaPos(-1);
            break;
        case Qt::Key_Down:
            emit DeltaPos(+1);
            break;
        default:
            QWidget::keyPressEvent(event);
            break;
    }
}

void SpinArrows::Repeat() {
    if (m_heldDelta == 0) {
        m_repeat.stop();
        return;
    }
    m_repeat.setInterval(kRepeatIntervalMs);
    emit DeltaPos(m_heldDelta);
}

}  // namespace rw::ui
