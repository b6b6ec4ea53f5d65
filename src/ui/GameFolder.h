// The game folder: the folder of the editor's executable.
#pragma once

#include <string>

namespace rw::ui {

// The folder that holds the running executable (UTF-8), ending with the platform's separator. Needs the
// application object.
std::string GameFolder();

}  // namespace rw::ui
