// Helper of the end-to-end test: where the editor's controls sit.
//
//   EndToEndHelper geometry    control positions in the window, as NAME_X=.. lines
//
// geometry runs the editor window's own layout on the same display and fonts as the editor under test,
// so the test clicks exactly where the editor draws its controls.
#include "ui/CourseEditorDlg.h"
#include "ui/QtEditorHost.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <string>

namespace {

int Geometry(int argc, char** argv) {
    QApplication app(argc, argv);
    rw::ui::QtEditorHost host;
    rw::ui::CourseEditorDlg window(host, (QDir::tempPath() + QDir::separator()).toStdString());
    host.SetWindow(&window);
    QTextStream out(stdout);
    const auto print = [&](const char* name, int id, bool centre) {
        const QWidget* control = window.Control(id);
        const QPoint origin = control->mapTo(&window, QPoint(0, 0));
        const QPoint at = centre ? origin + QPoint(control->width() / 2, control->height() / 2) : origin;
        out << name << "_X=" << at.x() << "\n" << name << "_Y=" << at.y() << "\n";
    };
    print("MAP", 1041, false);
    print("LOADCITY", 1022, true);
    print("TITLE", 1077, true);
    print("SAVE", 1009, true);
    print("ENTER", 1000, true);
    print("EXIT", 1109, true);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "geometry") {
        return Geometry(argc, argv);
    }
    std::fprintf(stderr, "usage: EndToEndHelper geometry\n");
    return 2;
}
