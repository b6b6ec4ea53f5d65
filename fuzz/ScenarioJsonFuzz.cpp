// Fuzz target: any bytes as the JSON input of `scenario build`. A document the tool accepts is built into a
// scenario file, dumped again, and gives the same document: every member it named with the value it gave,
// modulo the reader's normalisations.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "FuzzCheck.h"
#include "MemoryFileSystem.h"
#include "ScenarioRoundTrip.h"
#include "cli/JsonInput.h"
#include "cli/ScenarioElementCost.h"
#include "scenario/ReadScenario.h"
#include "scenario/ScenarioJson.h"
#include "scenario/WriteScenario.h"

using namespace rw;
using Json = nlohmann::ordered_json;

namespace {

// True when full holds every member of partial with an equal value (objects by key, arrays element-wise).
bool Covers(const Json& full, const Json& partial) {
    if (partial.is_object()) {
        if (!full.is_object()) {
            return false;
        }
        for (const auto& [key, value] : partial.items()) {
            if (!full.contains(key) || !Covers(full.at(key), value)) {
                return false;
            }
        }
        return true;
    }
    if (partial.is_array()) {
        if (!full.is_array() || full.size() != partial.size()) {
            return false;
        }
        for (std::size_t i = 0; i < partial.size(); ++i) {
            if (!Covers(full.at(i), partial.at(i))) {
                return false;
            }
        }
        return true;
    }
    return full == partial;
}

// The tool reads its input from a file; one scratch file per process, so parallel fuzzers do not collide.
std::string ScratchPath() {
    const char* shm = "/dev/shm";
    const std::string folder = access(shm, W_OK) == 0 ? shm : "/tmp";
    return folder + "/rw-fuzz-json-" + std::to_string(getpid()) + ".json";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = ScratchPath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Json doc;
    std::string error;
    const int status = cli::ReadJsonFile(path, doc, error, cli::ScenarioElementCost);
    std::remove(path.c_str());
    if (status != 0) {
        RW_FUZZ_CHECK(!error.empty());
        return 0;
    }
    scenario::Scenario built;
    if (!scenario::ScenarioFromJson(doc, built, error)) {
        RW_FUZZ_CHECK(!error.empty() && built == scenario::Scenario{});
        return 0;
    }
    const Json shown = scenario::ScenarioToJson(built);
    RW_FUZZ_CHECK(Covers(shown, doc));

    fuzz::MemoryFileSystem fs;
    const res::ScopedFileSystem scope(fs);
    RW_FUZZ_CHECK(scenario::WriteScenario(built, "built.scn"));
    if (!fuzz::FitsReaderWalk(built)) {
        return 0;
    }
    scenario::Scenario dumped;
    RW_FUZZ_CHECK(scenario::ReadScenario(dumped, "built.scn"));
    const scenario::Scenario expected = fuzz::ExpectedAfterRoundTrip(built);
    RW_FUZZ_CHECK(dumped == expected);

    // The dump, printed and parsed again, builds the same document.
    const Json printed = Json::parse(scenario::ScenarioToJson(dumped).dump());
    scenario::Scenario rebuilt;
    RW_FUZZ_CHECK(scenario::ScenarioFromJson(printed, rebuilt, error));
    RW_FUZZ_CHECK(rebuilt == expected);
    return 0;
}
