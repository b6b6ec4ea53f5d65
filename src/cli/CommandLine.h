// Running routewright-cli's command line.
#pragma once

namespace rw::cli {

// Parses argv (argv[0] the program) and runs the subcommand; the exit status, errors written to stderr and
// documents to stdout. Never throws.
int RunCommandLine(int argc, char** argv);

}  // namespace rw::cli
