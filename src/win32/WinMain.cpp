// The Windows editor's entry point: one modal window, then the program ends.
// windows.h first: the common control and dialog headers build on it.
#include <windows.h>

#include <commctrl.h>

#include "CourseEditorDlg.h"
#include "GameFolder.h"
#include "Win32EditorHost.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    rw::win32::Win32EditorHost host;
    rw::win32::CourseEditorDlg window(host, rw::win32::GameFolder());
    host.SetWindow(&window);
    window.RunModal();
    return 0;
}
