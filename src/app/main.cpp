// The editor program's entry point.
#include <cstdio>
#include <new>

#include "EditorApp.h"

// Running out of memory for the city's blocks at start-up ends the program here, the one place that does.
int main(int argc, char** argv) {
    try {
        rw::app::EditorApp app(argc, argv);
        app.InitInstance();
    } catch (const std::bad_alloc&) {
        std::fputs("Out of memory\n", stderr);
        return 1;
    }
    return 0;
}
