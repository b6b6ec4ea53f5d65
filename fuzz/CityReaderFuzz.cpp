// Fuzz target: any bytes as a city file. A refused file leaves the map as it was; what the reader accepts,
// the city writer re-encodes and the reader reads back to the same layers.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "MemoryFileSystem.h"
#include "city/CityData.h"
#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "city/WriteCityFile.h"
#include "res/FileSystem.h"
#include "support/FaultInjectingFileSystem.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The maps live across inputs: making one allocates every city block, which would dominate the run.
    static city::CityMap first;
    static city::CityMap second;
    // A fresh map's MISC record is all zeros, which no file may hold (word 0 must be 290); a file without a
    // MISC chunk would keep it and the writer would write a record the reader refuses. Start from a valid
    // record instead: no accepted file can bring the zeros back.
    static const bool primed = [] {
        const auto blank = std::make_unique<city::CityData>();
        first.Replace(*blank, {});
        second.Replace(*blank, {});
        return true;
    }();
    RW_FUZZ_CHECK(primed);
    static auto after = std::make_unique<city::CityData>();
    static auto again = std::make_unique<city::CityData>();

    // A refused file leaves the map untouched; the generation tells, without comparing 200 KB per input (the
    // corruption sweep in the tests compares the contents).
    // The editor loads cities from files, so the bytes go through one, held in memory by the file seam.
    static const std::string path = "fuzz.urb";
    static const std::string baseName = city::CityBaseName(path);
    fuzz::MemoryFileSystem fs;
    const res::ScopedFileSystem scope(fs);
    fs.Put(path, std::vector<std::uint8_t>(data, data + size));
    const std::uint64_t generation = first.Generation();
    // First with one file call failing, picked by the input (the open, the length or the read; a file as
    // short as a fuzz input is read in one call): a failed call fails the load with the system's reason,
    // leaving the map and no handle open.
    {
        support::FaultInjectingFileSystem failing(fs);
        failing.FailAtCall(static_cast<int>(size % 3) + 1);
        const res::ScopedFileSystem faultScope(failing);
        const res::FileResult faulted = city::LoadCityFileResult(first, path);
        RW_FUZZ_CHECK(failing.Injected() == 0 || (!faulted && first.Generation() == generation));
        RW_FUZZ_CHECK(fs.OpenHandles() == 0);
    }
    const res::FileResult loaded = city::LoadCityFileResult(first, path);
    RW_FUZZ_CHECK(fs.OpenHandles() == 0);
    if (!loaded) {
        // A refusal says why, and blames a byte of the file.
        RW_FUZZ_CHECK(first.Generation() == generation);
        RW_FUZZ_CHECK(loaded.status == res::FileStatus::WrongKind && !loaded.message.empty());
        RW_FUZZ_CHECK(loaded.offset >= 0 && static_cast<std::size_t>(loaded.offset) <= size);
        return 0;
    }
    first.CopyTo(*after);
    RW_FUZZ_CHECK(!after->name.empty() || first.Name().empty());
    RW_FUZZ_CHECK(after->name.size() <= 32);

    const auto encoded = city::EncodeCityFile(*after);
    RW_FUZZ_CHECK(city::LoadCityBytes(second, encoded, baseName));
    second.CopyTo(*again);
    // A city whose name chunk holds an empty name is written without one and so comes back with the file's
    // base name; everything else must come back as it was.
    if (after->name.empty()) {
        RW_FUZZ_CHECK(again->name == baseName);
        again->name.clear();
    }
    RW_FUZZ_CHECK(*again == *after);
    for (int i = 0; i < 16; ++i) {
        RW_FUZZ_CHECK(second.GraphMax(i) == first.GraphMax(i));
    }
    return 0;
}
