// Fuzz target: any bytes as a scenario file. What the reader accepts, the writer writes and the reader reads
// back to the same Scenario (modulo the reader's normalisations).
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "MemoryFileSystem.h"
#include "ScenarioRoundTrip.h"
#include "scenario/FaultInjectingFileSystem.h"
#include "scenario/ReadScenario.h"
#include "scenario/WriteScenario.h"

using namespace rw;

namespace {

// A call number from the input's bytes, so that each input always fails the same call.
int PickCall(const std::uint8_t* data, std::size_t size, int calls, unsigned salt) {
    unsigned hash = 2166136261u ^ salt;
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ data[i]) * 16777619u;
    }
    return calls > 0 ? static_cast<int>(hash % static_cast<unsigned>(calls)) + 1 : 1;
}

// The same read and a save again, with one file call failing: the read may end early or fail but must not
// crash or leak a handle; the save must fail and leave the files as they were, without a temporary file.
void CheckUnderFaults(fuzz::MemoryFileSystem& fs, const scenario::Scenario& document,
                      const std::uint8_t* data, std::size_t size) {
    scenario::FaultInjectingFileSystem counting(fs);
    {
        const scenario::ScopedFileSystem scope(counting);
        scenario::Scenario s;
        scenario::ReadScenario(s, "in.scn");
    }
    scenario::FaultInjectingFileSystem failing(fs);
    failing.FailAtCall(PickCall(data, size, counting.TotalCount(), 1));
    {
        const scenario::ScopedFileSystem scope(failing);
        scenario::Scenario s;
        scenario::ReadScenario(s, "in.scn");
    }
    RW_FUZZ_CHECK(failing.Injected() == 1 && fs.OpenHandles() == 0);

    const auto paths = fs.Paths();
    const auto before = fs.Get("out.scn");
    counting.Reset();
    {
        const scenario::ScopedFileSystem scope(counting);
        RW_FUZZ_CHECK(scenario::WriteScenario(document, "count.scn"));
    }
    fs.Remove("count.scn");
    failing.Reset();
    failing.FailAtCall(PickCall(data, size, counting.TotalCount(), 2));
    bool saved = true;
    {
        const scenario::ScopedFileSystem scope(failing);
        saved = scenario::WriteScenario(document, "out.scn");
    }
    RW_FUZZ_CHECK(failing.Injected() == 1 && !saved);
    RW_FUZZ_CHECK(fs.Paths() == paths && fs.Get("out.scn") == before && fs.OpenHandles() == 0);
}

}  // namespace

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
    CheckUnderFaults(fs, first, data, size);
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
