// The editor program's entry point.
#include "EditorApp.h"

int main(int argc, char** argv) {
    rw::app::EditorApp app(argc, argv);
    app.InitInstance();
    return 0;
}
