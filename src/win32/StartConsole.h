// The command line and the console of whoever started the editor, which as a GUI program has none of its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rw::win32 {

// The arguments after the program's name, as UTF-8.
std::vector<std::string> CommandLineArguments();

// Writes text (UTF-8) to the standard output, or the standard error when toError, where it was redirected
// (a pipe, a file); else to the console of the process that started the editor. False when there is neither.
bool WriteToStarter(std::string_view text, bool toError);

}  // namespace rw::win32
