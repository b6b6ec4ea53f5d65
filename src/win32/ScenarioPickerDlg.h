// The picker of the Load command: the scenario files of the game's scenarios\movie folder.
#pragma once

#include "FilePickerDlg.h"
#include "res/StringId.h"

namespace rw::win32 {

class ScenarioPickerDlg : public FilePickerDlg {
  public:
    // folder ends with a backslash.
    ScenarioPickerDlg(HWND owner, const std::wstring& folder)
        : FilePickerDlg(owner, static_cast<int>(rw::res::StringId::SelectScenarioFile), folder + L"*.scn") {}
};

}  // namespace rw::win32
