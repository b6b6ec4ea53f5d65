// The chunk container: where a walk stops, and the path length limit.
#include <gtest/gtest.h>

#include "ScenarioTestFiles.h"
#include "scenario/ChunkFile.h"
#include "scenario/FourCC.h"
#include "scenario/ScenarioTags.h"

namespace rw::scenario {
namespace {

using namespace rw::scenario::testing;
using res::DiskFile;

constexpr std::uint32_t kAaaa = FourCC("AAAA");
constexpr std::uint32_t kBbbb = FourCC("BBBB");
constexpr std::uint32_t kCccc = FourCC("CCCC");

class ChunkFileTest : public ::testing::Test {
  protected:
    // A new file each time: Windows refuses to rewrite a file that an earlier ChunkFile still holds open.
    std::string Put(const ByteVec& bytes) {
        const std::string path = m_folder.Path("f" + std::to_string(++m_puts) + ".chk");
        WriteFileBytes(path, bytes);
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

// The Windows limit counts characters, not the bytes of their UTF-8 form.
TEST_F(ChunkFileTest, PathsOver259CharactersAreRefused) {
    EXPECT_FALSE(ChunkFile(m_folder.Path(std::string(300, 'x'))).OpenWrite(1, 1, 1));
    EXPECT_TRUE(DiskFile::FitsPath(std::string(259, 'a')));
    EXPECT_FALSE(DiskFile::FitsPath(std::string(260, 'a')));
    std::string accented;
    for (int i = 0; i < 259; ++i) {
        accented += "\xC3\xA9";
    }
    EXPECT_TRUE(DiskFile::FitsPath(accented));
}

}  // namespace
}  // namespace rw::scenario
