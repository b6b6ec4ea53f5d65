// Round trips through the writer and the reader, and the atomic save under injected failures.
#include <gtest/gtest.h>

#include "ScenarioTestFiles.h"
#include "scenario/ChunkFile.h"
#include "scenario/FaultInjectingFileSystem.h"
#include "scenario/ReadScenario.h"
#include "scenario/WriteScenario.h"

namespace rw::scenario {
namespace {

using namespace rw::scenario::testing;

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

TEST_F(WriteScenarioTest, UnwritablePlacesFail) {
    EXPECT_FALSE(WriteScenario(Scenario{}, m_folder.Path("no-such-folder/x.scn")));
    EXPECT_FALSE(WriteScenario(Scenario{}, m_folder.Path(std::string(270, 'l'))));
    EXPECT_FALSE(WriteScenario(Scenario{}, ""));
}

TEST_F(WriteScenarioTest, StaleTemporaryFilesAreNeitherReusedNorRemoved) {
    const std::string stale = m_folder.Path("~rw0.tmp");
    WriteBytes(stale, {1, 2, 3});
    ASSERT_TRUE(WriteScenario(Scenario{}, m_folder.Path("s.scn")));
    EXPECT_EQ(ReadBytes(stale), (ByteVec{1, 2, 3}));
    EXPECT_EQ(m_folder.Files(), (std::vector<std::string>{"s.scn", "~rw0.tmp"}));
}

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
            EXPECT_FALSE(WriteScenario(saved, path)) << older << " call " << n;
            EXPECT_EQ(injector.Injected(), 1) << older << " call " << n;
            EXPECT_EQ(ReadBytes(path), before) << older << " call " << n;
            EXPECT_EQ(m_folder.Files(), files) << older << " call " << n;
        }
    }
}

}  // namespace
}  // namespace rw::scenario
