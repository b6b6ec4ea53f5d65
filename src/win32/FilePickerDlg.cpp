// The file picker: a folder search listed in a sorted list box whose item data keep the search's order.
#include "FilePickerDlg.h"

#include <utility>

#include "ResourceIds.h"
#include "ResourceString.h"

namespace rw::win32 {

FilePickerDlg::FilePickerDlg(HWND owner, int captionId, std::wstring pattern)
    : m_owner(owner), m_captionId(captionId), m_pattern(std::move(pattern)) {}

INT_PTR FilePickerDlg::RunModal() {
    m_chosenFile.clear();
    m_fileNames.clear();
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(RW_IDD_FILE_PICKER), m_owner,
                           &DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK FilePickerDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<FilePickerDlg*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        self->m_window = window;
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<FilePickerDlg*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || message != WM_COMMAND) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
        case IDOK:
            self->OnOK();
            return TRUE;
        case IDCANCEL:
            self->m_chosenFile.clear();
            EndDialog(window, IDCANCEL);
            return TRUE;
        case RW_IDC_FILE_LIST:
            if (HIWORD(wParam) == LBN_DBLCLK) {
                self->OnDblclkFileList();
            }
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL FilePickerDlg::OnInitDialog() {
    SetWindowTextW(m_window, ResourceString(m_captionId).c_str());
    HWND list = GetDlgItem(m_window, RW_IDC_FILE_LIST);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(m_pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const LRESULT row =
                SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
            if (row >= 0) {
                SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(row),
                             static_cast<LPARAM>(m_fileNames.size()));
            }
            m_fileNames.emplace_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    if (m_fileNames.empty()) {
        EnableWindow(GetDlgItem(m_window, IDOK), FALSE);
    }
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    // The platform puts the focus on the first tab stop: OK, or Cancel when OK is disabled.
    return TRUE;
}

void FilePickerDlg::OnOK() {
    const LRESULT row = SendDlgItemMessageW(m_window, RW_IDC_FILE_LIST, LB_GETCURSEL, 0, 0);
    m_chosenFile.clear();
    if (row != LB_ERR) {
        const auto index = static_cast<std::size_t>(
            SendDlgItemMessageW(m_window, RW_IDC_FILE_LIST, LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
        if (index < m_fileNames.size()) {
            m_chosenFile = m_fileNames[index];
        }
    }
    EndDialog(m_window, IDOK);
}

void FilePickerDlg::OnDblclkFileList() {
    if (!m_fileNames.empty()) {
        OnOK();
    }
}

}  // namespace rw::win32
