// Child-process runner and scratch game folder for the CLI tests (POSIX: they run on the build machine).
#include "CliTest.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <stdexcept>

#include "city/CityData.h"
#include "city/WriteCityFile.h"

extern char** environ;

namespace rw::cli::test {

ToolResult CliTest::RunTool(const Args& args, const std::string& stdoutPath) const {
    const std::string outPath = stdoutPath.empty() ? At("@.stdout") : stdoutPath, errPath = At("@.stderr");
    Args all{RW_CLI_PATH};
    std::vector<char*> argv;
    for (const auto& a : args) {
        all.push_back(At(a));
    }
    for (auto& a : all) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int wstatus = 0;
    pid_t waited = -1;
    while (spawned == 0 && (waited = ::waitpid(pid, &wstatus, 0)) < 0 && errno == EINTR) {
    }  // retried only when a signal interrupted the wait
    const bool exited = waited == pid && WIFEXITED(wstatus);
    return {exited ? WEXITSTATUS(wstatus) : -1, stdoutPath.empty() ? ReadFileBytes(outPath) : std::string(),
            spawned == 0 ? ReadFileBytes(errPath) : "spawn failed"};
}

CliTest::CliTest()
    : dir(fs::temp_directory_path() / ("rw_cli_test_" + std::to_string(::getpid()) + "_" +
                                       testing::UnitTest::GetInstance()->current_test_info()->name())),
      city((dir / "cities" / "L city.urb").string()),
      out(At("@out")) {
    fs::create_directories(dir / "cities");
    fs::create_directories(dir / "scenarios" / "movie");
    using city::TileIndex;
    auto c = std::make_unique<city::CityData>();
    c->name = "Test City";
    c->altitude.fill(3);
    for (int i = 10; i <= 30; ++i) {
        c->buildings[TileIndex(i, 10)] = 81;
        c->buildings[TileIndex(30, i)] = i == 10 ? 81 : 29;
    }
    for (int x = 60; x <= 62; ++x) {
        c->buildings[TileIndex(x, 60)] = 81;
    }
    c->buildings[TileIndex(12, 50)] = 73;
    c->buildings[TileIndex(14, 50)] = 92;
    c->buildings[TileIndex(16, 50)] = 210;
    c->bits[TileIndex(18, 50)] = 4;
    c->buildings[TileIndex(20, 50)] = 81;
    c->altitude[TileIndex(20, 50)] = (3 << 10) | 3;
    c->zones[TileIndex(22, 50)] = 0x12;
    c->buildings[TileIndex(50, 12)] = 5;
    c->graphs[0 * 52 + 3] = 500;
    c->graphs[5 * 52 + 51] = 777;
    if (!city::WriteCityFile(*c, city)) {
        throw std::runtime_error("cannot write " + city);
    }
}

std::string CliTest::At(const std::string& text) const {
    std::string result;
    for (char c : text) {
        result += c == '@' ? (dir / "").string() : std::string(1, c);
    }
    return result;
}

std::string CliTest::Race(const std::string& file, const Args& checkpoints, int laps) const {
    const std::string path = (dir / "scenarios" / "movie" / file).string();
    Args args{"race", city, "-o", path, "--title", "T", "--laps", std::to_string(laps)};
    for (const auto& c : checkpoints) {
        args.insert(args.end(), {"--checkpoint", c});
    }
    const auto r = RunTool(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return path;
}

Json CliTest::RunJson(const Args& args) const {
    const auto r = RunTool(args);
    EXPECT_EQ(r.status, 0) << testing::PrintToString(args) << r.err;
    EXPECT_TRUE(!r.out.empty() && r.out.back() == '\n') << r.out;
    return Json::parse(r.out, nullptr, false);
}

void ExpectMembers(const Json& actual, const Json& expected, const std::string& context) {
    for (const auto& [key, value] : expected.items()) {
        EXPECT_EQ(actual.value(key, Json()), value) << context << " member " << key;
    }
}

}  // namespace rw::cli::test
