// The application's icon (icon 128): the About box's picture and the window icon.
#pragma once

#include <QIcon>
#include <QImage>

namespace rw::ui {

// The embedded 32 x 32 icon as an image with alpha; a null image if the embedded bytes do not decode.
QImage ApplicationIconImage();
QIcon ApplicationIcon();

}  // namespace rw::ui
