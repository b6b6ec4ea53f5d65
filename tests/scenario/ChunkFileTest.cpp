// The chunk container: walking limits, header queries, writing and finalizing.
#include <gtest/gtest.h>

#include "ScenarioTestFiles.h"
#include "scenario/ChunkFile.h"
#include "scenario/FourCC.h"
#include "scenario/ScenarioTags.h"
#include "support/FaultInjectingFileSystem.h"

namespace rw::scenario {
namespace {

using namespace rw::scenario::testing;
using res::DiskFile;
using res::FileAccess;
using res::FileSharing;
using res::ScopedFileSystem;
using support::FaultInjectingFileSystem;
using support::FileOp;

constexpr std::uint32_t kAaaa = FourCC("AAAA");
constexpr std::uint32_t kBbbb = FourCC("BBBB");
constexpr std::uint32_t kCccc = FourCC("CCCC");

class ChunkFileTest : public ::testing::Test {
  protected:
    // A new file each time: Windows refuses to rewrite a file that an earlier ChunkFile still holds open.
    std::string Put(const ByteVec& bytes) {
        const std::string path = m_folder.Path("f" + std::to_string(++m_puts) + ".chk");
        WriteBytes(path, bytes);
        return path;
    }
    // Opens the bytes and steps with NextChunk until it refuses: the first letter of each tag seen, whether
    // the file is damaged and the last chunk index.
    std::string Walk(const ByteVec& bytes) {
        ChunkFile file(Put(bytes));
        EXPECT_TRUE(file.OpenRead());
        std::string out;
        do {
            out += file.Tag() == 0 ? "" : std::string(1, static_cast<char>(file.Tag() >> 24));
        } while (file.NextChunk());
        return out + (file.Failed() ? " failed" : "") + " last " + std::to_string(file.LastChunkIndex());
    }
    ScratchFolder m_folder;
    int m_puts = 0;
};

TEST_F(ChunkFileTest, WalkLimits) {
    const ByteVec a = Chunk(kAaaa, {}), c = Chunk(kCccc, {});
    const struct {
        ByteVec bytes;
        const char* walk;
    } cases[] = {
        {ScenarioFile({}), " last 0"},  // header only
        // A chunk shorter than 8 ends the walk, and is no damage.
        {ScenarioFile({a, ChunkWithLength(kBbbb, 0, {}), c}), "AB last 1"},
        {ScenarioFile({a, ChunkWithLength(kBbbb, 1, {}), c}), "AB last 1"},
        {ScenarioFile({a, ChunkWithLength(kBbbb, 7, {}), c}), "AB last 1"},
        // A chunk over 32768 bytes is not stepped over; 32768 is.
        {ScenarioFile({a, Chunk(kBbbb, ByteVec(32769 - 8, 0x5A)), c}), "AB last 1"},
        {ScenarioFile({Chunk(kBbbb, ByteVec(32768 - 8, 0x5A)), c}), "BC last 1"},
        // Damage: a chunk past the end, a negative length, a cut chunk header.
        {ScenarioFile({Chunk(kAaaa, {1}), ChunkWithLength(kBbbb, 100, {2, 3})}), "A failed last 0"},
        {ScenarioFile({ChunkWithLength(kAaaa, -8, {})}), " failed last 0"},
        {Concat({ScenarioFile({a}), {'B', 'B', 'B'}}), "A failed last 0"},
    };
    for (const auto& [bytes, walk] : cases) {
        EXPECT_EQ(Walk(bytes), walk);
    }
}

TEST_F(ChunkFileTest, HeaderOnlyFileOpensOnceAndNeedsWriteModeForWrites) {
    ChunkFile file(Put(ScenarioFile({})));
    ASSERT_TRUE(file.OpenRead());
    EXPECT_FALSE(file.OpenRead());
    EXPECT_EQ(file.Tag(), 0u);
    EXPECT_EQ(file.ChunkLength(), 0);
    EXPECT_EQ(file.FileType(), tags::kFileType);
    EXPECT_FALSE(file.WriteData(kAaaa, ByteVec{1}));
    EXPECT_FALSE(file.Finalize());
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(file.WriteData(kAaaa, ByteVec{1}));
    EXPECT_FALSE(ChunkFile().OpenRead()) << "no path";
}

TEST_F(ChunkFileTest, WalksChunksInOrderAndReadsPayloads) {
    ChunkFile file(Put(ScenarioFile({Chunk(kAaaa, {1, 2, 3}), Chunk(kBbbb, {}), Chunk(kCccc, {9})})));
    ASSERT_TRUE(file.OpenRead());
    EXPECT_EQ(file.Tag(), kAaaa);
    EXPECT_EQ(file.ChunkLength(), 11);
    EXPECT_EQ(file.DataLength(), 3);
    std::array<std::uint8_t, 2> two{};
    ASSERT_TRUE(file.ReadData(two));
    EXPECT_EQ(two, (std::array<std::uint8_t, 2>{1, 2}));
    ASSERT_TRUE(file.NextChunk());
    EXPECT_EQ(file.Tag(), kBbbb);
    EXPECT_FALSE(file.ReadData(two)) << "an empty payload copies nothing";
    ASSERT_TRUE(file.NextChunk());
    EXPECT_EQ(file.ChunkIndex(), 2);
    EXPECT_EQ(file.Cursor(), 28 + 11 + 8);
    EXPECT_FALSE(file.NextChunk());
    EXPECT_EQ(file.Tag(), kCccc) << "a failed step stays on the last chunk";
    EXPECT_EQ(file.ChunkIndex(), 2);
    EXPECT_EQ(file.LastChunkIndex(), 2);
    EXPECT_EQ(file.ChunkIndex(), 0) << "counting leaves the cursor on the first chunk";
    std::array<std::uint8_t, 10> whole{};
    ASSERT_TRUE(file.ReadChunk(whole));
    EXPECT_EQ(whole, (std::array<std::uint8_t, 10>{'A', 'A', 'A', 'A', 11, 0, 0, 0, 1, 2}));
}

TEST_F(ChunkFileTest, CursorOperations) {
    ChunkFile file(
        Put(ScenarioFile({Chunk(kAaaa, {}), Chunk(kBbbb, {}), Chunk(kAaaa, {7}), Chunk(kCccc, {})})));
    ASSERT_TRUE(file.OpenRead());
    EXPECT_EQ(file.PrevChunk(), 0) << "PrevChunk on chunk 0 stays there";
    EXPECT_EQ(file.Tag(), kAaaa);
    ASSERT_TRUE(file.GoToChunk(3));
    EXPECT_EQ(file.Tag(), kCccc);
    EXPECT_EQ(file.PrevChunk(), 2);
    EXPECT_EQ(file.DataLength(), 1);
    ASSERT_TRUE(file.GoToChunk(99)) << "going past the end stops at the last chunk";
    EXPECT_EQ(file.ChunkIndex(), 3);
    ASSERT_TRUE(file.FindChunk(kBbbb));
    EXPECT_EQ(file.ChunkIndex(), 1);
    ASSERT_TRUE(file.FindNextChunk(kAaaa));
    EXPECT_EQ(file.ChunkIndex(), 2);
    EXPECT_FALSE(file.FindNextChunk(kAaaa));
    EXPECT_FALSE(file.FindChunk(FourCC("ZZZZ")));
}

TEST_F(ChunkFileTest, OversizedChunkIsReadAndDamageStopsAllReading) {
    const ByteVec big(32769 - 8, 0x5A);
    ChunkFile file(Put(ScenarioFile({Chunk(kAaaa, {}), Chunk(kBbbb, big)})));
    ASSERT_TRUE(file.OpenRead());
    ASSERT_TRUE(file.NextChunk());
    EXPECT_EQ(file.ChunkLength(), 32769);
    const auto payload = file.ReadPayload();
    ASSERT_TRUE(payload);
    EXPECT_EQ(*payload, big);

    ChunkFile past(Put(ScenarioFile({Chunk(kAaaa, {1}), ChunkWithLength(kBbbb, 100, {2, 3})})));
    ASSERT_TRUE(past.OpenRead());
    EXPECT_FALSE(past.NextChunk());
    EXPECT_EQ(past.Tag(), kAaaa) << "a failed step stays where it was";
    std::array<std::uint8_t, 1> one{};
    EXPECT_FALSE(past.ReadData(one));
    EXPECT_FALSE(past.FirstChunk());
}

TEST_F(ChunkFileTest, HeaderQueriesOnAClosedObjectLeaveItClosed) {
    ByteVec bytes = ScenarioFile({Chunk(kAaaa, {})});
    ChunkFile file(Put(bytes));
    EXPECT_EQ(file.Creator(), tags::kCreator);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.FileType(), tags::kFileType);
    EXPECT_EQ(file.TypeVersion(), 100u);
    EXPECT_TRUE(file.IsComplete());
    EXPECT_EQ(file.LastChunkIndex(), 0);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Mode(), ChunkFileMode::None);
    EXPECT_TRUE(file.OpenRead()) << "the queries did not leave a handle behind";

    bytes[20] = 28;  // an unfinalized file's length word
    EXPECT_FALSE(ChunkFile(Put(bytes)).IsComplete());
    ChunkFile missing(m_folder.Path("none.chk"));
    EXPECT_EQ(missing.Creator(), 0u);
    EXPECT_FALSE(missing.IsComplete());
    EXPECT_FALSE(missing.OpenRead());
}

TEST_F(ChunkFileTest, WritesFinalizesAndCutsAnOlderLongerFile) {
    const std::string path = Put(ByteVec(500, 0xEE));
    {
        ChunkFile file(path);
        ASSERT_TRUE(file.OpenWrite(FourCC("TEST"), FourCC("TYPE"), 7));
        EXPECT_TRUE(file.WriteData(kAaaa, ByteVec{1, 2}));
        EXPECT_TRUE(file.WriteData(kBbbb, ByteVec{})) << "an empty chunk is written whole";
        ByteVec buffer = Concat({U32(kCccc), U32(0xFFFFFFFF), {4, 5, 6}});
        ASSERT_TRUE(file.WriteChunk(buffer, 3)) << "WriteChunk stores the length word";
        EXPECT_FALSE(file.Finalized());
        EXPECT_EQ(ReadBytes(path).size(), 500u) << "opening for writing does not shorten";
        EXPECT_TRUE(file.Finalize());
        EXPECT_TRUE(file.Finalized());
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ(ReadBytes(path), Concat({U32(kChunkMagic), U32(2), U32(FourCC("TEST")), U32(FourCC("TYPE")),
                                       U32(7), U32(28 + 10 + 8 + 11), U32(1), Chunk(kAaaa, {1, 2}),
                                       Chunk(kBbbb, {}), Chunk(kCccc, {4, 5, 6})}));

    const std::string fresh = m_folder.Path("new.chk");
    {
        ChunkFile file(fresh);
        ASSERT_TRUE(file.OpenWrite(1, 2, 3));
        ASSERT_TRUE(file.WriteData(kAaaa, ByteVec{5}));
    }
    EXPECT_EQ(ReadBytes(fresh).size(), 28u + 9u) << "destruction closes and finalizes";
    EXPECT_TRUE(ChunkFile(fresh).IsComplete());
}

TEST_F(ChunkFileTest, AppendKeepsHeaderAndChunks) {
    const std::string path = Put(ScenarioFile({Chunk(kAaaa, {1})}));
    {
        ChunkFile file(path);
        ASSERT_TRUE(file.OpenAppend());
        ASSERT_TRUE(file.WriteData(kBbbb, ByteVec{2}));
    }
    EXPECT_EQ(ReadBytes(path), ScenarioFile({Chunk(kAaaa, {1}), Chunk(kBbbb, {2})}));

    const std::string fresh = m_folder.Path("fresh.chk");
    {
        ChunkFile file(fresh);
        ASSERT_TRUE(file.OpenAppend());
    }
    ChunkFile check(fresh);
    EXPECT_EQ(check.Creator(), 1u);
    EXPECT_EQ(check.FileType(), 1u);
    EXPECT_TRUE(check.IsComplete());
}

TEST_F(ChunkFileTest, DiskFileRulesAndPathsOver259Characters) {
    const std::string longPath = m_folder.Path(std::string(300, 'x'));
    EXPECT_FALSE(ChunkFile(longPath).OpenWrite(1, 1, 1));
    EXPECT_TRUE(DiskFile::FitsPath(std::string(259, 'a')));
    EXPECT_FALSE(DiskFile::FitsPath(std::string(260, 'a')));
    std::string accented;
    for (int i = 0; i < 259; ++i) {
        accented += "\xC3\xA9";
    }
    EXPECT_TRUE(DiskFile::FitsPath(accented)) << "characters are counted, not bytes";

    const std::string path = m_folder.Path("d.bin");
    DiskFile file;
    EXPECT_FALSE(file.Create()) << "no path";
    EXPECT_FALSE(file.Create(longPath));
    EXPECT_FALSE(file.Exists(longPath));
    EXPECT_FALSE(file.Open(path, FileAccess::Read, FileSharing::DenyNone)) << "never creates";
    EXPECT_EQ(file.Length(), -1);
    ASSERT_TRUE(file.Create(path));
    EXPECT_FALSE(file.Create(path)) << "a file is open";
    EXPECT_TRUE(file.Open({}, FileAccess::Read, FileSharing::DenyNone)) << "already open succeeds at once";
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.Create(path)) << "the file exists";
    EXPECT_TRUE(file.Exists());
    EXPECT_EQ(file.Length(), 0);
}

TEST_F(ChunkFileTest, FailedWritesAreReported) {
    FaultInjectingFileSystem faults;
    ScopedFileSystem scope(faults);
    ChunkFile file(m_folder.Path("full.chk"));
    ASSERT_TRUE(file.OpenWrite(1, 1, 1));
    faults.FailAt(FileOp::Write, faults.Count(FileOp::Write) + 1);
    EXPECT_FALSE(file.WriteData(kAaaa, ByteVec{}));
    EXPECT_TRUE(file.WriteData(kAaaa, ByteVec{}));
    faults.FailAt(FileOp::Truncate, faults.Count(FileOp::Truncate) + 1);
    EXPECT_FALSE(file.Finalize());
    faults.FailAt(FileOp::Close, faults.Count(FileOp::Close) + 1);
    EXPECT_FALSE(file.Close()) << "Close retries the finalize, then the close itself fails";
    EXPECT_FALSE(file.IsOpen()) << "the handle is released all the same";
}

}  // namespace
}  // namespace rw::scenario
