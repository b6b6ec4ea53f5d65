// A process saving in a loop, killed at random moments: the target is always a complete file, the old one
// or a new one, never a mixture or a torn write.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "SampleScenarios.h"
#include "TestFiles.h"
#include "scenario/ReadScenario.h"
#include "scenario/WriteScenario.h"

namespace rw::reliability {
namespace {

constexpr int kKills = 200;
// Saves that a child reports as failed make it stop with this status instead of being killed.
constexpr int kSaveFailedStatus = 3;

scenario::Scenario Version(int i) {
    scenario::Scenario s = fuzz::FullScenario(40 + i % 7);
    s.timeLimit = i;
    return s;
}

[[noreturn]] void SaveForever(const std::string& target, int first) {
    for (int i = first;; ++i) {
        if (!scenario::WriteScenario(Version(i), target)) {
            _exit(kSaveFailedStatus);
        }
    }
}

TEST(SaveKill, TargetIsAlwaysACompleteVersion) {
    ScratchFolder folder;
    const std::string target = folder.Path("race.scn");
    ASSERT_TRUE(scenario::WriteScenario(Version(0), target));

    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delayMicros(0, 3000);
    int next = 1;
    int progressed = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SaveForever(target, next);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped on its own with status " << WEXITSTATUS(status)
                                         << " after " << kill << " kills: a save failed";

        // The file must be exactly what one of the saves wrote.
        const Bytes now = ReadFileBytes(target);
        scenario::Scenario read;
        ASSERT_TRUE(scenario::ReadScenario(read, target)) << "after kill " << kill;
        ASSERT_GE(read.timeLimit, 0);
        ASSERT_EQ(now, ScenarioBytes(Version(read.timeLimit))) << "after kill " << kill;
        if (read.timeLimit >= next) {
            ++progressed;
            next = read.timeLimit + 1;
        }
    }
    // Saves go on working whatever the kills left behind.
    ASSERT_TRUE(scenario::WriteScenario(Version(next), target));
    EXPECT_EQ(ReadFileBytes(target), ScenarioBytes(Version(next)));
    RecordProperty("KillsAfterProgress", progressed);
}

}  // namespace
}  // namespace rw::reliability
