// The paths the editor builds from its game folder.
#include "editor/GamePaths.h"

namespace rw::editor {

char PathSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string ScenarioFolder(std::string_view gameFolder) {
    std::string folder(gameFolder);
    folder += "scenarios";
    folder += PathSeparator();
    folder += "movie";
    folder += PathSeparator();
    return folder;
}

std::string CityFolder(std::string_view gameFolder) {
    std::string folder(gameFolder);
    folder += "cities";
    folder += PathSeparator();
    return folder;
}

std::string GameExecutable(std::string_view gameFolder) {
    return std::string(gameFolder) + "vortane.exe";
}

std::string ScenarioPath(std::string_view gameFolder, std::string_view fileName) {
    return ScenarioFolder(gameFolder) + std::string(fileName);
}

std::string CityPath(std::string_view gameFolder, std::string_view fileName) {
    return CityFolder(gameFolder) + std::string(fileName);
}

std::string WorkingFolder(std::string_view gameFolder) {
    std::string folder(gameFolder);
    if (folder.size() > 1 && (folder.back() == '/' || folder.back() == PathSeparator())) {
        folder.pop_back();
    }
    return folder;
}

}  // namespace rw::editor
