// The modal list of files from one folder of the game, from template 130.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace rw::win32 {

// Lists the files that match pattern (a folder search pattern such as C:\game\cities\*.urb) sorted by
// name; the user takes one (OK or a double-click) or cancels. ScenarioPickerDlg and CityPickerDlg are its
// two variants.
class FilePickerDlg {
  public:
    FilePickerDlg(HWND owner, int captionId, std::wstring pattern);
    virtual ~FilePickerDlg() = default;

    FilePickerDlg(const FilePickerDlg&) = delete;
    FilePickerDlg& operator=(const FilePickerDlg&) = delete;

    // Runs the dialog modally: IDOK or IDCANCEL.
    INT_PTR RunModal();
    // The chosen bare file name; empty after Cancel.
    const std::wstring& ChosenFile() const { return m_chosenFile; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnInitDialog();
    void OnOK();
    void OnDblclkFileList();

    HWND m_owner;
    int m_captionId;
    std::wstring m_pattern;
    HWND m_window = nullptr;
    std::wstring m_chosenFile;
    std::vector<std::wstring> m_fileNames;  // in the order the folder search gave them
};

}  // namespace rw::win32
