// Dialog units: the font-relative measure the editor's dialog layouts are given in.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace rw::ui {

// One horizontal unit is a quarter of the font's average letter width (over A-Z and a-z), one vertical
// unit an eighth of its height, so layouts keep their proportions with whatever font the desktop gives.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    // Converts the four edges, as the platform maps a dialog rectangle, so neighbours never overlap.
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;

  private:
    double m_baseX;
    double m_baseY;
};

}  // namespace rw::ui
