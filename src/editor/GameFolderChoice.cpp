// Finding the game folder at start.
#include "editor/GameFolderChoice.h"

#include "editor/GamePaths.h"

namespace rw::editor {

namespace {

std::string WithSeparator(std::string folder) {
    if (folder.empty() || (folder.back() != '/' && folder.back() != PathSeparator())) {
        folder += PathSeparator();
    }
    return folder;
}

}  // namespace

bool LooksLikeGameFolder(std::string_view folder, GameFolderHost& host) {
    const std::string base = WithSeparator(std::string(folder));
    return host.IsFolder(CityFolder(base)) || host.IsFolder(ScenarioFolder(base));
}

GameFolderChoice ChooseGameFolder(const std::optional<std::string>& argument,
                                  const std::string& executableFolder, GameFolderHost& host) {
    if (argument) {
        if (!host.IsFolder(*argument)) {
            return {GameFolderOutcome::NotAFolder, {}};
        }
        return {GameFolderOutcome::Found, WithSeparator(*argument)};
    }
    if (LooksLikeGameFolder(executableFolder, host)) {
        return {GameFolderOutcome::Found, WithSeparator(executableFolder)};
    }
    if (const auto remembered = host.RememberedFolder();
        remembered && LooksLikeGameFolder(*remembered, host)) {
        return {GameFolderOutcome::Found, WithSeparator(*remembered)};
    }
    for (std::string_view prompt = kGameFolderPrompt;; prompt = kNotGameFolderPrompt) {
        const auto chosen = host.AskForFolder(prompt);
        if (!chosen) {
            return {GameFolderOutcome::Cancelled, {}};
        }
        if (LooksLikeGameFolder(*chosen, host)) {
            const std::string folder = WithSeparator(*chosen);
            host.RememberFolder(folder);
            return {GameFolderOutcome::Found, folder};
        }
    }
}

}  // namespace rw::editor
