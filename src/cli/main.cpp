// routewright-cli: the command-line companion of the editor.
#include "cli/CommandLine.h"
#include "cli/Utf8Arguments.h"

int main(int argc, char** argv) {
    rw::cli::Utf8Arguments arguments(argc, argv);
    return rw::cli::RunCommandLine(arguments.Count(), arguments.Values());
}
