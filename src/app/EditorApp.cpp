// The editor's application object.
#include "EditorApp.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "editor/EditorCommandLine.h"
#include "editor/GameFolderChoice.h"
#include "ui/ApplicationIcon.h"
#include "ui/CourseEditorDlg.h"
#include "ui/GameFolder.h"
#include "ui/QtEditorHost.h"
#include "ui/QtGameFolderHost.h"
#include "ui/SystemMenuAbout.h"
#include "ui/UiText.h"

namespace rw::app {

EditorApp::EditorApp(int& argc, char** argv) : QApplication(argc, argv) {
    setWindowIcon(rw::ui::ApplicationIcon());
}

int EditorApp::Run() {
    std::vector<std::string> args;
    for (const QString& arg : arguments().mid(1)) {
        args.push_back(rw::ui::ToUtf8(arg));
    }
    const auto start = rw::editor::ParseEditorCommandLine(args);
    if (start.action == rw::editor::StartAction::Refuse) {
        std::fputs(start.text.c_str(), stderr);
        return rw::editor::kExitUsage;
    }
    std::optional<std::string> argument;
    if (start.gameFolder) {
        // Made absolute here: the game is later started with the game folder as its working folder.
        argument = rw::ui::ToUtf8(
            QDir::toNativeSeparators(QFileInfo(rw::ui::FromUtf8(*start.gameFolder)).absoluteFilePath()));
    }
    rw::ui::QtGameFolderHost folders;
    const auto choice = rw::editor::ChooseGameFolder(argument, rw::ui::GameFolder(), folders);
    switch (choice.outcome) {
        case rw::editor::GameFolderOutcome::NotAFolder:
            std::fprintf(stderr, "routewright: %s: not a folder\n", start.gameFolder->c_str());
            return rw::editor::kExitUsage;
        case rw::editor::GameFolderOutcome::Cancelled:
            return 0;
        case rw::editor::GameFolderOutcome::Found:
            break;
    }
    InitInstance(choice.folder);
    return 0;
}

bool EditorApp::InitInstance(const std::string& gameFolder) {
    rw::ui::QtEditorHost host;
    rw::ui::CourseEditorDlg window(host, gameFolder);
    host.SetWindow(&window);
    // Where there is no system menu, F1 and the window's context menu open the About box instead.
    const auto aboutEntry = rw::ui::SystemMenuAbout::Install(
        window, [&window](unsigned int command) { window.Editor().OnSysCommand(command); });
    window.exec();
    return false;
}

}  // namespace rw::app
