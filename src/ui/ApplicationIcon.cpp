// The application's icon, decoded from the embedded .ico bytes.
#include "ApplicationIcon.h"

#include "embedded/AppIconBytes.h"
#include "res/IconImage.h"

#include <QPixmap>

namespace rw::ui {

QImage ApplicationIconImage() {
    const auto decoded = rw::res::DecodeIcon(rw::res::AppIconBytes());
    if (!decoded) {
        return {};
    }
    QImage image(decoded->width, decoded->height, QImage::Format_ARGB32);
    for (int y = 0; y < decoded->height; ++y) {
        for (int x = 0; x < decoded->width; ++x) {
            image.setPixel(x, y, decoded->argb[static_cast<std::size_t>(y * decoded->width + x)]);
        }
    }
    return image;
}

QIcon ApplicationIcon() {
    const QImage image = ApplicationIconImage();
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

}  // namespace rw::ui
