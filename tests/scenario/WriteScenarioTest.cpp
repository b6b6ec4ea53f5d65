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

Scenario FullScenario() {
    Scenario s;
    s.cityFile = "Harbour.urb";
    s.introMovie = "intro.smk";
    s.introText = "User created race course: Fish && Chips";
    s.winMovie = "mix_racerwinx.smk";
    s.winText = "won \xE9t\xE9";
    s.loseMovie = "mix_racerlose.smk";
    s.loseText = "lost";
    s.name = "Fish && Chips";
    s.timeLimit = 300;
    s.bonus = -4;
    s.pack = 2;
    s.ammo = 15;
    s.startX = 12;
    s.startY = 34;
    s.laps = 1;
    s.checkpointBonus = 10;
    s.prgn = -99;
    s.episode = {7, 1, 50000, 1, 1, 2};
    s.aiRacers = {{1, 1, 2, 0x00030004, 0, 0, 0, 80, 75, 0, 2, 0}, {1, 1, 2, 0, 0, 0, 0, 160, 150, 9, 2, 0}};
    ScenarioEvent e;
    e.value0 = 1;
    e.values = {5, 6, 7};
    e.value4 = 3;
    e.text1 = "t1";
    e.text3 = "t3";
    e.label = "first";
    s.events = {e, ScenarioEvent{}};
    s.events[1].label = "second";
    s.checkpoints = {{12, 34}, {100, 5}, {12, 34}};
    s.packages = {{1, 2, 3, 4, 5, 6, 7, "a", "b", "", "d", "e", "f"}};
    s.eventTriggers[-5] = {1, 2, "x", "y"};
    s.eventTriggers[70000] = {3, 4, "", "z"};
    return s;
}

class WriteScenarioTest : public ::testing::Test {
  protected:
    ScratchFolder m_folder;
};

TEST_F(WriteScenarioTest, RoundTripKeepsEveryMember) {
    const Scenario s = FullScenario();
    const std::string path = m_folder.Path("full.scn");
    ASSERT_TRUE(WriteScenario(s, path));
    Scenario back;
    ASSERT_TRUE(ReadScenario(back, path));
    EXPECT_EQ(back, s);
    EXPECT_TRUE(ChunkFile(path).IsComplete());
    EXPECT_EQ(m_folder.Files(), std::vector<std::string>{"full.scn"}) << "no temporary file left";
}

TEST_F(WriteScenarioTest, RoundTripNormalisations) {
    Scenario s = FullScenario();
    s.laps = 3;
    s.startX = 0;
    s.startY = 0;
    s.aiRacers[0].word7 = -2;
    s.events[0].value4 = -1;
    s.events[0].text3 = "\xCD\xCD";
    const std::string path = m_folder.Path("n.scn");
    ASSERT_TRUE(WriteScenario(s, path));
    Scenario back;
    ASSERT_TRUE(ReadScenario(back, path));
    Scenario expected = s;
    expected.startX = 12;
    expected.startY = 34;
    expected.aiRacers[0].word7 = 0;
    expected.aiRacers[0].word8 = 0;
    expected.events[0].value4 = 1;
    expected.events[0].text3.clear();
    EXPECT_EQ(back, expected);
}

TEST_F(WriteScenarioTest, SavingOverALongerFileLeavesNothingOfIt) {
    const std::string path = m_folder.Path("over.scn");
    ASSERT_TRUE(WriteScenario(FullScenario(), path));
    ASSERT_TRUE(WriteScenario(Scenario{}, path));
    EXPECT_EQ(ReadBytes(path).size(), 296u);
    Scenario back;
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

// Every write, the truncate, the close and the rename of a save fails in turn; each time the save reports
// failure, the older file is byte for byte as before and no temporary file remains.
TEST_F(WriteScenarioTest, FailedSaveLeavesTheTargetUntouched) {
    const std::string path = m_folder.Path("target.scn");
    ASSERT_TRUE(WriteScenario(FullScenario(), path));
    const ByteVec before = ReadBytes(path);

    int writes = 0;
    {
        FaultInjectingFileSystem counter;
        ScopedFileSystem scope(counter);
        ASSERT_TRUE(WriteScenario(Scenario{}, m_folder.Path("count.scn")));
        writes = counter.Count(FileOp::Write);
    }
    ASSERT_EQ(writes, 25) << "the header, 23 chunks, the length word";
    std::filesystem::remove(m_folder.Path("count.scn"));

    std::vector<std::pair<FileOp, int>> faults;
    for (int n = 1; n <= writes; ++n) {
        faults.emplace_back(FileOp::Write, n);
    }
    faults.emplace_back(FileOp::Create, 1);
    faults.emplace_back(FileOp::Truncate, 1);
    faults.emplace_back(FileOp::Close, 1);
    faults.emplace_back(FileOp::Rename, 1);
    faults.emplace_back(FileOp::Seek, 1);
    for (const auto& [op, n] : faults) {
        FaultInjectingFileSystem injector;
        ScopedFileSystem scope(injector);
        injector.FailAt(op, n);
        EXPECT_FALSE(WriteScenario(Scenario{}, path)) << static_cast<int>(op) << " #" << n;
        EXPECT_EQ(injector.Injected(), 1);
        EXPECT_EQ(ReadBytes(path), before) << static_cast<int>(op) << " #" << n;
        EXPECT_EQ(m_folder.Files(), std::vector<std::string>{"target.scn"})
            << static_cast<int>(op) << " #" << n;
    }
}

// Every file call of a save is needed: whichever one fails, the save reports it and leaves no file behind.
TEST_F(WriteScenarioTest, AnyFailedCallOfAFirstSaveLeavesNoFile) {
    int calls = 0;
    {
        FaultInjectingFileSystem counter;
        ScopedFileSystem scope(counter);
        ASSERT_TRUE(WriteScenario(FullScenario(), m_folder.Path("count.scn")));
        calls = counter.TotalCount();
    }
    std::filesystem::remove(m_folder.Path("count.scn"));
    for (int n = 1; n <= calls; ++n) {
        FaultInjectingFileSystem injector;
        ScopedFileSystem scope(injector);
        injector.FailAtCall(n);
        EXPECT_FALSE(WriteScenario(FullScenario(), m_folder.Path("new.scn"))) << "call " << n;
        EXPECT_EQ(injector.Injected(), 1) << "call " << n;
        EXPECT_TRUE(m_folder.Files().empty()) << "call " << n;
    }
}

}  // namespace
}  // namespace rw::scenario
