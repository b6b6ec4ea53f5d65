// Finding the game folder on Windows: file attributes, the registry for the remembered folder, the shell's
// folder chooser to ask.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor/GameFolderHost.h"

namespace rw::win32 {

// The setting is the value GameFolder under HKEY_CURRENT_USER\Software\Routewright.
class Win32GameFolderHost : public rw::editor::GameFolderHost {
  public:
    bool IsFolder(const std::string& path) override;
    std::optional<std::string> RememberedFolder() override;
    void RememberFolder(const std::string& folder) override;
    // SHBrowseForFolderW with prompt as the line above its tree of folders.
    std::optional<std::string> AskForFolder(std::string_view prompt) override;
};

}  // namespace rw::win32
