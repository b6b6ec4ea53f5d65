// `scenario dump` / `scenario build` run as a process, and the tool's general usage contract.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ToolRun.h"
#include "scenario/ReadScenario.h"
#include "scenario/WriteScenario.h"

namespace rw::cli::test {
namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

// A document with every part of the format, already in the reader's normal form (start location equal to
// the first checkpoint, no negative word7 or value4, no text3 starting with 0xCD).
constexpr const char* kFullDocument = R"({
  "cityFile": "Caf\u00e9.urb", "introMovie": "i.smk", "introText": "Intro \u20ac & more",
  "winMovie": "mix_racerwinx.smk", "winText": "w\u0001x", "loseMovie": "mix_racerlose.smk", "loseText": "\u0081\u009d",
  "name": "Fish && Chips", "timeLimit": 300, "bonus": -2147483648, "pack": 4, "ammo": 15, "startX": 12,
  "startY": 40, "laps": 3, "checkpointBonus": 9, "prgn": 2147483647, "episode": [0, 1, 50000, 1, 1, 2],
  "aiRacers": [[1, 1, 2, 4294967295, 0, 0, 0, 80, 75, 0, 2, 0], [1, 1, 2, 0, 0, 0, 0, 160, 150, 0, -3, 0]],
  "events": [{"value0": 1, "value1": 2, "value2": 3, "value3": 4294967295, "values": [7, 8], "value4": 5,
              "text1": "t1", "text2": "", "text3": "t3", "label": "first"},
             {"value0": 0, "value1": 0, "value2": 0, "value3": 0, "values": [], "value4": 0,
              "text1": "", "text2": "", "text3": "", "label": ""}],
  "checkpoints": [[12, 40], [127, 0], [12, 40]],
  "packages": [{"value0": 1, "value1": 2, "value2": 3, "short0": 65535, "short1": 0, "short2": 1, "short3": 2,
                "text1": "a", "text2": "", "text3": "\u00ff", "text4": "d", "text5": "e", "text6": "f"}],
  "eventTriggers": [{"key": -7, "value0": 1, "short0": 2, "text1": "x", "text2": "y"},
                    {"key": 3, "value0": 0, "short0": 0, "text1": "", "text2": ""}]
})";

class ScenarioCommands : public testing::Test {
  protected:
    TempFolder dir;
};

TEST_F(ScenarioCommands, BuildDumpBuildIsByteExact) {
    WriteFileBytes(dir / "in.json", kFullDocument);
    auto built = RunTool({"scenario", "build", dir / "in.json", dir / "a.scn"});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.out, "");
    EXPECT_EQ(built.err, "");

    auto dumped = RunTool({"scenario", "dump", dir / "a.scn"});
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    ASSERT_FALSE(dumped.out.empty());
    EXPECT_EQ(dumped.out.back(), '\n');
    // The same document comes back, keys in member order included.
    EXPECT_EQ(Json::parse(dumped.out), Json::parse(kFullDocument));

    WriteFileBytes(dir / "d.json", dumped.out);
    ASSERT_EQ(RunTool({"scenario", "build", dir / "d.json", dir / "b.scn"}).status, 0);
    EXPECT_EQ(ReadFileBytes(dir / "a.scn"), ReadFileBytes(dir / "b.scn"));
    EXPECT_EQ(RunTool({"scenario", "dump", dir / "b.scn"}).out, dumped.out);
}

TEST_F(ScenarioCommands, BuildWritesWhatTheReaderSees) {
    WriteFileBytes(dir / "in.json", kFullDocument);
    ASSERT_EQ(RunTool({"scenario", "build", dir / "in.json", dir / "a.scn"}).status, 0);
    scenario::Scenario s;
    ASSERT_TRUE(scenario::ReadScenario(s, dir / "a.scn"));
    EXPECT_EQ(s.cityFile, "Caf\xE9.urb");
    EXPECT_EQ(s.introText, "Intro \x80 & more");
    EXPECT_EQ(s.loseText, "\x81\x9D");
    EXPECT_EQ(s.bonus, -2147483647 - 1);
    EXPECT_EQ(s.aiRacers.at(0).word3, 4294967295u);
    EXPECT_EQ(s.aiRacers.at(1).word10, -3);
    EXPECT_EQ(s.events.at(0).values, (std::vector<std::uint32_t>{7, 8}));
    EXPECT_EQ(s.events.at(0).label, "first");
    EXPECT_EQ(s.packages.at(0).short0, 65535);
    EXPECT_EQ(s.eventTriggers.begin()->first, -7);
    EXPECT_EQ(s.checkpoints.at(1), (scenario::TilePos{127, 0}));
}

TEST_F(ScenarioCommands, BuildFromPartialDocumentKeepsDefaults) {
    WriteFileBytes(dir / "in.json", R"({"name": "Only a name"})");
    ASSERT_EQ(RunTool({"scenario", "build", dir / "in.json", dir / "a.scn"}).status, 0);
    scenario::Scenario expected;
    expected.name = "Only a name";
    ASSERT_TRUE(scenario::WriteScenario(expected, dir / "expected.scn"));
    EXPECT_EQ(ReadFileBytes(dir / "a.scn"), ReadFileBytes(dir / "expected.scn"));
}

// What the reader normalises comes back normalised; from then on the round trip is stable.
TEST_F(ScenarioCommands, ReaderNormalisationsShowInTheDump) {
    WriteFileBytes(dir / "in.json", R"({"laps": 2, "startX": 99, "startY": 98, "checkpoints": [[5, 7]],
        "aiRacers": [[0, 0, 0, 0, 0, 0, 0, -1, 44, 0, 0, 0]],
        "events": [{"value4": -9, "text3": "\u00cdgone"}]})");
    ASSERT_EQ(RunTool({"scenario", "build", dir / "in.json", dir / "a.scn"}).status, 0);
    auto dumped = RunTool({"scenario", "dump", dir / "a.scn"});
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    const Json doc = Json::parse(dumped.out);
    EXPECT_EQ(doc["startX"], 5);
    EXPECT_EQ(doc["startY"], 7);
    EXPECT_EQ(doc["aiRacers"][0][7], 0);
    EXPECT_EQ(doc["aiRacers"][0][8], 0);
    EXPECT_EQ(doc["events"][0]["value4"], 1);
    EXPECT_EQ(doc["events"][0]["text3"], "");
    EXPECT_EQ(doc["name"], "");  // a NAME chunk is always written, so the reader's placeholder is replaced

    WriteFileBytes(dir / "d.json", dumped.out);
    ASSERT_EQ(RunTool({"scenario", "build", dir / "d.json", dir / "b.scn"}).status, 0);
    EXPECT_EQ(RunTool({"scenario", "dump", dir / "b.scn"}).out, dumped.out);
}

TEST_F(ScenarioCommands, DumpRefusesWhatIsNotAScenario) {
    auto missing = RunTool({"scenario", "dump", dir / "missing.scn"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err,
              "routewright-cli: " + (dir / "missing.scn") + ": cannot read it as a scenario file\n");
    EXPECT_EQ(missing.out, "");

    WriteFileBytes(dir / "text.scn", "just some text, long enough to hold a header");
    EXPECT_EQ(RunTool({"scenario", "dump", dir / "text.scn"}).status, 1);
}

struct BuildRefusal {
    const char* json;
    int status;
    const char* why;  // the expected end of the error line
};

class ScenarioBuildRefusal : public ScenarioCommands, public testing::WithParamInterface<BuildRefusal> {};

TEST_P(ScenarioBuildRefusal, ExitsWithStatusAndWritesNothing) {
    WriteFileBytes(dir / "in.json", GetParam().json);
    auto r = RunTool({"scenario", "build", dir / "in.json", dir / "out.scn"});
    EXPECT_EQ(r.status, GetParam().status);
    const std::string prefix = "routewright-cli: " + (dir / "in.json") + ": ";
    EXPECT_EQ(r.err.rfind(prefix, 0), 0u) << r.err;
    EXPECT_NE(r.err.find(GetParam().why), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.scn"));
}

INSTANTIATE_TEST_SUITE_P(
    EveryClass, ScenarioBuildRefusal,
    testing::Values(BuildRefusal{"{\"name\": ", 2, "parse error at line 1"},
                    BuildRefusal{"{} {}", 2, "parse error"}, BuildRefusal{"\"\\udc00\"", 2, "parse error"},
                    BuildRefusal{R"({"name": "a", "name": "b"})", 2, "names the key \"name\" twice"},
                    BuildRefusal{R"({"events": [{"label": "x", "label": "y"}]})", 2, "\"label\" twice"},
                    BuildRefusal{R"({"laps": "3"})", 2, "laps: expected an integer"},
                    BuildRefusal{R"({"packages": [{"short1": 70000}]})", 2, "packages[0].short1: 70000"},
                    BuildRefusal{R"({"events": [{"label": "\u0001"}]})", 2, "events[0].label: holds U+0001"},
                    BuildRefusal{R"({"eventTriggers": [{"key": 1}, {"key": 1}]})", 2, "already the key"},
                    BuildRefusal{R"({"name": "\u4e2d"})", 2, "name: holds U+4E2D"},
                    BuildRefusal{R"({"aiRacers": [[1, 2, 3]]})", 2, "aiRacers[0]: expected 12 integers"},
                    BuildRefusal{R"({"title": "x"})", 2, "unknown key \"title\""}));

TEST_F(ScenarioCommands, BuildFileFailures) {
    auto noInput = RunTool({"scenario", "build", dir / "absent.json", dir / "out.scn"});
    EXPECT_EQ(noInput.status, 1);
    EXPECT_EQ(noInput.err, "routewright-cli: " + (dir / "absent.json") + ": cannot open the file\n");
    EXPECT_FALSE(fs::exists(dir / "out.scn"));

    auto folderInput = RunTool({"scenario", "build", dir.Path().string(), dir / "out.scn"});
    EXPECT_EQ(folderInput.status, 1);
    EXPECT_EQ(folderInput.err, "routewright-cli: " + dir.Path().string() + ": cannot read the file\n");

    WriteFileBytes(dir / "in.json", "{}");
    const std::string unwritable = dir / "no/such/folder/out.scn";
    auto noOutput = RunTool({"scenario", "build", dir / "in.json", unwritable});
    EXPECT_EQ(noOutput.status, 1);
    EXPECT_EQ(noOutput.err, "routewright-cli: " + unwritable + ": cannot write the scenario file\n");
}

TEST(CliUsage, HelpOnEverySubcommandSucceeds) {
    const std::vector<std::vector<std::string>> commands{{},
                                                         {"scenario"},
                                                         {"scenario", "dump"},
                                                         {"scenario", "build"},
                                                         {"city"},
                                                         {"city", "info"},
                                                         {"city", "tile"},
                                                         {"route"},
                                                         {"course"},
                                                         {"render"},
                                                         {"race"},
                                                         {"make-city"},
                                                         {"make-demo"}};
    for (auto args : commands) {
        args.push_back("--help");
        auto r = RunTool(args);
        EXPECT_EQ(r.status, 0) << testing::PrintToString(args);
        EXPECT_NE(r.out.find("Usage"), std::string::npos) << r.out;
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(RunTool({"scenario", "build", "-h"}).status, 0);
    EXPECT_NE(RunTool({"race", "--help"}).out.find("--checkpoint"), std::string::npos);
}

TEST(CliUsage, ParseErrorsAreUsageErrors) {
    struct Case {
        std::vector<std::string> args;
        const char* what;
    };
    for (const auto& c : std::vector<Case>{{{}, "usage"},
                                           {{"frobnicate"}, "usage"},
                                           {{"scenario"}, "scenario"},
                                           {{"scenario", "explode"}, "scenario"},
                                           {{"scenario", "dump"}, "scenario dump"},
                                           {{"scenario", "dump", "a", "b"}, "scenario dump"},
                                           {{"scenario", "build", "in.json"}, "scenario build"},
                                           {{"scenario", "dump", "--bogus", "a"}, "scenario dump"}}) {
        auto r = RunTool(c.args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(c.args);
        EXPECT_EQ(r.err.rfind(std::string("routewright-cli: ") + c.what + ": ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_NE(RunTool({"frobnicate"}).err.find("unknown subcommand \"frobnicate\""), std::string::npos);
    EXPECT_NE(RunTool({"scenario", "--frob"}).err.find("unknown option \"--frob\""), std::string::npos);
}

}  // namespace
}  // namespace rw::cli::test
