// The About box has no behaviour of its own: OK and Cancel end it.
#include "AboutDlg.h"

#include "ResourceIds.h"

namespace rw::win32 {

namespace {

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void AboutDlg::Run(HWND owner) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(RW_IDD_ABOUT), owner, &AboutProc, 0);
}

}  // namespace rw::win32
