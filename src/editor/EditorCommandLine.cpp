// The editor's command line and the texts it prints.
#include "editor/EditorCommandLine.h"

#include <string_view>

#include "Version.h"

namespace rw::editor {

namespace {

// Shaped for help2man, which turns it into the manual page: usage, one line saying what the program does,
// the details, then the options.
constexpr std::string_view kHelp =
    "Usage: routewright [OPTION]... [GAME_FOLDER]\n"
    "Edit the races of Vortane: checkpoints on a city's roads, laps, time limit and racers.\n"
    "\n"
    "GAME_FOLDER is the folder of Vortane that holds cities/ and scenarios/movie/. Without it the editor\n"
    "uses the folder of its own executable when that is a game folder, else the game folder chosen last\n"
    "time, and asks for one when there is none.\n"
    "\n"
    "Options:\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n";

EditorStart Refusal(std::string why) {
    return {StartAction::Refuse, std::nullopt, "routewright: " + why + " (see --help)\n"};
}

}  // namespace

EditorStart ParseEditorCommandLine(std::span<const std::string> args) {
    for (const std::string& arg : args) {
        if (arg == "--") {
            break;
        }
        if (arg == "--help") {
            return {StartAction::ShowHelp, std::nullopt, std::string(kHelp)};
        }
        if (arg == "--version") {
            return {StartAction::ShowVersion, std::nullopt, "routewright " + std::string(kVersion) + "\n"};
        }
    }
    EditorStart start;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            return Refusal("unknown option \"" + arg + "\"");
        } else if (start.gameFolder) {
            return Refusal("more than one game folder given");
        } else {
            start.gameFolder = arg;
        }
    }
    return start;
}

}  // namespace rw::editor
