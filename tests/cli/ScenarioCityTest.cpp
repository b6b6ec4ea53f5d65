// `scenario dump` / `scenario build` (round trips, defaults, the reader's normal form) and `make-city` run as
// a process.
#include <gtest/gtest.h>

#include "CliTest.h"

namespace rw::cli::test {
namespace {

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

TEST_F(CliTest, ScenarioBuildDumpBuildIsByteExact) {
    WriteFileBytes(At("@in.json"), kFullDocument);
    const auto built = RunTool({"scenario", "build", "@in.json", "@a.scn"});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.out + built.err, "");
    const auto dumped = RunTool({"scenario", "dump", "@a.scn"});
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    // Keys in member order, laid out as a two-space indented document (the text is streamed, not dumped).
    EXPECT_EQ(dumped.out, Json::parse(kFullDocument).dump(2) + "\n");
    WriteFileBytes(At("@d.json"), dumped.out);
    ASSERT_EQ(RunTool({"scenario", "build", "@d.json", "@b.scn"}).status, 0);
    EXPECT_EQ(ReadFileBytes(At("@a.scn")), ReadFileBytes(At("@b.scn")));
}

TEST_F(CliTest, MakeCityIsDeterministicPerSeedNamedAndDensityOrdered) {
    for (const Args& args :
         std::vector<Args>{{"make-city", "-o", "@a.urb", "--seed", "5"},
                           {"make-city", "--seed", "5", "--output", "@b.urb"},
                           {"make-city", "-o", "@sparse.urb", "--name", "Neu K\u00f6ln", "--roads", "Sparse"},
                           {"make-city", "-o", "@dense.urb", "--roads", "dense"}}) {
        ASSERT_EQ(RunTool(args).status, 0) << testing::PrintToString(args);
    }
    EXPECT_EQ(ReadFileBytes(At("@a.urb")), ReadFileBytes(At("@b.urb")));
    const Json sparse = RunJson({"city", "info", "@sparse.urb"}),
               dense = RunJson({"city", "info", "@dense.urb"});
    EXPECT_EQ(sparse["name"], "Neu K\u00f6ln");
    EXPECT_EQ(dense["name"], "Generated City");
    EXPECT_GT(dense["tunnelTiles"].get<int>(), 0);
    EXPECT_LT(sparse["roadTiles"].get<int>(), dense["roadTiles"].get<int>());
}

}  // namespace
}  // namespace rw::cli::test
