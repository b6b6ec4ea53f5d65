// The map area's paint.
#include "MapView.h"

#include <QPainter>

namespace rw::ui {

MapView::MapView(QWidget* parent) : QWidget(parent) {
    // Not marked opaque although it covers itself whole: an opaque child is left out when its window
    // repaints, and the commands repaint the window after every load.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Two screen pixels per tile edge; a high-DPI screen scales them by whole device pixels, never smoothed.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (m_painter) {
        m_painter(painter);
    }
}

}  // namespace rw::ui
