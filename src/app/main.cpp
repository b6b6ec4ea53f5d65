// The editor program's entry point.
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "EditorApp.h"
#include "editor/EditorCommandLine.h"

// --help and --version are answered before the application object exists: they need no display (help2man
// runs them at build time, where there is none). Running out of memory for the city's blocks at start-up
// ends the program here, the one place that does.
int main(int argc, char** argv) {
    const std::vector<std::string> rawArguments(argv + 1, argv + argc);
    const auto early = rw::editor::ParseEditorCommandLine(rawArguments);
    if (early.action == rw::editor::StartAction::ShowHelp ||
        early.action == rw::editor::StartAction::ShowVersion) {
        std::fputs(early.text.c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    try {
        rw::app::EditorApp app(argc, argv);
        return app.Run();
    } catch (const std::bad_alloc&) {
        std::fputs("Out of memory\n", stderr);
        return 1;
    }
}
