// routewright-cli: the command-line companion of the editor.
#include "cli/CommandLine.h"

int main(int argc, char** argv) {
    return rw::cli::RunCommandLine(argc, argv);
}
