// Every seed file cut at every byte, and every value of every byte of its headers and chunk lengths: the
// readers give a clean result, never a crash, and never ask for more memory than the file could justify.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "AllocationWatch.h"
#include "MemoryFileSystem.h"
#include "TestFiles.h"
#include "city/CityData.h"
#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "res/ByteReader.h"
#include "scenario/ChunkFile.h"
#include "scenario/ReadScenario.h"

namespace rw::reliability {
namespace {

using scenario::Scenario;

// A read of bytes as a scenario file, with the largest heap request it made.
struct ScenarioRead {
    bool ok = false;
    Scenario document;
    std::size_t largest = 0;
};

ScenarioRead ReadScenarioBytes(const Bytes& bytes) {
    fuzz::MemoryFileSystem fs;
    const scenario::ScopedFileSystem scope(fs);
    fs.Put("sweep.scn", bytes);
    ScenarioRead result;
    const AllocationWatch watch;
    result.ok = scenario::ReadScenario(result.document, "sweep.scn");
    result.largest = watch.Largest();
    EXPECT_EQ(fs.OpenHandles(), 0u);
    return result;
}

Bytes Cut(const Bytes& bytes, std::size_t length) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

// A byte to change and the values to give it.
struct Change {
    std::size_t at = 0;
    std::vector<std::uint8_t> values;
};

// Every other value of a byte, or (for bytes where most values mean the same, the high bytes of a length that
// push it far past any seed's end) its eight single-bit flips and the values 0x00 and 0xFF.
std::vector<std::uint8_t> OtherValues(std::uint8_t original, bool every) {
    std::vector<std::uint8_t> values;
    if (every) {
        for (int v = 0; v < 256; ++v) {
            if (v != original) {
                values.push_back(static_cast<std::uint8_t>(v));
            }
        }
        return values;
    }
    for (int bit = 0; bit < 8; ++bit) {
        values.push_back(static_cast<std::uint8_t>(original ^ (1u << bit)));
    }
    for (const std::uint8_t v : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
        if (v != original && std::find(values.begin(), values.end(), v) == values.end()) {
            values.push_back(v);
        }
    }
    return values;
}

// Every byte of a file's header with all its other values, and the length of every chunk: its low byte with
// all other values, its other bytes with their bit flips. lowByte is 0 for little-endian lengths, 3 for
// big-endian.
std::vector<Change> HeaderAndLengthChanges(const Bytes& file, const std::vector<std::size_t>& starts,
                                           std::size_t headerSize, std::size_t lengthOffset,
                                           std::size_t lowByte) {
    std::vector<Change> changes;
    for (std::size_t i = 0; i < std::min(headerSize, file.size()); ++i) {
        changes.push_back({i, OtherValues(file[i], true)});
    }
    for (const std::size_t start : starts) {
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t at = start + lengthOffset + i;
            if (at < file.size()) {
                changes.push_back({at, OtherValues(file[at], i == lowByte)});
            }
        }
    }
    return changes;
}

// No single request beyond what the file holds, plus the fixed working set of one chunk's record.
constexpr std::size_t kScenarioSlack = 1024;

// The scenario files of both corpora, each distinct file once.
std::vector<SeedFile> ScenarioSeeds() {
    std::vector<SeedFile> seeds = Seeds("scenario_reader");
    for (SeedFile& more : Seeds("chunk_walk")) {
        if (std::none_of(seeds.begin(), seeds.end(),
                         [&](const SeedFile& s) { return s.bytes == more.bytes; })) {
            seeds.push_back(std::move(more));
        }
    }
    return seeds;
}

// A cut file reads as the chunks wholly before the cut: the cut chunk contributes nothing.
TEST(ScenarioSweep, EveryCutReadsTheWholeChunksBeforeIt) {
    for (const SeedFile& seed : ScenarioSeeds()) {
        const auto starts = ChunkStarts(seed.bytes);
        for (std::size_t length = 0; length <= seed.bytes.size(); ++length) {
            SCOPED_TRACE(seed.name + " cut at " + std::to_string(length));
            const ScenarioRead cut = ReadScenarioBytes(Cut(seed.bytes, length));
            EXPECT_LE(cut.largest, length + kScenarioSlack);
            if (length < 16) {
                EXPECT_FALSE(cut.ok);  // the file type word is not all there
                continue;
            }
            std::size_t boundary = std::min<std::size_t>(length, scenario::kChunkFileHeaderSize);
            for (const std::size_t start : starts) {
                const auto chunkLength = res::ByteReader::U32LEAt(seed.bytes, start + 4).value();
                if (start + chunkLength <= length) {
                    boundary = start + chunkLength;
                }
            }
            if (boundary != length) {
                const ScenarioRead whole = ReadScenarioBytes(Cut(seed.bytes, boundary));
                EXPECT_EQ(cut.ok, whole.ok);
                if (cut.ok) {
                    EXPECT_EQ(cut.document, whole.document);
                }
            }
        }
    }
}

// Header bytes other than the file type change nothing; a chunk length that the container refuses ends
// the read just before that chunk; any other length gives some document, but a clean one.
TEST(ScenarioSweep, EveryValueOfHeaderAndLengthBytes) {
    for (const SeedFile& seed : ScenarioSeeds()) {
        const auto starts = ChunkStarts(seed.bytes);
        const ScenarioRead whole = ReadScenarioBytes(seed.bytes);
        for (const Change& change : HeaderAndLengthChanges(seed.bytes, starts, 28, 4, 0)) {
            const std::size_t at = change.at;
            std::optional<std::size_t> chunkStart;
            for (const std::size_t start : starts) {
                if (at >= start && at < start + 8) {
                    chunkStart = start;
                }
            }
            const std::optional<ScenarioRead> before =
                chunkStart ? std::optional(ReadScenarioBytes(Cut(seed.bytes, *chunkStart))) : std::nullopt;
            for (const std::uint8_t value : change.values) {
                SCOPED_TRACE(seed.name + " byte " + std::to_string(at) + " = " + std::to_string(value));
                Bytes changed = seed.bytes;
                changed[at] = value;
                const ScenarioRead read = ReadScenarioBytes(changed);
                ASSERT_LE(read.largest, changed.size() + kScenarioSlack);
                if (!chunkStart) {
                    EXPECT_EQ(read.ok, whole.ok && (at < 12 || at >= 16));
                    if (read.ok) {
                        EXPECT_EQ(read.document, whole.document);
                    }
                    continue;
                }
                const auto length =
                    static_cast<std::int32_t>(res::ByteReader::U32LEAt(changed, *chunkStart + 4).value());
                const bool refused = length < 8 || static_cast<std::int64_t>(*chunkStart) + length >
                                                       static_cast<std::int64_t>(changed.size());
                if (refused) {
                    EXPECT_EQ(read.ok, before->ok);
                    if (read.ok) {
                        EXPECT_EQ(read.document, before->document);
                    }
                }
            }
        }
    }
}

// City files: the chunk headers as the reader walks them (tag, big-endian length, data, no padding).
std::vector<std::size_t> CityChunkStarts(const Bytes& file) {
    std::vector<std::size_t> starts;
    std::size_t at = 12;
    while (at + 8 <= file.size()) {
        starts.push_back(at);
        at += 8 + res::ByteReader::U32BEAt(file, at + 4).value();
    }
    return starts;
}

class CitySweep : public ::testing::Test {
  protected:
    // A failed load must leave the map exactly as it was; a good one must not ask for more than the file
    // plus the staged copy of one city.
    bool Load(const Bytes& bytes) {
        const std::uint64_t generation = m_map.Generation();
        bool ok = false;
        std::size_t largest = 0;
        {
            const AllocationWatch watch;
            ok = city::LoadCityBytes(m_map, bytes, "sweep");
            largest = watch.Largest();
        }
        EXPECT_LE(largest, bytes.size() + sizeof(city::CityData));
        if (!ok) {
            EXPECT_EQ(m_map.Generation(), generation);
        }
        return ok;
    }

    city::CityMap m_map;
};

TEST_F(CitySweep, EveryCutIsRefusedAndLeavesTheMap) {
    for (const SeedFile& seed : Seeds("city_reader")) {
        Load(seed.bytes);
        const auto loaded = std::make_unique<city::CityData>();
        m_map.CopyTo(*loaded);
        const auto now = std::make_unique<city::CityData>();
        const auto formEnd = 8 + static_cast<std::size_t>(res::ByteReader::U32BEAt(seed.bytes, 4).value());
        for (std::size_t length = 0; length < seed.bytes.size(); ++length) {
            SCOPED_TRACE(seed.name + " cut at " + std::to_string(length));
            // A form that ends early is read up to its end; a cut anywhere before fails.
            if (length < formEnd) {
                EXPECT_FALSE(Load(Cut(seed.bytes, length)));
            } else {
                Load(Cut(seed.bytes, length));
            }
            if (length % 101 == 0) {
                m_map.CopyTo(*now);
                ASSERT_EQ(*now, *loaded);
            }
        }
    }
}

TEST_F(CitySweep, EveryValueOfHeaderAndLengthBytes) {
    std::vector<Bytes> bodies;
    for (const SeedFile& seed : Seeds("city_reader")) {
        // A seed whose chunks equal an earlier seed's differs only in its header, whose every value the
        // earlier seed's sweep has tried already.
        const Bytes body(
            seed.bytes.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(12, seed.bytes.size())),
            seed.bytes.end());
        if (std::find(bodies.begin(), bodies.end(), body) != bodies.end()) {
            continue;
        }
        bodies.push_back(body);
        for (const Change& change :
             HeaderAndLengthChanges(seed.bytes, CityChunkStarts(seed.bytes), 12, 4, 3)) {
            const std::size_t at = change.at;
            for (const std::uint8_t value : change.values) {
                SCOPED_TRACE(seed.name + " byte " + std::to_string(at) + " = " + std::to_string(value));
                Bytes changed = seed.bytes;
                changed[at] = value;
                const bool ok = Load(changed);
                if (at < 4 || (at >= 8 && at < 12)) {
                    EXPECT_FALSE(ok);  // "FORM" and "MTDH" are checked byte for byte
                }
            }
        }
    }
}

}  // namespace
}  // namespace rw::reliability
