// The subcommands of routewright-cli: each group adds itself to the application and, when chosen on the
// command line, leaves the work to run after parsing in the shared CommandRun.
#pragma once

#include <functional>

#include <CLI/CLI.hpp>

namespace rw::cli {

// Runs the chosen subcommand and returns the process exit status (ExitStatus in CliOutput.h).
using CommandRun = std::function<int()>;

void AddScenarioCommands(CLI::App& app, CommandRun& run);
void AddCityCommands(CLI::App& app, CommandRun& run);
void AddRouteCommand(CLI::App& app, CommandRun& run);
void AddCourseCommand(CLI::App& app, CommandRun& run);
void AddRenderCommand(CLI::App& app, CommandRun& run);
void AddRaceCommand(CLI::App& app, CommandRun& run);
void AddMakeCityCommand(CLI::App& app, CommandRun& run);
void AddMakeDemoCommand(CLI::App& app, CommandRun& run);

}  // namespace rw::cli
