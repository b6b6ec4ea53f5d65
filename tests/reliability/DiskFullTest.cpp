// Saves onto a small tmpfs that fills up: a save that does not fit reports false and leaves the old file and
// no temporary file; once space is back, saving works again. Needs a private mount namespace (root or user
// namespaces); skipped where the machine refuses one.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "SampleScenarios.h"
#include "TestFiles.h"
#include "scenario/WriteScenario.h"

namespace rw::reliability {
namespace {

constexpr int kSkipStatus = 77;

// Runs in the child, inside its own mount namespace, so the mount vanishes with it whatever happens.
// Returns the exit status: 0 passed, kSkipStatus no mount possible, otherwise the number of the failed check.
int RunOnSmallDisk(const std::string& folder) {
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0) {
        return kSkipStatus;
    }
    const std::string target = folder + "/race.scn";
    const scenario::Scenario small = fuzz::EditorRace();
    if (!scenario::WriteScenario(small, target)) {
        return 1;
    }
    const Bytes oldBytes = ReadFileBytes(target);

    // Larger than the whole disk: the temporary file fills it and the save must give up.
    scenario::Scenario huge = fuzz::FullScenario(200);
    huge.introText.assign(100 * 1024, 'x');
    if (scenario::WriteScenario(huge, target)) {
        return 2;
    }
    if (ReadFileBytes(target) != oldBytes) {
        return 3;
    }
    auto onlyTarget = [&] {
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            files += entry.path().filename() == "race.scn" ? 1 : 100;
        }
        return files == 1;
    };
    if (!onlyTarget()) {
        return 4;
    }

    // Nearly full: a filler leaves less room than one more copy of a normal race needs.
    const std::string filler = folder + "/filler";
    Bytes block(1024, 0xEE);
    {
        std::FILE* f = std::fopen(filler.c_str(), "wb");
        if (f == nullptr) {
            return 5;
        }
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size()) {
        }
        std::fclose(f);
    }
    scenario::Scenario race = fuzz::FullScenario(200);
    if (scenario::WriteScenario(race, target)) {
        return 6;
    }
    if (ReadFileBytes(target) != oldBytes) {
        return 7;
    }
    std::filesystem::remove(filler);
    if (!onlyTarget()) {
        return 8;
    }
    if (!scenario::WriteScenario(race, target) || ReadFileBytes(target) != ScenarioBytes(race)) {
        return 9;
    }
    return 0;
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
    if (WEXITSTATUS(status) == kSkipStatus) {
        GTEST_SKIP()
            << "cannot mount a small tmpfs here (needs a private mount namespace: run as root or with "
               "user namespaces enabled)";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "check " << WEXITSTATUS(status) << " of RunOnSmallDisk failed";
}

}  // namespace
}  // namespace rw::reliability
