// Which folder the editor works in: the one named on its command line, its own, the one chosen last time, or
// one the user chooses now.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor/GameFolderHost.h"

namespace rw::editor {

// The chooser's line at the first question, and after a folder that was no game folder.
inline constexpr std::string_view kGameFolderPrompt =
    "Choose the game folder: the folder of Vortane that holds cities and scenarios/movie.";
inline constexpr std::string_view kNotGameFolderPrompt =
    "That folder holds neither cities nor scenarios/movie. Choose the folder of Vortane that does.";

enum class GameFolderOutcome { Found, NotAFolder, Cancelled };

struct GameFolderChoice {
    GameFolderOutcome outcome = GameFolderOutcome::Found;
    std::string folder;  // Found: ends with the separator
};

// A game folder holds cities/ or scenarios/movie/ (an installed editor's own folder holds neither).
bool LooksLikeGameFolder(std::string_view folder, GameFolderHost& host);

// argument is the command line's GAME_FOLDER, already absolute: any existing folder is taken as it is.
// Without one: executableFolder when it looks like a game folder, else the remembered folder while it still
// does, else the chooser until it gives a game folder (remembered then) or is cancelled.
GameFolderChoice ChooseGameFolder(const std::optional<std::string>& argument,
                                  const std::string& executableFolder, GameFolderHost& host);

}  // namespace rw::editor
