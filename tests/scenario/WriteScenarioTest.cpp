// What the writer saves: the byte layout of its chunks, temporary files left by killed saves, a target
// another program holds.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "ScenarioTestFiles.h"
#include "scenario/ReadScenario.h"
#include "scenario/ScenarioChunks.h"
#include "scenario/WriteScenario.h"

namespace rw::scenario {
namespace {

using namespace rw::scenario::testing;

// The default scenario is the 296-byte file; with every list, the chunks come in the game's order.
TEST(WriteScenarioTest, DefaultFileAndChunkOrderWithEveryList) {
    const ScratchFolder folder;
    const std::string path = folder.Path("default.scn");
    ASSERT_TRUE(WriteScenario(Scenario{}, path));
    const ByteVec written = ReadFileBytes(path);
    ASSERT_EQ(written.size(), 296u);
    // The literal bytes of the header and the first chunk: magic in reading order, tags reversed.
    EXPECT_EQ(ByteVec(written.begin(), written.begin() + 37),
              (ByteVec{'C', 'H',  'K', 'F', 2, 0, 0, 0, 'T', 'R', 'W', 'R', 'N', 'S', 'T', 'V', 100, 0, 0,
                       0,   0x28, 1,   0,   0, 1, 0, 0, 0,   'Y', 'T', 'I', 'C', 9,   0,   0,   0,   0}));

    Scenario s;
    s.aiRacers.resize(2);
    s.events.resize(1);
    s.checkpoints = {{1, 2}, {5, 7}};
    s.packages.resize(1);
    s.eventTriggers[5] = {};
    s.eventTriggers[-3] = {};
    const auto chunks = ScenarioChunks(s);
    std::string order;
    for (const ScenarioChunk& c : chunks) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            order.push_back(static_cast<char>((c.tag >> shift) & 0xFF));
        }
        order.push_back(' ');
    }
    EXPECT_EQ(
        order,
        "CITY NAME TIME CHKB BNUS LOCX LOCY PACK AMMO LAPS IANM ITXT WANM WTXT LANM LTXT PRGN #AIS ANAI ANAI "
        "#EVS EVNT LABL #CHK CHCK CHCK EPSD #PKG APAK EVTG EVTG ");
    EXPECT_EQ(chunks[chunks.size() - 2].payload[0], 0xFD) << "trigger keys ascend as signed numbers";
    EXPECT_EQ(Chunk(chunks[25].tag, chunks[25].payload),
              (ByteVec{'K', 'C', 'H', 'C', 12, 0, 0, 0, 5, 0, 7, 0}))
        << "the second checkpoint";
}

#ifndef _WIN32
// Temporary files of this program's pattern left by killed saves go with the next save in their folder,
// unless a live save holds them; other files stay whatever their names. (The live save's lock is taken the
// POSIX way here, and names differing only in case are one file on Windows.)
TEST(WriteScenarioTest, StaleTemporaryFilesOfOurPatternAreRemovedByTheNextSave) {
    const ScratchFolder folder;
    for (const char* name :
         {"~rw0.tmp", "~rw1a2b3c.tmp", "~rwffffff.tmp", "~rw1a2b3c.tmp.bak", "~RW1A2B3C.tmp"}) {
        WriteFileBytes(folder.Path(name), {1, 2, 3});
    }
    const std::string live = folder.Path("~rw00beef.tmp");
    WriteFileBytes(live, {4});
    const int held = ::open(live.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    ASSERT_TRUE(WriteScenario(Scenario{}, folder.Path("s.scn")));
    ::close(held);
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"s.scn", "~RW1A2B3C.tmp", "~rw0.tmp", "~rw00beef.tmp",
                                                        "~rw1a2b3c.tmp.bak"}));
}
#endif

#ifdef _WIN32
// A file another program holds open cannot be replaced: the save says so and the file stays as it was.
TEST(WriteScenarioTest, SavingOverAFileAnotherProgramHoldsOpenSaysSo) {
    const ScratchFolder folder;
    const std::string target = folder.Path("held.scn");
    ASSERT_TRUE(WriteScenario(Scenario{}, target));
    const HANDLE held =
        CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Scenario other;
    other.name = "Other";
    EXPECT_EQ(res::Describe(WriteScenarioResult(other, target)), "the file is open in another program");
    CloseHandle(held);
    Scenario kept;
    ASSERT_TRUE(ReadScenario(kept, target));
    EXPECT_EQ(kept.name, "");
}
#endif

}  // namespace
}  // namespace rw::scenario
