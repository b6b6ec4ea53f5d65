// Everything modal or outside the editor window, behind one interface that tests replace.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rw::editor {

enum class SaveAnswer { Yes, No, Cancel };
enum class MessageIcon { None, Exclamation };

// Implemented by each front end; every box and dialog it shows is owned by the editor window. Texts and paths
// are UTF-8. Folders end with the platform's separator.
class EditorHost {
  public:
    virtual ~EditorHost() = default;

    // "Do you want to save the current scenario?" with caption "Save Scenario?" and no icon: Yes/No/Cancel
    // when withCancel, else Yes/No.
    virtual SaveAnswer AskSaveQuestion(bool withCancel) = 0;

    // A message box with one OK button.
    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;

    // The Save As dialog opened in startFolder; the chosen full path, or nothing when cancelled.
    virtual std::optional<std::string> AskSavePath(const std::string& startFolder) = 0;

    // The two pickers over a folder of the game; the chosen bare file name, or nothing after Cancel.
    virtual std::optional<std::string> PickScenario(const std::string& folder) = 0;
    virtual std::optional<std::string> PickCity(const std::string& folder) = 0;

    virtual void ShowAbout() = 0;

    // Starts program detached, without arguments, in workingFolder; false when it could not be started.
    virtual bool LaunchGame(const std::string& program, const std::string& workingFolder) = 0;

    // Closes the editor window for good; its modal run then returns.
    virtual void EndEditor() = 0;
};

}  // namespace rw::editor
