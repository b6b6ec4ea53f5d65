// The Windows editor's entry point: one modal window, then the program ends.
// windows.h first: the common control and dialog headers build on it.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "CourseEditorDlg.h"
#include "GameFolder.h"
#include "StartConsole.h"
#include "Utf16.h"
#include "Win32EditorHost.h"
#include "editor/EditorCommandLine.h"

namespace {

// A refusal goes where the command line came from; started from Explorer there is no console, so a box says
// it.
int Refuse(const std::string& text) {
    if (!rw::win32::WriteToStarter(text, true)) {
        MessageBoxW(nullptr, rw::win32::Widen(text).c_str(), L"Routewright", MB_OK | MB_ICONEXCLAMATION);
    }
    return rw::editor::kExitUsage;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const auto start = rw::editor::ParseEditorCommandLine(rw::win32::CommandLineArguments());
    switch (start.action) {
        case rw::editor::StartAction::ShowHelp:
        case rw::editor::StartAction::ShowVersion:
            rw::win32::WriteToStarter(start.text, false);
            return 0;
        case rw::editor::StartAction::Refuse:
            return Refuse(start.text);
        case rw::editor::StartAction::Run:
            break;
    }
    std::string gameFolder = rw::win32::GameFolder();
    if (start.gameFolder) {
        const auto folder = rw::win32::FullFolderPath(*start.gameFolder);
        if (!folder) {
            return Refuse("routewright: " + *start.gameFolder + ": not a folder\n");
        }
        gameFolder = *folder;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    rw::win32::Win32EditorHost host;
    rw::win32::CourseEditorDlg window(host, gameFolder);
    host.SetWindow(&window);
    window.RunModal();
    return 0;
}
