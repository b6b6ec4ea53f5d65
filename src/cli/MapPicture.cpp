// The map picture as a PNG, through QImage (no application object needed for encoding).
#include "cli/MapPicture.h"

#include <QImage>
#include <QList>
#include <QSaveFile>
#include <QString>

#include "res/MapPalette.h"

namespace rw::cli {

bool WriteMapPicture(const city::MapPixels& pixels, const std::string& path) {
    QImage image(256, 256, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const res::Rgb& c : res::MapPalette()) {
        colours.push_back(qRgb(c.r, c.g, c.b));
    }
    image.setColorTable(colours);
    for (int row = 0; row < 256; ++row) {
        uchar* line = image.scanLine(row);
        for (int column = 0; column < 256; ++column) {
            line[column] = pixels[city::PixelIndex(column, row)];
        }
    }
    QSaveFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

}  // namespace rw::cli
