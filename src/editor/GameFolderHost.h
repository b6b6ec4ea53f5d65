// What finding the game folder needs from the platform: folders on disk, the remembered one and the chooser.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rw::editor {

// Implemented by each front end. Paths are UTF-8.
class GameFolderHost {
  public:
    virtual ~GameFolderHost() = default;

    // True when path names an existing folder.
    virtual bool IsFolder(const std::string& path) = 0;

    // The editor's one setting: the game folder chosen last, kept between runs in the platform's usual place.
    virtual std::optional<std::string> RememberedFolder() = 0;
    virtual void RememberFolder(const std::string& folder) = 0;

    // The folder chooser, with prompt as the line that says what to choose; nothing after Cancel.
    virtual std::optional<std::string> AskForFolder(std::string_view prompt) = 0;
};

}  // namespace rw::editor
