// The editor's start: its command line, and which game folder it settles on.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "editor/EditorCommandLine.h"
#include "editor/GameFolderChoice.h"
#include "editor/GamePaths.h"

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

// Folders on a pretend disk, the setting in memory and a chooser that answers from a script.
struct FakeHost : GameFolderHost {
    std::set<std::string> folders;
    std::optional<std::string> remembered;
    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> prompts;

    bool IsFolder(const std::string& path) override { return folders.contains(path); }
    std::optional<std::string> RememberedFolder() override { return remembered; }
    void RememberFolder(const std::string& folder) override { remembered = folder; }
    std::optional<std::string> AskForFolder(std::string_view prompt) override {
        prompts.emplace_back(prompt);
        auto answer = answers.empty() ? std::nullopt : answers.front();
        answers.pop_front();
        return answer;
    }
};

// "/a/b/" with the platform's separator.
std::string P(std::string path) {
    std::replace(path.begin(), path.end(), '/', PathSeparator());
    return path;
}

TEST(StartTest, GameFolderRows) {
    using enum GameFolderOutcome;
    const std::string ask(kGameFolderPrompt), again(kNotGameFolderPrompt);
    const struct {
        std::optional<std::string> argument, remembered;
        std::deque<std::optional<std::string>> answers;
        GameFolderOutcome outcome;
        std::string folder, rememberedAfter;
        std::vector<std::string> prompts;
        std::string executableFolder = P("/usr/bin/");
    } cases[] = {
        {P("/plain"), {}, {}, Found, P("/plain/"), "", {}},  // a named folder need not hold anything
        {P("/missing"), {}, {}, NotAFolder, "", "", {}},
        {{}, P("/game/"), {}, Found, P("/game/"), P("/game/"), {}},
        {{}, P("/movies/"), {}, Found, P("/movies/"), P("/movies/"), {}},  // scenarios/movie/ alone will do
        {{}, P("/plain/"), {P("/game")}, Found, P("/game/"), P("/game/"), {ask}},  // no longer a game folder
        {{}, {}, {P("/plain"), P("/movies/")}, Found, P("/movies/"), P("/movies/"), {ask, again}},
        {{}, P("/plain/"), {P("/plain"), std::nullopt}, Cancelled, "", P("/plain/"), {ask, again}},
        // The executable's own folder, when it is a game folder, wins over the remembered one.
        {{}, P("/game/"), {}, Found, P("/movies/"), P("/game/"), {}, P("/movies/")},
    };
    for (const auto& c : cases) {
        FakeHost host;
        host.folders = {P("/usr/bin"),      P("/plain"),  P("/game"),
                        P("/game/cities/"), P("/movies"), P("/movies/scenarios/movie/")};
        host.remembered = c.remembered;
        host.answers = c.answers;
        const auto choice = ChooseGameFolder(c.argument, c.executableFolder, host);
        const auto context = c.argument.value_or("") + " " + c.remembered.value_or("");
        EXPECT_EQ(choice.outcome, c.outcome) << context;
        EXPECT_EQ(choice.folder, c.folder) << context;
        EXPECT_EQ(host.remembered.value_or(""), c.rememberedAfter) << context;
        EXPECT_EQ(host.prompts, c.prompts) << context;
    }
}

}  // namespace
}  // namespace rw::editor
