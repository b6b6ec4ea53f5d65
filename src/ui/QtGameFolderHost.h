// Finding the game folder with Qt: the file system, QSettings for the remembered folder, QFileDialog to ask.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor/GameFolderHost.h"

namespace rw::ui {

// The setting lives where QSettings keeps Routewright's (~/.config/Routewright/Routewright.conf on Linux).
// Needs the application object.
class QtGameFolderHost : public rw::editor::GameFolderHost {
  public:
    bool IsFolder(const std::string& path) override;
    std::optional<std::string> RememberedFolder() override;
    void RememberFolder(const std::string& folder) override;
    // QFileDialog's folder chooser with prompt as its title; paths come back with native separators.
    std::optional<std::string> AskForFolder(std::string_view prompt) override;
};

}  // namespace rw::ui
