// Appending to a chunk file that was cut inside its header.
#include <gtest/gtest.h>

#include "MemoryFileSystem.h"
#include "TestFiles.h"
#include "res/ByteReader.h"
#include "scenario/ChunkFile.h"

namespace rw::reliability {
namespace {

TEST(ChunkAppend, FileCutInsideItsHeaderGetsTheHeaderCompletedFirst) {
    fuzz::MemoryFileSystem fs;
    const scenario::ScopedFileSystem scope(fs);
    {
        scenario::ChunkFile file("cut.chk");
        ASSERT_TRUE(file.OpenWrite(0x52575254, 0x5654534E, 100));
        ASSERT_TRUE(file.WriteData(0x41414141, Bytes{1, 2, 3}));
    }
    Bytes cut = *fs.Get("cut.chk");
    cut.resize(19);  // magic, version, creator, file type and part of the type version
    fs.Put("cut.chk", cut);

    scenario::ChunkFile file("cut.chk");
    ASSERT_TRUE(file.OpenAppend());
    Bytes chunk{'B', 'B', 'B', 'B', 0, 0, 0, 0, 9};
    ASSERT_TRUE(file.WriteChunk(chunk, 1));
    ASSERT_TRUE(file.Close());

    const Bytes after = *fs.Get("cut.chk");
    ASSERT_EQ(after.size(), 28u + 9u);
    EXPECT_EQ(res::ByteReader::U32LEAt(after, 8), 0x52575254u) << "the creator that was there is kept";
    EXPECT_EQ(res::ByteReader::U32LEAt(after, 12), 0x5654534Eu);
    EXPECT_EQ(res::ByteReader::U32LEAt(after, 20), 37u);
    EXPECT_EQ(Bytes(after.begin() + 28, after.end()), (Bytes{'B', 'B', 'B', 'B', 9, 0, 0, 0, 9}));
    scenario::ChunkFile check("cut.chk");
    ASSERT_TRUE(check.OpenRead());
    EXPECT_EQ(check.Tag(), 0x42424242u);
    EXPECT_EQ(check.DataLength(), 1);
}

}  // namespace
}  // namespace rw::reliability
