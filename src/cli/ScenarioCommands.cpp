// `scenario dump` and `scenario build`: a scenario file to JSON and back, through the editor's reader and
// writer.
#include <memory>
#include <string>

#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/JsonInput.h"
#include "scenario/ReadScenario.h"
#include "scenario/ScenarioJson.h"
#include "scenario/WriteScenario.h"

namespace rw::cli {

namespace {

int Dump(const std::string& path) {
    scenario::Scenario s;
    if (!scenario::ReadScenario(s, path)) {
        return Fail(kExitFileFailed, path, "cannot read it as a scenario file");
    }
    return PrintJson(scenario::ScenarioToJson(s));
}

int Build(const std::string& in, const std::string& out) {
    nlohmann::ordered_json doc;
    std::string error;
    if (int status = ReadJsonFile(in, doc, error); status != kExitSuccess) {
        return Fail(status, in, error);
    }
    scenario::Scenario s;
    if (!scenario::ScenarioFromJson(doc, s, error)) {
        return Fail(kExitUsage, in, error);
    }
    if (!scenario::WriteScenario(s, out)) {
        return Fail(kExitFileFailed, out, "cannot write the scenario file");
    }
    return kExitSuccess;
}

}  // namespace

void AddScenarioCommands(CLI::App& app, CommandRun& run) {
    CLI::App* group = app.add_subcommand("scenario", "Scenario files as JSON and back");
    group->require_subcommand(1);

    auto dumpFile = std::make_shared<std::string>();
    CLI::App* dump = group->add_subcommand(
        "dump", "Print a scenario file as one JSON object whose keys are the scenario's members");
    dump->add_option("FILE", *dumpFile, "Scenario file (.scn)")->required();
    dump->callback([&run, dumpFile] { run = [dumpFile] { return Dump(*dumpFile); }; });

    auto buildIn = std::make_shared<std::string>();
    auto buildOut = std::make_shared<std::string>();
    CLI::App* build = group->add_subcommand(
        "build",
        "Write a scenario file from a JSON object in the form `scenario dump` prints. Missing keys keep the "
        "defaults; the whole input is checked before anything is written");
    build->add_option("IN", *buildIn, "JSON input")->required();
    build->add_option("OUT", *buildOut, "Scenario file to write (.scn)")->required();
    build->callback(
        [&run, buildIn, buildOut] { run = [buildIn, buildOut] { return Build(*buildIn, *buildOut); }; });
}

}  // namespace rw::cli
