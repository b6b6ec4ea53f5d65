// Dialog units from a font.
#include "DialogUnits.h"

#include <QFontMetricsF>

#include <cmath>

namespace rw::ui {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetricsF metrics(font);
    m_baseX =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
        52.0;
    m_baseY = metrics.height();
}

int DialogUnits::X(int units) const {
    return static_cast<int>(std::lround(units * m_baseX / 4.0));
}

int DialogUnits::Y(int units) const {
    return static_cast<int>(std::lround(units * m_baseY / 8.0));
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    const int left = X(x);
    const int top = Y(y);
    return {left, top, X(x + width) - left, Y(y + height) - top};
}

QSize DialogUnits::Size(int width, int height) const {
    return {X(width), Y(height)};
}

}  // namespace rw::ui
