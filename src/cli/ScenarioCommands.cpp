// `scenario dump` and `scenario build`: a scenario file to JSON and back, through the editor's reader and
// writer.
#include <cstddef>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/JsonInput.h"
#include "cli/ScenarioElementCost.h"
#include "res/DiskFile.h"
#include "scenario/ReadScenario.h"
#include "scenario/ScenarioJson.h"
#include "scenario/WriteScenario.h"

namespace rw::cli {

namespace {

int Dump(const std::string& path) {
    scenario::Scenario s;
    if (const res::FileResult read = scenario::ReadScenarioResult(s, path); !read) {
        return Fail(kExitFileFailed, path, res::Describe(read));
    }
    // Streamed: the text of a large scenario is never held whole.
    scenario::WriteScenarioJson(s, std::cout);
    return EndOutput();
}

int Build(const std::string& in, const std::string& out) {
    // A FIFO or a device would have the JSON reader wait or read for ever.
    if (const res::FileResult regular = res::CheckRegularFile(in); !regular) {
        return Fail(kExitFileFailed, in, res::Describe(regular));
    }
    nlohmann::ordered_json doc;
    const DismantleOnExit teardown(doc);
    std::string error;
    if (int status = ReadJsonFile(in, doc, error, ScenarioElementCost); status != kExitSuccess) {
        return Fail(status, in, error);
    }
    scenario::Scenario s;
    if (!scenario::ScenarioFromJson(doc, s, error)) {
        return Fail(kExitUsage, in, error);
    }
    if (const res::FileResult written = scenario::WriteScenarioResult(s, out); !written) {
        return Fail(kExitFileFailed, out, res::Describe(written));
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
