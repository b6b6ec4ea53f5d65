// The game folder: where the editor's own executable lies.
#pragma once

#include <string>

namespace rw::win32 {

// The executable's full path cut after its last backslash (UTF-8, ends with the backslash).
std::string GameFolder();

}  // namespace rw::win32
