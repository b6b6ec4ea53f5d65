// Fuzz target: any bytes as a scenario file. What the reader accepts, the writer writes and the reader reads
// back to the same Scenario (modulo the reader's normalisations).
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "MemoryFileSystem.h"
#include "ScenarioRoundTrip.h"
#include "scenario/ReadScenario.h"
#include "scenario/WriteScenario.h"
#include "support/FaultInjectingFileSystem.h"

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

// The read again with call n failing: it may end early or fail, but must neither crash nor leak a handle.
void ReadUnderFault(fuzz::MemoryFileSystem& fs, int n) {
    support::FaultInjectingFileSystem failing(fs);
    failing.FailAtCall(n);
    {
        const res::ScopedFileSystem scope(failing);
        scenario::Scenario s;
        scenario::ReadScenario(s, "in.scn");
    }
    RW_FUZZ_CHECK(failing.Injected() == 1 && fs.OpenHandles() == 0);
}

// The save again over the earlier output with call n failing: it must report false and leave every file as it
// was, with no temporary file and no open handle.
void SaveUnderFault(fuzz::MemoryFileSystem& fs, const scenario::Scenario& document, int n) {
    const auto paths = fs.Paths();
    const auto before = fs.Get("out.scn");
    support::FaultInjectingFileSystem failing(fs);
    failing.FailAtCall(n);
    bool saved = true;
    {
        const res::ScopedFileSystem scope(failing);
        saved = scenario::WriteScenario(document, "out.scn");
    }
    RW_FUZZ_CHECK(failing.Injected() == 1 && !saved);
    RW_FUZZ_CHECK(fs.Paths() == paths && fs.Get("out.scn") == before && fs.OpenHandles() == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::MemoryFileSystem fs;
    // Counts the calls of the clean read and save, so that the faulted ones can pick any of them.
    support::FaultInjectingFileSystem counting(fs);
    const res::ScopedFileSystem scope(counting);
    fs.Put("in.scn", std::vector<std::uint8_t>(data, data + size));

    scenario::Scenario first;
    const bool read = scenario::ReadScenario(first, "in.scn");
    RW_FUZZ_CHECK(fs.OpenHandles() == 0);
    ReadUnderFault(fs, PickCall(data, size, counting.TotalCount(), 1));
    if (!read) {
        // A file refused for its type is refused before any chunk: only the reader's resets show.
        const bool vtsn =
            size >= 16 && data[12] == 'N' && data[13] == 'S' && data[14] == 'T' && data[15] == 'V';
        RW_FUZZ_CHECK(vtsn || (first.name == "Unnamed Scenario" && first.introText.empty() &&
                               first.eventTriggers.empty() && first.checkpoints.empty()));
        return 0;
    }

    counting.Reset();
    RW_FUZZ_CHECK(scenario::WriteScenario(first, "out.scn"));
    RW_FUZZ_CHECK(fs.Paths() == (std::vector<std::string>{"in.scn", "out.scn"}));
    RW_FUZZ_CHECK(fs.OpenHandles() == 0);
    SaveUnderFault(fs, first, PickCall(data, size, counting.TotalCount(), 2));
    if (!fuzz::FitsReaderWalk(first)) {
        return 0;
    }

    // Read back, the saved document is the one read, normalised; and a normalised document is a fixed point
    // (its own expected value), so reading back once is enough.
    scenario::Scenario second;
    RW_FUZZ_CHECK(scenario::ReadScenario(second, "out.scn"));
    const scenario::Scenario expected = fuzz::ExpectedAfterRoundTrip(first);
    RW_FUZZ_CHECK(second == expected && fuzz::ExpectedAfterRoundTrip(expected) == expected);
    return 0;
}
