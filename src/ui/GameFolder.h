// The folder of the editor's executable: the game folder when it holds the game's files.
#pragma once

#include <string>

namespace rw::ui {

// The folder that holds the running executable (UTF-8), ending with the platform's separator. Needs the
// application object.
std::string GameFolder();

}  // namespace rw::ui
