// The editor's application object: runs the main window once and ends.
#pragma once

#include <QApplication>

namespace rw::app {

class EditorApp : public QApplication {
    Q_OBJECT
  public:
    EditorApp(int& argc, char** argv);

    // Runs the editor window modally over the game folder (the executable's folder) and returns false
    // when it closes: the program then ends without a message loop of its own.
    bool InitInstance();
};

}  // namespace rw::app
