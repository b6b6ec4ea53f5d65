// Running the built routewright-cli as a child process and collecting what it printed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rw::cli::test {

struct ToolResult {
    int status = -1;  // exit status; -1 when the tool did not exit normally
    std::string out;  // everything written to stdout
    std::string err;  // everything written to stderr
};

// Runs the tool (RW_CLI_PATH) with args, stdin empty, and waits for it. stdoutPath, when given, receives
// the standard output instead of ToolResult::out (e.g. /dev/full to make every write fail).
ToolResult RunTool(const std::vector<std::string>& args, const std::string& stdoutPath = {});

// A fresh folder under the system's temporary folder, removed with its contents on destruction.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

  private:
    std::filesystem::path m_path;
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace rw::cli::test
