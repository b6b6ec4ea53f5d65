// The game folder: where the editor's own executable lies, or a folder named on its command line.
#pragma once

#include <optional>
#include <string>

namespace rw::win32 {

// The executable's full path cut after its last backslash (UTF-8, ends with the backslash).
std::string GameFolder();

// path (UTF-8) made absolute and ending with a backslash; nothing when it names no existing folder.
std::optional<std::string> FullFolderPath(const std::string& path);

}  // namespace rw::win32
