// Files built to make the readers work hard: the work and memory of a read stay in proportion to the file.
#include <gtest/gtest.h>

#include "AllocationWatch.h"
#include "MemoryFileSystem.h"
#include "TestFiles.h"
#include "res/ByteWriter.h"
#include "scenario/ChunkFile.h"
#include "scenario/ReadScenario.h"
#include "scenario/ScenarioTags.h"

namespace rw::reliability {
namespace {

namespace tags = scenario::tags;

// Counts are trusted up to the file's size (a file cut after its count chunk still reads), and a package in
// memory is larger than a byte, so a read may ask for a fixed multiple of the file's size: one package per
// byte, plus a value word and a byte of payload copy per byte. Never more.
constexpr std::size_t kMemoryPerFileByte = sizeof(scenario::Package) + 4 + 4;

Bytes FileOf(const std::vector<std::pair<std::uint32_t, Bytes>>& chunks) {
    fuzz::MemoryFileSystem fs;
    const scenario::ScopedFileSystem scope(fs);
    {
        scenario::ChunkFile file("limits.scn");
        file.OpenWrite(tags::kCreator, tags::kFileType, tags::kTypeVersion);
        for (const auto& [tag, payload] : chunks) {
            file.WriteData(tag, payload);
        }
    }
    return *fs.Get("limits.scn");
}

Bytes Word(std::uint32_t value) {
    res::ByteWriter w;
    w.U32LE(value);
    return w.Take();
}

struct Outcome {
    bool ok = false;
    std::size_t total = 0;
};

Outcome Read(const Bytes& file) {
    fuzz::MemoryFileSystem fs;
    const scenario::ScopedFileSystem scope(fs);
    fs.Put("limits.scn", file);
    scenario::Scenario s;
    const AllocationWatch watch;
    const bool ok = scenario::ReadScenario(s, "limits.scn");
    return {ok, watch.Total()};
}

// Many event records, each claiming as many values as the file has bytes: every one alone is within the
// file's size, all together they would be its square.
TEST(ReaderLimits, EventValueCountsShareOneBudget) {
    constexpr std::uint32_t kEvents = 600;
    std::vector<std::pair<std::uint32_t, Bytes>> chunks{{tags::kEventCount, Word(kEvents)}};
    const std::uint32_t fileSize = 28 + 12 + kEvents * (8 + 20);
    for (std::uint32_t i = 0; i < kEvents; ++i) {
        res::ByteWriter record;
        for (int w = 0; w < 4; ++w) {
            record.U32LE(0);
        }
        record.U32LE(fileSize - 100);
        chunks.emplace_back(tags::kEvent, record.Take());
    }
    const Bytes file = FileOf(chunks);
    ASSERT_EQ(file.size(), fileSize);
    const Outcome outcome = Read(file);
    EXPECT_FALSE(outcome.ok);
    EXPECT_LE(outcome.total, kMemoryPerFileByte * file.size());
}

// Count chunks repeated, each replacing its list with as many elements as the file has bytes.
TEST(ReaderLimits, RepeatedCountsShareOneBudget) {
    constexpr std::uint32_t kCounts = 400;
    const std::uint32_t fileSize = 28 + kCounts * 12;
    std::vector<std::pair<std::uint32_t, Bytes>> chunks;
    for (std::uint32_t i = 0; i < kCounts; ++i) {
        chunks.emplace_back(i % 2 == 0 ? tags::kPackageCount : tags::kEventCount, Word(fileSize - 1));
    }
    const Bytes file = FileOf(chunks);
    ASSERT_EQ(file.size(), fileSize);
    const Outcome outcome = Read(file);
    EXPECT_FALSE(outcome.ok);
    EXPECT_LE(outcome.total, kMemoryPerFileByte * file.size());
}

// The editor's own files stay far inside the budget: two lists recounted, values on every event.
TEST(ReaderLimits, HonestRepeatedCountsStillRead) {
    std::vector<std::pair<std::uint32_t, Bytes>> chunks{
        {tags::kCheckpointCount, Word(3)}, {tags::kCheckpointCount, Word(2)}, {tags::kEventCount, Word(1)}};
    res::ByteWriter record;
    for (std::uint32_t w : {1u, 2u, 3u, 4u, 3u, 7u, 8u, 9u, 0u, 0u}) {
        record.U32LE(w);
    }
    chunks.emplace_back(tags::kEvent, record.Take());
    const Bytes file = FileOf(chunks);
    fuzz::MemoryFileSystem fs;
    const scenario::ScopedFileSystem scope(fs);
    fs.Put("ok.scn", file);
    scenario::Scenario s;
    ASSERT_TRUE(scenario::ReadScenario(s, "ok.scn"));
    EXPECT_EQ(s.checkpoints.size(), 2u);
    ASSERT_EQ(s.events.size(), 1u);
    EXPECT_EQ(s.events[0].values, (std::vector<std::uint32_t>{7, 8, 9}));
}

}  // namespace
}  // namespace rw::reliability
