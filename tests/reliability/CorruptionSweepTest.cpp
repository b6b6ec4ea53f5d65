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

// The offsets of a file's header bytes and of the length bytes of every chunk its walk finds.
std::vector<std::size_t> LengthBytes(const std::vector<std::size_t>& starts, std::size_t headerSize,
                                     std::size_t lengthOffset) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < headerSize; ++i) {
        offsets.push_back(i);
    }
    for (const std::size_t start : starts) {
        for (std::size_t i = 0; i < 4; ++i) {
            offsets.push_back(start + lengthOffset + i);
        }
    }
    return offsets;
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
        for (const std::size_t at : LengthBytes(starts, std::min<std::size_t>(seed.bytes.size(), 28), 4)) {
            std::optional<std::size_t> chunkStart;
            for (const std::size_t start : starts) {
                if (at >= start && at < start + 8) {
                    chunkStart = start;
                }
            }
            const std::optional<ScenarioRead> before =
                chunkStart ? std::optional(ReadScenarioBytes(Cut(seed.bytes, *chunkStart))) : std::nullopt;
            for (int value = 0; value < 256; ++value) {
                if (value == seed.bytes[at]) {
                    continue;
                }
                SCOPED_TRACE(seed.name + " byte " + std::to_string(at) + " = " + std::to_string(value));
                Bytes changed = seed.bytes;
                changed[at] = static_cast<std::uint8_t>(value);
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
    for (const SeedFile& seed : Seeds("city_reader")) {
        for (const std::size_t at : LengthBytes(CityChunkStarts(seed.bytes), 12, 4)) {
            if (at >= seed.bytes.size()) {
                continue;
            }
            for (int value = 0; value < 256; ++value) {
                if (value == seed.bytes[at]) {
                    continue;
                }
                SCOPED_TRACE(seed.name + " byte " + std::to_string(at) + " = " + std::to_string(value));
                Bytes changed = seed.bytes;
                changed[at] = static_cast<std::uint8_t>(value);
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
