// The editor's host on Win32: message boxes, the Save As dialog, the pickers, the About box, the launch.
#pragma once

#include "editor/EditorHost.h"

namespace rw::win32 {

class CourseEditorDlg;

// Every box and dialog is owned by the editor window set with SetWindow.
class Win32EditorHost : public rw::editor::EditorHost {
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

}  // namespace rw::win32
