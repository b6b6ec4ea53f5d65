// The editor's application object.
#include "EditorApp.h"

#include "ui/ApplicationIcon.h"
#include "ui/CourseEditorDlg.h"
#include "ui/GameFolder.h"
#include "ui/QtEditorHost.h"
#include "ui/SystemMenuAbout.h"

namespace rw::app {

EditorApp::EditorApp(int& argc, char** argv) : QApplication(argc, argv) {
    setWindowIcon(rw::ui::ApplicationIcon());
}

bool EditorApp::InitInstance() {
    rw::ui::QtEditorHost host;
    rw::ui::CourseEditorDlg window(host, rw::ui::GameFolder());
    host.SetWindow(&window);
    // Where there is no system menu, F1 and the window's context menu open the About box instead.
    const auto aboutEntry = rw::ui::SystemMenuAbout::Install(
        window, [&window](unsigned int command) { window.Editor().OnSysCommand(command); });
    window.exec();
    return false;
}

}  // namespace rw::app
