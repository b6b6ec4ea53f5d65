// The folder of the editor's own executable, and paths from its command line made absolute.
#pragma once

#include <string>

namespace rw::win32 {

// The executable's full path cut after its last backslash (UTF-8, ends with the backslash).
std::string GameFolder();

// path (UTF-8) made absolute against the working folder; as given when the system cannot.
std::string FullPath(const std::string& path);

}  // namespace rw::win32
