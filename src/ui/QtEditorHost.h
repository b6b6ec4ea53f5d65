// The editor's host on Qt: message boxes, the Save As dialog, the pickers, the About box and the game launch.
#pragma once

#include "editor/EditorHost.h"

namespace rw::ui {

class CourseEditorDlg;

// Every box it shows is owned by the editor window, set once the window exists.
class QtEditorHost : public rw::editor::EditorHost {
  public:
    void SetWindow(CourseEditorDlg* window) { m_window = window; }

    rw::editor::SaveAnswer AskSaveQuestion(bool withCancel) override;
    void ShowMessage(std::string_view text, std::string_view caption, rw::editor::MessageIcon icon) override;
    std::optional<std::string> AskSavePath(const std::string& startFolder) override;
    std::optional<std::string> PickScenario(const std::string& folder) override;
    std::optional<std::string> PickCity(const std::string& folder) override;
    void ShowAbout() override;
    bool LaunchGame(const std::string& program, const std::string& workingFolder) override;
    void EndEditor() override;

  private:
    CourseEditorDlg* m_window = nullptr;
};

}  // namespace rw::ui
