// The command line of routewright-cli: CLI11 parses it, and the chosen subcommand runs.
#include "cli/CommandLine.h"

#include <exception>
#include <new>
#include <string>

#include <CLI/CLI.hpp>

#include "Version.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"

namespace rw::cli {

namespace {

// The deepest subcommand the parser had reached (the application itself before any).
const CLI::App* DeepestParsed(const CLI::App& app) {
    const CLI::App* at = &app;
    while (!at->get_subcommands().empty()) {
        at = at->get_subcommands().front();
    }
    return at;
}

// "city tile" for that subcommand, "usage" for the application.
std::string CommandPath(const CLI::App& app, const CLI::App* at) {
    std::string path;
    for (; at != nullptr && at != &app; at = at->get_parent()) {
        path = path.empty() ? at->get_name() : at->get_name() + " " + path;
    }
    return path.empty() ? "usage" : path;
}

// CLI11 reports a misspelt subcommand as a missing one; name the word it did not know instead.
std::string Explain(const CLI::ParseError& e, const CLI::App* at) {
    const auto leftover = at->remaining();
    if (e.get_name() == "RequiredError" && !at->get_subcommands({}).empty() && !leftover.empty()) {
        const std::string& word = leftover.front();
        return (word.starts_with("-") ? "unknown option \"" : "unknown subcommand \"") + word +
               "\" (see --help)";
    }
    return std::string(e.what()) + " (see --help)";
}

}  // namespace

int RunCommandLine(int argc, char** argv) {
    CLI::App app{
        "Routewright's command-line companion: inspects and builds Vortane scenario files, inspects "
        "and generates city files, finds routes and renders course maps.",
        "routewright-cli"};
    app.set_version_flag("--version", "routewright-cli " + std::string(kVersion),
                         "Print the version and exit");
    app.require_subcommand(1);
    app.fallthrough(false);

    CommandRun run;
    AddScenarioCommands(app, run);
    AddCityCommands(app, run);
    AddRouteCommand(app, run);
    AddCourseCommand(app, run);
    AddRenderCommand(app, run);
    AddRaceCommand(app, run);
    AddMakeCityCommand(app, run);
    AddMakeDemoCommand(app, run);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version are reported through the same exception with a success code; everything
        // else is a usage error.
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            return app.exit(e);
        }
        const CLI::App* at = DeepestParsed(app);
        return Fail(kExitUsage, CommandPath(app, at), Explain(e, at));
    }
    if (!run) {
        return kExitUsage;
    }
    // Running out of memory ends the command here, at the edge, with its reason; the core reports its own
    // failures as results, so anything else caught is only kept from ending in an abort.
    try {
        return run();
    } catch (const std::bad_alloc&) {
        return Fail(kExitFileFailed, CommandPath(app, DeepestParsed(app)), "out of memory");
    } catch (const std::exception& e) {
        return Fail(kExitFileFailed, CommandPath(app, DeepestParsed(app)), e.what());
    }
}

}  // namespace rw::cli
