// The editor program's command line: routewright [GAME_FOLDER], --help and --version.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace rw::editor {

enum class StartAction { Run, ShowHelp, ShowVersion, Refuse };

struct EditorStart {
    StartAction action = StartAction::Run;
    std::optional<std::string> gameFolder;  // the GAME_FOLDER argument as given, when there is one
    std::string text;                       // the help or version text, or why the line is refused
};

// The exit status of a refused command line.
inline constexpr int kExitUsage = 2;

// args are UTF-8 and exclude the program's name. --help and --version anywhere before "--" win over
// everything else, so a front end can answer them from the raw line before its toolkit (which takes options
// of its own out of the line) has even started. Texts end with a newline.
EditorStart ParseEditorCommandLine(std::span<const std::string> args);

}  // namespace rw::editor
