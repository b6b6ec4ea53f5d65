// The save beside other files: temporary files left by killed saves, and a target another program holds.
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
#include "scenario/WriteScenario.h"

namespace rw::scenario {
namespace {

using namespace rw::scenario::testing;

class WriteScenarioTest : public ::testing::Test {
  protected:
    ScratchFolder m_folder;
};

#ifndef _WIN32
// Temporary files of this program's pattern left by killed saves go with the next save in their folder,
// unless a live save holds them; other files stay whatever their names. (The live save's lock is taken the
// POSIX way here, and names differing only in case are one file on Windows.)
TEST_F(WriteScenarioTest, StaleTemporaryFilesOfOurPatternAreRemovedByTheNextSave) {
    for (const char* name :
         {"~rw0.tmp", "~rw1a2b3c.tmp", "~rwffffff.tmp", "~rw1a2b3c.tmp.bak", "~RW1A2B3C.tmp"}) {
        WriteFileBytes(m_folder.Path(name), {1, 2, 3});
    }
    const std::string live = m_folder.Path("~rw00beef.tmp");
    WriteFileBytes(live, {4});
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

}  // namespace
}  // namespace rw::scenario
