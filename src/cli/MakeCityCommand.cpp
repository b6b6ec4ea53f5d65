// `make-city`: a synthetic city file from the generator, written with the city file writer.
#include <memory>
#include <string>

#include "city/CityGenerator.h"
#include "city/WriteCityFile.h"
#include "cli/ArgumentChecks.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "scenario/Windows1252.h"

namespace rw::cli {

namespace {

constexpr std::size_t kMaxCityName = 32;  // what a city's name block holds

struct MakeCityArgs {
    std::string out;
    std::uint64_t seed = 1;
    std::string name = city::CityGeneratorOptions{}.name;
    std::string roads = "normal";
};

int MakeCity(const MakeCityArgs& a) {
    const auto name = scenario::Utf8ToWindows1252(a.name);
    if (!name) {
        return Fail(kExitUsage, "--name", "holds a character windows-1252 cannot encode");
    }
    if (name->size() > kMaxCityName) {
        return Fail(kExitUsage, "--name", "longer than 32 characters");
    }
    city::CityGeneratorOptions options;
    options.seed = a.seed;
    options.name = *name;
    options.roads = a.roads == "sparse"  ? city::RoadDensity::Sparse
                    : a.roads == "dense" ? city::RoadDensity::Dense
                                         : city::RoadDensity::Normal;
    const auto data = std::make_unique<city::CityData>(city::GenerateCity(options));
    if (const res::FileResult written = city::WriteCityFileResult(*data, a.out); !written) {
        return Fail(kExitFileFailed, a.out, res::Describe(written));
    }
    return kExitSuccess;
}

}  // namespace

void AddMakeCityCommand(CLI::App& app, CommandRun& run) {
    auto args = std::make_shared<MakeCityArgs>();
    CLI::App* cmd = app.add_subcommand(
        "make-city",
        "Write a synthetic city file: terrain, a river, zones, buildings and a road network joined "
        "by a tunnel. The same seed and options give the same file");
    cmd->add_option("-o,--output", args->out, "City file to write (.urb)")->required();
    cmd->add_option("--seed", args->seed, "Generator seed, a non-negative integer")
        ->capture_default_str()
        ->transform(UnsignedInteger());
    cmd->add_option("--name", args->name, "City name, at most 32 characters")->capture_default_str();
    cmd->add_option("--roads", args->roads, "Road density: sparse, normal (default) or dense")
        ->transform(CLI::IsMember({"sparse", "normal", "dense"}, CLI::ignore_case));
    cmd->callback([&run, args] { run = [args] { return MakeCity(*args); }; });
}

}  // namespace rw::cli
