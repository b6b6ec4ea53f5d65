// Round trips through the writer and the reader, and the atomic save under injected failures.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "ScenarioTestFiles.h"
#include "scenario/ChunkFile.h"
#include "scenario/ReadScenario.h"
#include "scenario/WriteScenario.h"
#include "support/FaultInjectingFileSystem.h"

namespace rw::scenario {
namespace {

using namespace rw::scenario::testing;
using res::DiskFile;
using res::ScopedFileSystem;
using support::FaultInjectingFileSystem;
using support::FileOp;

class WriteScenarioTest : public ::testing::Test {
  protected:
    ScratchFolder m_folder;
};

TEST_F(WriteScenarioTest, RoundTripsAndSavingOverALongerFile) {
    Scenario s = FullScenario();
    const std::string path = m_folder.Path("full.scn");
    Scenario back;
    s.startX = s.startY = 0;
    ASSERT_TRUE(WriteScenario(s, path));
    ASSERT_TRUE(ReadScenario(back, path));
    // The reader's normalisations: start on the first checkpoint (laps is not 0), a negative word7 sets
    // words 7 and 8 to 0, a negative value4 becomes 1, a text3 beginning with 0xCD is dropped.
    s.startX = 12;
    s.startY = 40;
    s.aiRacers[0].word7 = 0;
    s.aiRacers[0].word8 = 0;
    s.events[0].value4 = 1;
    s.events[0].text3.clear();
    EXPECT_EQ(back, s);
    EXPECT_TRUE(ChunkFile(path).IsComplete());
    EXPECT_EQ(m_folder.Files(), std::vector<std::string>{"full.scn"}) << "no temporary file left";

    ASSERT_TRUE(WriteScenario(Scenario{}, path));
    EXPECT_EQ(ReadBytes(path).size(), 296u) << "nothing of the longer file is left";
    ASSERT_TRUE(ReadScenario(back, path));
    EXPECT_TRUE(back.checkpoints.empty());
    EXPECT_EQ(back.name, "");
}

TEST_F(WriteScenarioTest, UnwritablePlacesFailWithTheirReason) {
    struct Place {
        std::string path;
        std::string reason;
    };
    for (const Place& place :
         {Place{m_folder.Path("no-such-folder/x.scn"), "no such folder"},
          Place{m_folder.Path(std::string(270, 'l')), "the path is longer than 259 characters"},
          Place{m_folder.Path(""), "no file name"}, Place{"", "no file name"}}) {
        EXPECT_EQ(res::Describe(WriteScenarioResult(Scenario{}, place.path)), place.reason) << place.path;
    }
    // A folder that refuses new files (as root nothing does, so the refusal is injected).
    FaultInjectingFileSystem readOnly;
    readOnly.FailFrom(FileOp::Create, 1);
    readOnly.FailWith(res::FileStatus::ReadOnly);
    ScopedFileSystem scope(readOnly);
    EXPECT_EQ(res::Describe(WriteScenarioResult(Scenario{}, m_folder.Path("s.scn"))),
              "the folder is read-only");
    EXPECT_TRUE(m_folder.Files().empty());
}

#ifndef _WIN32
// Temporary files of this program's pattern left by killed saves go with the next save in their folder,
// unless a live save holds them; other files stay whatever their names. (The live save's lock is taken the
// POSIX way here, and names differing only in case are one file on Windows.)
TEST_F(WriteScenarioTest, StaleTemporaryFilesOfOurPatternAreRemovedByTheNextSave) {
    for (const char* name :
         {"~rw0.tmp", "~rw1a2b3c.tmp", "~rwffffff.tmp", "~rw1a2b3c.tmp.bak", "~RW1A2B3C.tmp"}) {
        WriteBytes(m_folder.Path(name), {1, 2, 3});
    }
    const std::string live = m_folder.Path("~rw00beef.tmp");
    WriteBytes(live, {4});
    const int held = ::open(live.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    ASSERT_TRUE(WriteScenario(Scenario{}, m_folder.Path("s.scn")));
    ::close(held);
    EXPECT_EQ(m_folder.Files(), (std::vector<std::string>{"s.scn", "~RW1A2B3C.tmp", "~rw0.tmp",
                                                          "~rw00beef.tmp", "~rw1a2b3c.tmp.bak"}));
}
#endif

#ifdef _WIN32
// A file another program holds open cannot be replaced: the save says so and the file stays as it was.
TEST_F(WriteScenarioTest, SavingOverAFileAnotherProgramHoldsOpenSaysSo) {
    const std::string target = m_folder.Path("held.scn");
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

// Whichever file call of a save fails (each one in turn, counted over a clean save), the save reports it, the
// target (an older, longer file, or none) is byte for byte as before and no temporary file remains.
TEST_F(WriteScenarioTest, AnyFailedCallOfASaveLeavesTheTargetAsBefore) {
    const std::string path = m_folder.Path("target.scn"), probe = m_folder.Path("probe.scn");
    ASSERT_TRUE(WriteScenario(FullScenario(), path));
    for (const bool older : {true, false}) {
        const ByteVec before = older ? ReadBytes(path) : ByteVec{};
        const Scenario saved = older ? Scenario{} : FullScenario();
        if (older) {
            WriteBytes(probe, before);
        } else {
            std::filesystem::remove(path);
        }
        int calls = 0;
        {
            FaultInjectingFileSystem counter;
            ScopedFileSystem scope(counter);
            ASSERT_TRUE(WriteScenario(saved, probe));
            calls = counter.TotalCount();
        }
        ASSERT_GT(calls, 25) << "at least the header, 23 chunks and the length word are written";
        std::filesystem::remove(probe);
        const std::vector<std::string> files = m_folder.Files();
        for (int n = 1; n <= calls; ++n) {
            FaultInjectingFileSystem injector;
            ScopedFileSystem scope(injector);
            injector.FailAtCall(n);
            if (WriteScenario(saved, path)) {
                // Only an unnamed temporary file has a way round (a named one), and a close after the rename
                // changes nothing: the file is saved by then.
                EXPECT_TRUE(n == 1 || n == calls) << older << " call " << n;
                if (older) {
                    WriteBytes(path, before);
                } else {
                    std::filesystem::remove(path);
                }
                EXPECT_EQ(m_folder.Files(), files) << older << " call " << n;
                continue;
            }
            EXPECT_EQ(injector.Injected(), 1) << older << " call " << n;
            EXPECT_EQ(ReadBytes(path), before) << older << " call " << n;
            EXPECT_EQ(m_folder.Files(), files) << older << " call " << n;
        }
    }
}

}  // namespace
}  // namespace rw::scenario
