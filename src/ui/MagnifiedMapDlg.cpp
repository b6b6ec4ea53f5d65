// The magnified map window.
#include "MagnifiedMapDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "CourseEditorDlg.h"

namespace rw::ui {

namespace {

// The map drawn zoom times larger; the mouse on it reaches the editor in map pixels.
class ZoomedMap : public QWidget {
  public:
    ZoomedMap(CourseEditorDlg& window, const QSpinBox& zoom) : m_window(window), m_zoom(zoom) {
        setMouseTracking(true);
        setObjectName(QStringLiteral("magnifiedMapArea"));
    }
    void Resize() { setFixedSize(256 * m_zoom.value(), 256 * m_zoom.value()); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.scale(m_zoom.value(), m_zoom.value());
        m_window.PaintMap(painter);
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint p = MapPoint(*event);
        if (event->button() == Qt::LeftButton) {
            m_window.Editor().OnLButtonDown(p.x(), p.y(), (event->modifiers() & Qt::ControlModifier) != 0);
        } else if (event->button() == Qt::RightButton) {
            m_window.Editor().OnRButtonDown(p.x(), p.y());
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint p = MapPoint(*event);
        m_window.Editor().OnMouseMove(p.x(), p.y(), (event->buttons() & Qt::RightButton) != 0);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::RightButton) {
            m_window.Editor().OnRButtonUp();
        }
    }

  private:
    QPoint MapPoint(const QMouseEvent& event) const {
        const QPoint at = event.position().toPoint();
        return QPoint(at.x() / m_zoom.value(), at.y() / m_zoom.value());
    }

    CourseEditorDlg& m_window;
    const QSpinBox& m_zoom;
};

}  // namespace

MagnifiedMapDlg::MagnifiedMapDlg(CourseEditorDlg& window) : QDialog(&window) {
    setObjectName(QStringLiteral("magnifiedMap"));
    setWindowTitle(QStringLiteral("Magnified Map"));
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);

    m_zoom = new QSpinBox(this);
    m_zoom->setObjectName(QStringLiteral("zoom"));
    m_zoom->setRange(kMinZoom, kMaxZoom);
    m_zoom->setSuffix(QStringLiteral("x"));
    m_zoom->setValue(3);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("magnifiedStatus"));
    auto* map = new ZoomedMap(window, *m_zoom);
    map->Resize();
    m_map = map;
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_map);

    auto* bar = new QHBoxLayout;
    auto* zoomLabel = new QLabel(QStringLiteral("&Zoom:"), this);
    zoomLabel->setBuddy(m_zoom);
    bar->addWidget(zoomLabel);
    bar->addWidget(m_zoom);
    bar->addWidget(m_status, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);
    resize(560, 600);

    connect(m_zoom, &QSpinBox::valueChanged, this, [map] {
        map->Resize();
        map->update();
    });
}

int MagnifiedMapDlg::Zoom() const {
    return m_zoom->value();
}

void MagnifiedMapDlg::SetZoom(int zoom) {
    m_zoom->setValue(zoom);
}

void MagnifiedMapDlg::Refresh(const QString& status) {
    m_status->setText(status);
    m_map->update();
}

}  // namespace rw::ui
