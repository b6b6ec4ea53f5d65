// The editor window's document commands: New, Load, Save, Load City File, Delete, Exit, close, launch, About.
#include "CourseEditorDlg.h"

namespace rw::ui {

void CourseEditorDlg::OnNewScenario() {}

void CourseEditorDlg::OnLoadScenario() {}

void CourseEditorDlg::OnSaveScenario() {}

void CourseEditorDlg::OnLoadCityFile() {}

void CourseEditorDlg::OnExit() {}

void CourseEditorDlg::OnClose() {}

void CourseEditorDlg::OnEnterGame() {}

void CourseEditorDlg::OnAbout() {}

}  // namespace rw::ui
