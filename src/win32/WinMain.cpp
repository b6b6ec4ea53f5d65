// The Windows editor's entry point: one modal window, then the program ends.
// windows.h first: the common control and dialog headers build on it.
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>

#include "CourseEditorDlg.h"
#include "GameFolder.h"
#include "StartConsole.h"
#include "Utf16.h"
#include "Win32EditorHost.h"
#include "Win32GameFolderHost.h"
#include "editor/EditorCommandLine.h"
#include "editor/GameFolderChoice.h"

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
    std::optional<std::string> argument;
    if (start.gameFolder) {
        // Made absolute here: the game is later started with the game folder as its working folder.
        argument = rw::win32::FullPath(*start.gameFolder);
    }
    rw::win32::Win32GameFolderHost folders;
    const auto choice = rw::editor::ChooseGameFolder(argument, rw::win32::GameFolder(), folders);
    switch (choice.outcome) {
        case rw::editor::GameFolderOutcome::NotAFolder:
            return Refuse("routewright: " + *start.gameFolder + ": not a folder\n");
        case rw::editor::GameFolderOutcome::Cancelled:
            return 0;
        case rw::editor::GameFolderOutcome::Found:
            break;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    rw::win32::Win32EditorHost host;
    rw::win32::CourseEditorDlg window(host, choice.folder);
    host.SetWindow(&window);
    window.RunModal();
    return 0;
}
