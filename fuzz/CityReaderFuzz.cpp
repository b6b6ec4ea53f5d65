// Fuzz target: any bytes as a city file. A refused file leaves the map as it was; what the reader accepts,
// the city writer re-encodes and the reader reads back to the same layers.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <span>
#include <string>

#include <unistd.h>

#include "FuzzCheck.h"
#include "city/CityData.h"
#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "city/WriteCityFile.h"

using namespace rw;

namespace {

// The editor loads cities from files, so the bytes go through one: a scratch file per process, so parallel
// fuzzers do not collide.
std::string ScratchPath() {
    const char* shm = "/dev/shm";
    const std::string folder = access(shm, W_OK) == 0 ? shm : "/tmp";
    return folder + "/rw-fuzz-city-" + std::to_string(getpid()) + ".urb";
}

}  // namespace

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
    static const std::string path = ScratchPath();
    static const std::string baseName = city::CityBaseName(path);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const std::uint64_t generation = first.Generation();
    const bool loaded = city::LoadCityFile(first, path);
    std::remove(path.c_str());
    if (!loaded) {
        RW_FUZZ_CHECK(first.Generation() == generation);
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
