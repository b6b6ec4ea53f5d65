// The status line's painting.
#include "StatusLine.h"

#include <QPainter>
#include <QStyle>

namespace rw::ui {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Every pixel comes from the background picture: nothing beneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const QPixmap& StatusLine::Background() {
    const qreal ratio = devicePixelRatioF();
    if (m_background.isNull() || m_background.deviceIndependentSize() != QSizeF(size()) ||
        m_background.devicePixelRatio() != ratio || !m_backgroundPalette.isCopyOf(palette())) {
        m_background = QPixmap(size() * ratio);
        m_background.setDevicePixelRatio(ratio);
        m_background.fill(palette().color(backgroundRole()));
        QPainter painter(&m_background);
        drawFrame(&painter);
        m_backgroundPalette = palette();
    }
    return m_background;
}

void StatusLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, Background());
    // The text as a label places and draws it, indented from the frame on the sides it is aligned to.
    const int inset = indent() >= 0      ? indent()
                      : frameWidth() > 0 ? fontMetrics().horizontalAdvance(u'x') / 2
                                         : 0;
    const bool leftToRight = !text().isRightToLeft();
    const Qt::Alignment align =
        QStyle::visualAlignment(leftToRight ? Qt::LeftToRight : Qt::RightToLeft, alignment());
    const QRect place = contentsRect().adjusted(
        (align & Qt::AlignLeft) != 0 ? inset : 0, (align & Qt::AlignTop) != 0 ? inset : 0,
        (align & Qt::AlignRight) != 0 ? -inset : 0, (align & Qt::AlignBottom) != 0 ? -inset : 0);
    const int flags =
        static_cast<int>(align) | (leftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft);
    style()->drawItemText(&painter, place, flags, palette(), isEnabled(), text(), foregroundRole());
}

}  // namespace rw::ui
