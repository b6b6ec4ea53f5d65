// The picker of the Load City File command: the city files of the game's cities folder.
#pragma once

#include "FilePickerDlg.h"
#include "res/StringId.h"

namespace rw::win32 {

class CityPickerDlg : public FilePickerDlg {
  public:
    // folder ends with a backslash.
    CityPickerDlg(HWND owner, const std::wstring& folder)
        : FilePickerDlg(owner, static_cast<int>(rw::res::StringId::SelectCityFile), folder + L"*.urb") {}
};

}  // namespace rw::win32
