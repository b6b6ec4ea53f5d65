// Helper of the end-to-end test: where the editor's controls sit, road tiles of a city, a saved race's facts.
//
//   EndToEndHelper geometry                     control positions in the window, as NAME_X=.. lines
//   EndToEndHelper make-city OUT.urb            a generated city, for when the CLI is not built
//   EndToEndHelper roads CITY.urb X,Y [X,Y...]  the road tile nearest to each target, "X,Y" per line
//   EndToEndHelper dump FILE.scn                name, city file and checkpoints of a scenario
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

#include "support/EndToEndFiles.h"

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
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "geometry") {
        return Geometry(argc, argv);
    }
    if (const auto status = rw::support::RunFileCommand(argc, argv)) {
        return *status;
    }
    std::fprintf(stderr, "usage: EndToEndHelper geometry | make-city OUT | roads CITY X,Y... | dump FILE\n");
    return 2;
}
