// The editor's application object: runs the main window once and ends.
#pragma once

#include <QApplication>

#include <string>

namespace rw::app {

class EditorApp : public QApplication {
    Q_OBJECT
  public:
    EditorApp(int& argc, char** argv);

    // Reads the command line left once Qt has taken its own options, finds the game folder (asking for it
    // when needed) and runs the editor there; the program's exit status.
    int Run();

    // Runs the editor window modally over gameFolder and returns false when it closes: the program then
    // ends without a message loop of its own.
    bool InitInstance(const std::string& gameFolder);
};

}  // namespace rw::app
