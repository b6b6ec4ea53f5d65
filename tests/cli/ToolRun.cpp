// Child-process runner for the CLI tests (POSIX: the tests run on the build machine).
#include "ToolRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace rw::cli::test {

namespace {

std::filesystem::path UniqueTempPath(const char* stem) {
    static std::atomic<int> counter{0};
    return std::filesystem::temp_directory_path() /
           (std::string(stem) + std::to_string(::getpid()) + "_" + std::to_string(counter++));
}

}  // namespace

ToolResult RunTool(const std::vector<std::string>& args, const std::string& stdoutPath) {
    TempFolder capture;
    const std::string outPath = stdoutPath.empty() ? capture / "stdout" : stdoutPath;
    const std::string errPath = capture / "stderr";

    std::vector<std::string> argStrings{RW_CLI_PATH};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings) {
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

    ToolResult result;
    if (spawned != 0) {
        result.err = "spawn failed";
        return result;
    }
    int wstatus = 0;
    pid_t waited = -1;
    do {
        waited = ::waitpid(pid, &wstatus, 0);
    } while (waited < 0 && errno == EINTR);
    result.status = waited == pid && WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    result.out = stdoutPath.empty() ? ReadFileBytes(outPath) : std::string();
    result.err = ReadFileBytes(errPath);
    return result;
}

TempFolder::TempFolder() : m_path(UniqueTempPath("rw_cli_test_")) {
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace rw::cli::test
