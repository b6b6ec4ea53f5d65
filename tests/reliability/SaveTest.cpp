// The atomic save under injected I/O faults and on a full disk: the target is always the complete old bytes
// or the complete new bytes, and no temporary file is left.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "SampleScenarios.h"
#include "Support.h"
#include "support/FaultInjectingFileSystem.h"

namespace rw::reliability {
namespace {

// A save of a full scenario run again and again with call n failing, n = 1, 2, ... until a run completes,
// with the failure happening once or from then on, over an old file or as a first save: each failed run
// reports false, leaves the target as it was (or absent) and no other file, and leaks no handle. Only an
// unnamed create (a named temporary file is tried next) or the close after the rename may fail and the save
// still succeed, with the new bytes in place. Regression:
// the complete save flushes its temporary file to the disk after the last write and before the rename that
// makes it the target; a rename first could leave the target's name on bytes a power cut loses.
TEST(SaveFaults, EveryCallFailingLeavesTheTargetAsItWas) {
    const scenario::Scenario full = fuzz::FullScenario(200);
    const Bytes newBytes = ScenarioBytes(full);
    const Bytes oldBytes = ScenarioBytes(fuzz::EditorRace());
    ASSERT_NE(newBytes, oldBytes);
    for (const bool onward : {false, true}) {
        for (const bool targetExists : {true, false}) {
            SCOPED_TRACE(std::string(onward ? "from then on" : "once") +
                         (targetExists ? ", over an old file" : ", new file"));
            ScratchFolder folder;
            const std::string target = folder.Path("race.scn");
            if (targetExists) {
                WriteFileBytes(target, oldBytes);
            }
            const std::vector<std::string> filesBefore = folder.Files();
            const int descriptorsBefore = OpenDescriptorCount();
            for (int n = 1;; ++n) {
                SCOPED_TRACE("call " + std::to_string(n) + " failing");
                support::FaultInjectingFileSystem failing;
                failing.FailAtCall(n, onward);
                bool saved = false;
                {
                    const res::ScopedFileSystem scope(failing);
                    saved = scenario::WriteScenario(full, target);
                }
                EXPECT_EQ(OpenDescriptorCount(), descriptorsBefore);
                if (!failing.Injected()) {  // every call succeeded: the save is complete
                    ASSERT_TRUE(saved);
                    EXPECT_EQ(ReadFileBytes(target), newBytes);
                    EXPECT_EQ(folder.Files(), std::vector<std::string>{"race.scn"});
                    EXPECT_GT(n - 1, 20);  // a save of this size makes many calls, each one tried
                    const auto& log = failing.Log();
                    const auto flush = std::find(log.begin(), log.end(), FileOp::Flush);
                    const auto rename = std::find(log.begin(), log.end(), FileOp::Rename);
                    ASSERT_NE(rename, log.end());
                    EXPECT_LT(std::find(log.rbegin(), log.rend(), FileOp::Write).base(), flush);
                    EXPECT_LT(flush, rename);
                    break;
                }
                if (saved) {
                    std::vector<FileOp> numbered;  // Remove is not numbered
                    std::ranges::remove_copy(failing.Log(), std::back_inserter(numbered), FileOp::Remove);
                    const FileOp kind = numbered.at(static_cast<std::size_t>(n - 1));
                    EXPECT_TRUE(kind == FileOp::Create || kind == FileOp::Close) << static_cast<int>(kind);
                    ASSERT_EQ(ReadFileBytes(target), newBytes);
                    EXPECT_EQ(folder.Files(), std::vector<std::string>{"race.scn"});
                    std::filesystem::remove(target);
                    if (targetExists) {
                        WriteFileBytes(target, oldBytes);
                    }
                    continue;
                }
                EXPECT_EQ(folder.Files(), filesBefore);
                if (targetExists) {
                    ASSERT_EQ(ReadFileBytes(target), oldBytes);
                }
                ASSERT_LT(n, 10000) << "the save never completes";
            }
        }
    }
}

#ifndef _WIN32
// The full-disk case needs fork and a private tmpfs mount: POSIX (Linux) only.
// Runs in a child, in its own mount namespace so the mount vanishes with it: saves onto a 64 KiB tmpfs.
// Returns 0 passed, 77 no mount possible, otherwise the number of the first failed check.
int RunOnSmallDisk(const std::string& folder) {
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0) {
        return 77;
    }
    int failed = 0, step = 0;
    const auto check = [&](bool ok) {
        ++step;
        failed = failed != 0 || ok ? failed : step;  // the first failed check
    };
    const std::string target = folder + "/race.scn";
    check(scenario::WriteScenario(fuzz::EditorRace(), target));
    const Bytes oldBytes = ReadFileBytes(target);
    // Larger than the whole disk: the temporary file fills it and the save must give up.
    scenario::Scenario huge = fuzz::FullScenario(200);
    huge.introText.assign(100 * 1024, 'x');
    check(res::Describe(scenario::WriteScenarioResult(huge, target)) == "the disk is full");
    check(ReadFileBytes(target) == oldBytes);
    check(FileNames(folder) == std::vector<std::string>{"race.scn"});
    // Space is back: saving works again.
    huge.introText.resize(1000);
    check(scenario::WriteScenario(huge, target) && ReadFileBytes(target) == ScenarioBytes(huge));
    return failed;
}

TEST(DiskFull, SaveThatDoesNotFitLeavesTheOldFile) {
    ScratchFolder folder;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        _exit(RunOnSmallDisk(folder.Root().string()));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP()
            << "cannot mount a small tmpfs here (needs a private mount namespace: run as root or with "
               "user namespaces enabled)";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "check " << WEXITSTATUS(status) << " of RunOnSmallDisk failed";
}
#endif  // _WIN32

}  // namespace
}  // namespace rw::reliability
