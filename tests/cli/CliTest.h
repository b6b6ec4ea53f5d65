// Support for the CLI tests: the built routewright-cli run as a child process, in a scratch game folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"

namespace rw::cli::test {

using Json = nlohmann::ordered_json;
using Args = std::vector<std::string>;
namespace fs = std::filesystem;

struct ToolResult {
    int status = -1;  // exit status; -1 when the tool did not exit normally
    std::string out, err;
};

inline std::string ReadFileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
inline void WriteFileBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh temporary folder laid out as a game folder holding the "L" city at cities/L city.urb:
// - a road along row 10 from x = 10 to 30 (code 81) and down column 30 from y = 10 to 30 (code 29);
// - a separate road piece at (60..62, 60) that no road reaches;
// - a tile zoo on row 50: (12, 50) code 73 (white, drivable, not a road), (14, 50) code 92 (road, not
//   drivable), (18, 50) water (flag bit 2), (20, 50) tunnel field 3 under code 81, (22, 50) zone byte 0x12;
//   (50, 12) code 5, the mirror of (12, 50);
// - every other tile: no building, zone 0, terrain height 3; graph 0 holds 500 and graph 5 holds 777.
// 46 road tiles, 1 tunnel tile.
class CliTest : public testing::Test {
  protected:
    CliTest();
    // Runs RW_CLI_PATH with args (each through At) and empty stdin; stdoutPath, when given, receives stdout
    // (e.g. /dev/full).
    ToolResult RunTool(const Args& args, const std::string& stdoutPath = {}) const;
    // Replaces every '@' in text with this folder's path and a slash.
    std::string At(const std::string& text) const;
    // Builds scenarios/movie/<file> with `race` on the L city and the options given, which it expects to
    // succeed silently.
    std::string Race(const std::string& file, const Args& checkpoints,
                     const Args& options = {"--title", "T"}) const;
    Json RunJson(const Args& args) const;

    support::ScratchFolder scratch;
    fs::path dir = scratch.Root();
    std::string city, out;  // the L city; an output path no test leaves behind on a refusal
};

// Every member of expected is in actual with the same value.
void ExpectMembers(const Json& actual, const Json& expected, const std::string& context = {});

}  // namespace rw::cli::test
