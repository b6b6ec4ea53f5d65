// The map area's paint.
#include "MapView.h"

#include <QPaintEvent>
#include <QPainter>

namespace rw::ui {

MapView::MapView(QWidget* parent) : QWidget(parent) {
    // It covers itself whole: a repaint of the map alone leaves what lies beneath it (the window's
    // background, the frame around the map) unpainted. Qt leaves an opaque child out when its window
    // repaints; the window passes such a repaint on (CourseEditorDlg::paintEvent).
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MapView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Two screen pixels per tile edge; a high-DPI screen scales them by whole device pixels, never smoothed.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (m_painter) {
        m_painter(painter, event->rect());
    }
}

}  // namespace rw::ui
