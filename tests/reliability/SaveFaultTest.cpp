// The save under injected I/O faults: whichever file call fails, WriteScenario reports false, the target
// keeps its old bytes (or stays absent), no temporary file remains and no handle leaks.
#include <gtest/gtest.h>

#include <algorithm>

#include "FailingFileSystem.h"
#include "SampleScenarios.h"
#include "TestFiles.h"
#include "scenario/WriteScenario.h"

namespace rw::reliability {
namespace {

using Mode = FailingFileSystem::Mode;

struct FaultCase {
    Mode mode;
    bool targetExists;
};

class SaveFaultLoop : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SaveFaultLoop, EveryCallFailingLeavesTheTargetAsItWas) {
    const FaultCase param = GetParam();
    const scenario::Scenario full = fuzz::FullScenario(200);
    const Bytes newBytes = ScenarioBytes(full);
    scenario::Scenario old = fuzz::EditorRace();
    const Bytes oldBytes = ScenarioBytes(old);
    ASSERT_NE(newBytes, oldBytes);

    ScratchFolder folder;
    const std::string target = folder.Path("race.scn");
    if (param.targetExists) {
        WriteFileBytes(target, oldBytes);
    }
    const std::vector<std::string> filesBefore = folder.Files();
    const int descriptorsBefore = OpenDescriptorCount();

    int failures = 0;
    for (int n = 1;; ++n) {
        SCOPED_TRACE("call " + std::to_string(n) + " failing");
        FailingFileSystem failing(scenario::ActiveFileSystem(), n, param.mode);
        bool saved = false;
        {
            const scenario::ScopedFileSystem scope(failing);
            saved = scenario::WriteScenario(full, target);
        }
        EXPECT_EQ(OpenDescriptorCount(), descriptorsBefore);
        if (!failing.Injected()) {
            // Every call succeeded: the save is complete.
            ASSERT_TRUE(saved);
            EXPECT_EQ(ReadFileBytes(target), newBytes);
            EXPECT_EQ(folder.Files(), std::vector<std::string>{"race.scn"});
            EXPECT_GT(failures, 20);  // a save of this size makes many calls, each one tried
            break;
        }
        ++failures;
        ASSERT_FALSE(saved);
        EXPECT_EQ(folder.Files(), filesBefore);
        if (param.targetExists) {
            ASSERT_EQ(ReadFileBytes(target), oldBytes);
        }
        ASSERT_LT(n, 10000) << "the save never completes";
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, SaveFaultLoop,
                         ::testing::Values(FaultCase{Mode::Once, true}, FaultCase{Mode::Once, false},
                                           FaultCase{Mode::FromThenOn, true},
                                           FaultCase{Mode::FromThenOn, false}),
                         [](const auto& testInfo) {
                             return std::string(testInfo.param.mode == Mode::Once ? "Once" : "FromThenOn") +
                                    (testInfo.param.targetExists ? "OverOldFile" : "NewFile");
                         });

// The temporary file's bytes are flushed to the disk after its last write and before the rename that makes
// it the target; a rename first could leave the target's name on bytes a power cut loses.
TEST(SaveFaults, BytesReachTheDiskBeforeTheRename) {
    ScratchFolder folder;
    FailingFileSystem recording(scenario::ActiveFileSystem(), 0, FailingFileSystem::Mode::Once);
    {
        const scenario::ScopedFileSystem scope(recording);
        ASSERT_TRUE(scenario::WriteScenario(fuzz::EditorRace(), folder.Path("race.scn")));
    }
    const auto& log = recording.Log();
    const auto lastWrite = std::find(log.rbegin(), log.rend(), "write").base();
    const auto flush = std::find(log.begin(), log.end(), "flush");
    const auto rename = std::find(log.begin(), log.end(), "rename");
    ASSERT_NE(flush, log.end());
    ASSERT_NE(rename, log.end());
    EXPECT_LT(lastWrite, flush);
    EXPECT_LT(flush, rename);
}

// A clean-up that fails as well leaves a temporary file behind, but never touches the target, and the next
// save still succeeds beside the leftover.
TEST(SaveFaults, LeftoverTemporaryFilesDoNotStopLaterSaves) {
    ScratchFolder folder;
    const std::string target = folder.Path("race.scn");
    const Bytes oldBytes = ScenarioBytes(fuzz::EditorRace());
    WriteFileBytes(target, oldBytes);
    for (int i = 0; i < 120; ++i) {
        WriteFileBytes(folder.Path("~rw" + std::to_string(i) + ".tmp"), {1, 2, 3});
    }
    const scenario::Scenario full = fuzz::FullScenario(200);
    ASSERT_TRUE(scenario::WriteScenario(full, target));
    EXPECT_EQ(ReadFileBytes(target), ScenarioBytes(full));
    EXPECT_EQ(folder.Files().size(), 121u);
}

}  // namespace
}  // namespace rw::reliability
