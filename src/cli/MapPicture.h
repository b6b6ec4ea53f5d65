// Saving the map picture as an 8-bit palette PNG.
#pragma once

#include <string>

#include "city/MapImage.h"
#include "res/FileResult.h"

namespace rw::cli {

// Writes pixels (bottom-up palette indices, see city/MapImage.h) as a 256 x 256 PNG with colour type
// "palette" whose 256 entries are the map palette, so every pixel keeps its palette index. The file is
// replaced only when the whole picture was written; the result says why it could not be.
res::FileResult WriteMapPicture(const city::MapPixels& pixels, const std::string& path);

}  // namespace rw::cli
