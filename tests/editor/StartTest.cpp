// The editor's start: its command line.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/EditorCommandLine.h"

namespace rw::editor {
namespace {

TEST(StartTest, CommandLineRows) {
    using enum StartAction;
    const struct {
        std::vector<std::string> args;
        StartAction action;
        std::optional<std::string> folder;
        std::string textStart;
    } cases[] = {
        {{}, Run, std::nullopt, ""},
        {{"/games/v"}, Run, "/games/v", ""},
        {{"--", "-odd name"}, Run, "-odd name", ""},
        // Answered from the raw line, whatever else is on it (a toolkit's own options included).
        {{"-style", "x", "--help"}, ShowHelp, std::nullopt, "Usage: routewright [OPTION]... [GAME_FOLDER]\n"},
        {{"a", "b", "--version"}, ShowVersion, std::nullopt, "routewright "},
        {{"--", "--help"}, Run, "--help", ""},
        {{"-x"}, Refuse, std::nullopt, "routewright: unknown option \"-x\" (see --help)\n"},
        {{"a", "b"}, Refuse, std::nullopt, "routewright: more than one game folder given"},
    };
    for (const auto& c : cases) {
        const auto start = ParseEditorCommandLine(c.args);
        const auto context = testing::PrintToString(c.args);
        EXPECT_EQ(start.action, c.action) << context;
        EXPECT_EQ(start.gameFolder, c.folder) << context;
        EXPECT_TRUE(start.text.starts_with(c.textStart)) << context << start.text;
    }
}

}  // namespace
}  // namespace rw::editor
