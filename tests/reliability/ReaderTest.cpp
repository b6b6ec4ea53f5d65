// What the readers make of damaged and hostile files: every seed file cut at every byte, and every value of
// every byte of its headers and chunk lengths, gives a clean result, never a crash, and never a request for
// more memory than the file could justify; files built to make the reader work hard.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "Support.h"
#include "city/CityData.h"
#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "res/ByteReader.h"
#include "scenario/ReadScenario.h"
#include "scenario/ScenarioTestFiles.h"

namespace rw::reliability {
namespace {

namespace tags = scenario::tags;
using scenario::testing::Chunk;
using scenario::testing::ScenarioFile;
using scenario::testing::U32;
using scenario::testing::Words;

struct SeedFile {
    std::string name;
    Bytes bytes;
};

Bytes Cut(const Bytes& bytes, std::size_t length) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

// Every byte of the header with every other value, and each chunk's 4-byte length at start + 4: its low byte
// (lowByte: 0 little-endian, 3 big-endian) with every other value, its high bytes, where most values mean the
// same (far past any seed's end), with their bit flips, 0x00 and 0xFF. f(offset, changed file).
template <class F>
void ForEachChange(const Bytes& file, const std::vector<std::size_t>& starts, std::size_t headerSize,
                   std::size_t lowByte, F f) {
    const auto sweep = [&](std::size_t at, bool every) {
        for (int v = 0; v < 256; ++v) {
            const int diff = v ^ file[at];
            if (diff != 0 && (every || (diff & (diff - 1)) == 0 || v == 0 || v == 255)) {
                Bytes changed = file;
                changed[at] = static_cast<std::uint8_t>(v);
                SCOPED_TRACE("byte " + std::to_string(at) + " = " + std::to_string(v));
                f(at, changed);
            }
        }
    };
    for (std::size_t i = 0; i < std::min(headerSize, file.size()); ++i) {
        sweep(i, true);
    }
    for (const std::size_t start : starts) {
        for (std::size_t i = 0; i < 4 && start + 4 + i < file.size(); ++i) {
            sweep(start + 4 + i, i == lowByte);
        }
    }
}

// A read of bytes as a scenario file, with the largest heap request it made.
struct ScenarioRead {
    bool ok = false;
    bool countRefused = false;
    bool outOfMemory = false;
    scenario::Scenario document;
    std::size_t largest = 0;
    std::size_t total = 0;
};

// With refuseAbove, as AllocationWatch.
ScenarioRead ReadScenarioBytes(const Bytes& bytes, std::size_t refuseAbove = 0) {
    fuzz::MemoryFileSystem fs;
    const res::ScopedFileSystem scope(fs);
    fs.Put("sweep.scn", bytes);
    ScenarioRead result;
    const AllocationWatch watch(refuseAbove);
    const res::FileResult read = scenario::ReadScenarioResult(result.document, "sweep.scn");
    result.ok = read.Ok();
    result.countRefused = read.message.find(" counts ") != std::string::npos;
    result.outOfMemory = read.status == res::FileStatus::OutOfMemory;
    result.largest = AllocationWatch::Largest();
    result.total = AllocationWatch::Total();
    EXPECT_EQ(fs.OpenHandles(), 0u);
    return result;
}

// A count is measured against every byte after it, those of a cut or refused chunk included, so there the
// two may differ.
void ExpectSameRead(const ScenarioRead& a, const ScenarioRead& b) {
    if (a.countRefused || b.countRefused) {
        return;
    }
    EXPECT_EQ(a.ok, b.ok);
    if (a.ok && b.ok) {
        EXPECT_EQ(a.document, b.document);
    }
}

// No single request beyond what the file holds, plus the fixed working set of one chunk's record.
constexpr std::size_t kScenarioSlack = 1024;

// Where a walk of a chunk file finds its chunks: the header's end, then the end of each whole chunk.
std::vector<std::size_t> ChunkBounds(const Bytes& file) {
    std::vector<std::size_t> bounds{scenario::kChunkFileHeaderSize};
    for (std::size_t at = bounds[0]; at + scenario::kChunkHeaderSize <= file.size();) {
        const auto length = static_cast<std::int32_t>(res::ByteReader::U32LEAt(file, at + 4).value());
        if (length < scenario::kChunkHeaderSize || at + static_cast<std::size_t>(length) > file.size()) {
            break;
        }
        bounds.push_back(at += static_cast<std::size_t>(length));
    }
    return bounds;
}

// The files of fuzz/corpus/<target> for each target, sorted by name, each distinct file once.
std::vector<SeedFile> Seeds(std::initializer_list<const char*> targets) {
    std::vector<SeedFile> seeds;
    for (const char* target : targets) {
        const std::filesystem::directory_iterator files(std::filesystem::path(RW_CORPUS_DIR) / target);
        for (const std::filesystem::path& file : std::set<std::filesystem::path>(begin(files), end(files))) {
            Bytes bytes = ReadFileBytes(file);
            if (std::none_of(seeds.begin(), seeds.end(),
                             [&](const SeedFile& s) { return s.bytes == bytes; })) {
                seeds.push_back({file.filename().string(), std::move(bytes)});
            }
        }
    }
    return seeds;
}

// A cut file reads as the chunks wholly before the cut: the cut chunk contributes nothing. Header bytes other
// than the file type (12..15) change nothing; a chunk length that the container refuses ends the read just
// before that chunk; any other length gives some document, but a clean one.
TEST(ScenarioSweep, EveryCutAndEveryValueOfHeaderAndLengthBytes) {
    for (const SeedFile& seed : Seeds({"scenario_reader", "chunk_walk"})) {
        SCOPED_TRACE(seed.name);
        const auto bounds = ChunkBounds(seed.bytes);
        std::vector<ScenarioRead> cuts;  // by length: the file cut there
        for (std::size_t length = 0; length <= seed.bytes.size(); ++length) {
            SCOPED_TRACE("cut at " + std::to_string(length));
            const ScenarioRead& cut = cuts.emplace_back(ReadScenarioBytes(Cut(seed.bytes, length)));
            EXPECT_LE(cut.largest, length + kScenarioSlack);
            if (length < 16) {
                EXPECT_FALSE(cut.ok);  // the file type word is not all there
            } else if (length > bounds[0] && !std::binary_search(bounds.begin(), bounds.end(), length)) {
                ExpectSameRead(cut, cuts[*std::prev(std::upper_bound(bounds.begin(), bounds.end(), length))]);
            }
        }
        const std::vector<std::size_t> starts(bounds.begin(), bounds.end() - 1);
        const ScenarioRead refused;
        ForEachChange(seed.bytes, starts, 28, 0, [&](std::size_t at, const Bytes& changed) {
            const ScenarioRead read = ReadScenarioBytes(changed);
            ASSERT_LE(read.largest, changed.size() + kScenarioSlack);
            if (at < 28) {
                ExpectSameRead(read, at >= 12 && at < 16 ? refused : cuts.back());
                return;
            }
            const std::size_t start = *std::prev(std::upper_bound(starts.begin(), starts.end(), at));
            const auto length =
                static_cast<std::int32_t>(res::ByteReader::U32LEAt(changed, start + 4).value());
            if (length < 8 ||
                static_cast<std::int64_t>(start) + length > static_cast<std::int64_t>(changed.size())) {
                ExpectSameRead(read, cuts[start]);
            }
        });
    }
}

// A failed city load must leave the map exactly as it was; no load may ask for more than the file plus the
// staged copy of one city.
bool LoadCity(city::CityMap& map, const Bytes& bytes) {
    const std::uint64_t generation = map.Generation();
    const AllocationWatch watch;
    const bool ok = city::LoadCityBytes(map, bytes, "sweep").Ok();
    EXPECT_LE(AllocationWatch::Largest(), bytes.size() + sizeof(city::CityData));
    if (!ok) {
        EXPECT_EQ(map.Generation(), generation);
    }
    return ok;
}

// A cut anywhere before the form's end is refused (a form that ends early is read up to its end); "FORM" and
// "MTDH" are checked byte for byte; every other change gives a clean result.
TEST(CitySweep, EveryCutAndEveryValueOfHeaderAndLengthBytes) {
    city::CityMap map;
    std::set<Bytes> bodies;
    for (const SeedFile& seed : Seeds({"city_reader"})) {
        SCOPED_TRACE(seed.name);
        LoadCity(map, seed.bytes);
        const auto loaded = std::make_unique<city::CityData>();
        const auto now = std::make_unique<city::CityData>();
        map.CopyTo(*loaded);
        const auto formEnd =
            8 + static_cast<std::size_t>(res::ByteReader::U32BEAt(seed.bytes, 4).value_or(0));
        for (std::size_t length = 0; length < seed.bytes.size(); ++length) {
            SCOPED_TRACE("cut at " + std::to_string(length));
            const bool ok = LoadCity(map, Cut(seed.bytes, length));
            EXPECT_TRUE(length >= formEnd || !ok);
            if (length % 101 == 0) {
                map.CopyTo(*now);
                ASSERT_EQ(*now, *loaded);
            }
        }
        // A seed whose chunks equal an earlier seed's differs only in its header, every value of which the
        // earlier seed's sweep has tried already.
        const auto bodyStart = seed.bytes.begin() + std::min<std::ptrdiff_t>(12, std::ssize(seed.bytes));
        if (!bodies.insert(Bytes(bodyStart, seed.bytes.end())).second) {
            continue;
        }
        std::vector<std::size_t> starts;  // tag, big-endian length, data, no padding
        for (std::size_t at = 12; at + 8 <= seed.bytes.size();
             at += 8 + res::ByteReader::U32BEAt(seed.bytes, at + 4).value()) {
            starts.push_back(at);
        }
        ForEachChange(seed.bytes, starts, 12, 3, [&](std::size_t at, const Bytes& changed) {
            const bool ok = LoadCity(map, changed);
            EXPECT_TRUE(!ok || (at >= 4 && at < 8) || at >= 12);
        });
    }
}

// Counts are trusted up to the file's size (a file cut after its count chunk still reads), so a read may ask
// for a fixed multiple of the file's size: one package per byte, plus a value word and a byte of payload copy
// per byte. Hostile files whose every count alone is within the file's size, but all together would make the
// work its square, are refused within that: (a) many events each claiming as many values as the file has
// bytes, (b) count chunks repeated, each replacing its list with as many elements as the file has bytes.
TEST(ReaderLimits, AllCountsShareOneBudget) {
    constexpr std::size_t kMemoryPerFileByte = sizeof(scenario::Package) + 4 + 4;
    constexpr std::uint32_t kEvents = 600, kCounts = 400;
    const std::uint32_t eventFileSize = 28 + 12 + kEvents * (8 + 20), countFileSize = 28 + kCounts * 12;
    std::vector<Bytes> events(1 + kEvents, Chunk(tags::kEvent, Words({0, 0, 0, 0, eventFileSize - 100})));
    events[0] = Chunk(tags::kEventCount, U32(kEvents));
    std::vector<Bytes> counts;
    for (std::uint32_t i = 0; i < kCounts; ++i) {
        counts.push_back(Chunk(i % 2 == 0 ? tags::kPackageCount : tags::kEventCount, U32(countFileSize - 1)));
    }
    for (const auto& [file, size] : std::vector<std::pair<Bytes, std::uint32_t>>{
             {ScenarioFile(events), eventFileSize}, {ScenarioFile(counts), countFileSize}}) {
        ASSERT_EQ(file.size(), size);
        const ScenarioRead read = ReadScenarioBytes(file);
        EXPECT_FALSE(read.ok);
        EXPECT_LE(read.total, kMemoryPerFileByte * file.size());
    }
}

#ifndef _WIN32  // FIFOs, /dev/zero and sparse files are POSIX inputs
// Files made to hurt: each is refused (or read) with its reason and asks for no more memory
// than the bound for its size; running out of memory is a read's failure, not an exception.
TEST(HostileInputs, EachIsRefusedWithItsReasonInBoundedMemory) {
    constexpr std::size_t kSize = 64 * 1024;
    constexpr std::size_t kBound = (std::size_t{64} << 20) + 16 * kSize;  // 64 MB and 16 times the file
    for (const std::uint32_t count :
         {tags::kRacerCount, tags::kEventCount, tags::kCheckpointCount, tags::kPackageCount}) {
        // The largest count the rest of the file could hold, and one more.
        for (const std::uint32_t extra : {0u, 1u}) {
            const auto claim = static_cast<std::uint32_t>((kSize - 40) / 8 + extra);
            const ScenarioRead read = ReadScenarioBytes(ScenarioFile(
                {Chunk(count, U32(claim)), Chunk(tags::kName, Bytes(kSize - 28 - 12 - 8, 'p'))}));
            EXPECT_LE(read.total, kBound) << count << " " << extra;
            EXPECT_TRUE(extra == 0 || read.countRefused) << count;
        }
    }
    ScratchFolder folder;
    const std::string zeros = folder.Path("zeros.urb"), form = folder.Path("f.urb");
    std::filesystem::resize_file((WriteFileBytes(zeros, {}), zeros), std::uintmax_t{2} << 30);  // sparse
    // A form of 2 GB, 64 KB there.
    Bytes claim{'F', 'O', 'R', 'M', 0x7F, 0xFF, 0xFF, 0xFF, 'M', 'T', 'D', 'H'};
    claim.resize(kSize, 0x11);
    WriteFileBytes(form, claim);
    for (const auto& [path, reason] : {std::pair{zeros, "not a city file: no FORM at byte 0"},
                                       {form, "chunk ???? at byte 12 runs past the end of the file"}}) {
        const auto map = std::make_unique<city::CityMap>();
        const AllocationWatch watch;
        EXPECT_EQ(res::Describe(city::LoadCityFileResult(*map, path)), reason) << path;
        EXPECT_LE(AllocationWatch::Total(), 2 * kSize) << path;
    }
    // A scenario whose lists outgrow the memory there is.
    const Bytes lists =
        ScenarioFile({Chunk(tags::kCheckpointCount, U32(300)), Chunk(tags::kName, Bytes(2400, 'n'))});
    EXPECT_TRUE(ReadScenarioBytes(lists, 1000).outOfMemory);
}

#endif

}  // namespace
}  // namespace rw::reliability
