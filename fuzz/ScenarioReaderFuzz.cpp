// Fuzz target: any bytes as a scenario file. What the reader accepts, the writer writes and the reader reads
// back to the same Scenario (modulo the reader's normalisations).
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "MemoryFileSystem.h"
#include "ScenarioRoundTrip.h"
#include "scenario/ReadScenario.h"
#include "scenario/WriteScenario.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::MemoryFileSystem fs;
    const scenario::ScopedFileSystem scope(fs);
    fs.Put("in.scn", std::vector<std::uint8_t>(data, data + size));

    scenario::Scenario first;
    const bool read = scenario::ReadScenario(first, "in.scn");
    RW_FUZZ_CHECK(fs.OpenHandles() == 0);
    if (!read) {
        // A file refused for its type is refused before any chunk: only the reader's resets show.
        const bool vtsn =
            size >= 16 && data[12] == 'N' && data[13] == 'S' && data[14] == 'T' && data[15] == 'V';
        RW_FUZZ_CHECK(vtsn || (first.name == "Unnamed Scenario" && first.introText.empty() &&
                               first.eventTriggers.empty() && first.checkpoints.empty()));
        return 0;
    }

    RW_FUZZ_CHECK(scenario::WriteScenario(first, "out.scn"));
    RW_FUZZ_CHECK(fs.Paths() == (std::vector<std::string>{"in.scn", "out.scn"}));
    RW_FUZZ_CHECK(fs.OpenHandles() == 0);
    if (!fuzz::FitsReaderWalk(first)) {
        return 0;
    }

    scenario::Scenario second;
    RW_FUZZ_CHECK(scenario::ReadScenario(second, "out.scn"));
    RW_FUZZ_CHECK(second == fuzz::ExpectedAfterRoundTrip(first));

    // Once normalised, a document is a fixed point of writing and reading.
    RW_FUZZ_CHECK(scenario::WriteScenario(second, "again.scn"));
    scenario::Scenario third;
    RW_FUZZ_CHECK(scenario::ReadScenario(third, "again.scn"));
    RW_FUZZ_CHECK(third == second);
    return 0;
}
