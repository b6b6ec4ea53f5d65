// The status line under the map: a sunken label whose text follows the pointer.
#pragma once

#include <QLabel>
#include <QPalette>
#include <QPixmap>

namespace rw::ui {

// Its text changes at every pointer move over the map. A label paints its background, its frame and its
// text with a painter each, making the frame's pens anew every time; this one paints in one pass, from its
// background and frame drawn once for its size and palette, then its text as a label draws plain text.
class StatusLine : public QLabel {
    Q_OBJECT

  public:
    explicit StatusLine(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QPixmap& Background();

    QPixmap m_background;
    QPalette m_backgroundPalette;  // the palette it was drawn in
};

}  // namespace rw::ui
