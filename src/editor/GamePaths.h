// The folders and files of a game folder that the editor uses.
#pragma once

#include <string>
#include <string_view>

namespace rw::editor {

// The platform's path separator: '\\' on Windows, '/' elsewhere.
char PathSeparator();

// Paths are UTF-8; gameFolder ends with the separator, and so do the folders returned.
std::string ScenarioFolder(std::string_view gameFolder);
std::string CityFolder(std::string_view gameFolder);
std::string GameExecutable(std::string_view gameFolder);
std::string ScenarioPath(std::string_view gameFolder, std::string_view fileName);
std::string CityPath(std::string_view gameFolder, std::string_view fileName);
// The game folder without its trailing separator (a root folder keeps it): the launched game's working
// folder.
std::string WorkingFolder(std::string_view gameFolder);

}  // namespace rw::editor
