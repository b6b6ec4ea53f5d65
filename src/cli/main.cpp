// routewright-cli: parses the command line with CLI11 and runs the chosen subcommand.
#include <exception>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/Utf8Arguments.h"

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

int main(int argc, char** argv) {
    CLI::App app{
        "Routewright's command-line companion: inspects and builds Vortane scenario files, inspects "
        "and generates city files, finds routes and renders course maps.",
        "routewright-cli"};
    app.require_subcommand(1);
    app.fallthrough(false);

    rw::cli::CommandRun run;
    rw::cli::AddScenarioCommands(app, run);
    rw::cli::AddCityCommands(app, run);
    rw::cli::AddRouteCommand(app, run);
    rw::cli::AddCourseCommand(app, run);
    rw::cli::AddRenderCommand(app, run);
    rw::cli::AddRaceCommand(app, run);
    rw::cli::AddMakeCityCommand(app, run);
    rw::cli::AddMakeDemoCommand(app, run);

    try {
        rw::cli::Utf8Arguments arguments(argc, argv);
        app.parse(arguments.Count(), arguments.Values());
    } catch (const CLI::ParseError& e) {
        // --help is reported through the same exception with a success code; everything else is a usage
        // error.
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            return app.exit(e);
        }
        const CLI::App* at = DeepestParsed(app);
        return rw::cli::Fail(rw::cli::kExitUsage, CommandPath(app, at), Explain(e, at));
    }
    if (!run) {
        return rw::cli::kExitUsage;
    }
    try {
        return run();
    } catch (const std::exception& e) {
        // The core reports failures as results; this only keeps a surprise from ending in an abort.
        return rw::cli::Fail(rw::cli::kExitFileFailed, CommandPath(app, DeepestParsed(app)), e.what());
    }
}
