// `scenario dump` / `scenario build` (round trips, defaults, the reader's normal form), `city info`, `city
// tile` and `make-city` run as a process.
#include <gtest/gtest.h>

#include <memory>

#include "CliTest.h"
#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "scenario/ReadScenario.h"
#include "scenario/WriteScenario.h"

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
    EXPECT_EQ(RunTool({"scenario", "dump", "@b.scn"}).out, dumped.out);

    // The file holds the texts in the game's code page and the numbers in their full ranges.
    scenario::Scenario s;
    ASSERT_TRUE(scenario::ReadScenario(s, At("@a.scn")));
    EXPECT_EQ(s.cityFile, "Caf\xE9.urb");
    EXPECT_EQ(s.loseText, "\x81\x9D");
    EXPECT_EQ(s.bonus, -2147483647 - 1);
    EXPECT_EQ(s.aiRacers.at(0).word3, 4294967295u);
    EXPECT_EQ(s.eventTriggers.begin()->first, -7);
}

TEST_F(CliTest, CityInfoCountsRoadsAndTunnels) {
    EXPECT_EQ(RunJson({"city", "info", city}), Json::parse(R"({"name": "Test City",
        "graphMax": [500, 500, 500, 500, 1, 777, 1, 1, 100, 100, 150, 90, 15, 1, 1, 15],
        "roadTiles": 46, "tunnelTiles": 1})"));
}

TEST_F(CliTest, CityTileReportsLayersTestsColourAndStatusText) {
    EXPECT_EQ(RunJson({"city", "tile", city, "12", "10"}),
              Json::parse(R"({"x": 12, "y": 10, "building": 81, "zone": 0, "altitude": 3, "bits": 0,
        "tunnel": 0, "road": true, "drivable": true, "transport": true, "colour": 63,
        "description": "12,10 - Road Here"})"));
    const std::vector<std::pair<Args, const char*>> tiles{
        {{"12", "50"}, R"({"building": 73, "road": false, "drivable": true, "transport": true, "colour": 63,
                           "description": "12,50 - No Road Here"})"},
        {{"50", "12"}, R"({"x": 50, "y": 12, "colour": 28})"},  // x and y are not swapped
        {{"14", "50"}, R"({"road": true, "drivable": false, "transport": false, "colour": 214})"},
        {{"16", "50"}, R"({"description": "16,50 - Police Station"})"},
        {{"18", "50"}, R"({"bits": 4, "colour": 36})"},
        {{"20", "50"},
         R"({"altitude": 3075, "tunnel": 3, "colour": 60, "description": "20,50 - Road Here"})"},
        {{"22", "50"}, R"({"zone": 18, "colour": 87})"},
        {{"127", "127"}, R"({"description": "127,127 - No Road Here", "colour": 214})"},
        {{"010", "010"}, R"({"x": 10, "y": 10})"},  // leading zeros are decimal, not octal
    };
    for (const auto& [xy, expected] : tiles) {
        ExpectMembers(RunJson({"city", "tile", city, xy[0], xy[1]}), Json::parse(expected),
                      xy[0] + "," + xy[1]);
    }
}

TEST_F(CliTest, MakeCityIsDeterministicPerSeedNamedAndDensityOrdered) {
    for (const Args& args :
         std::vector<Args>{{"-o", "@a.urb", "--seed", "5"},
                           {"--seed", "5", "--output", "@b.urb"},
                           {"-o", "@sparse.urb", "--name", "Neu K\u00f6ln", "--roads", "Sparse"},
                           {"-o", "@dense.urb", "--roads", "dense"}}) {
        Args all{"make-city"};
        all.insert(all.end(), args.begin(), args.end());
        ASSERT_EQ(RunTool(all).status, 0) << testing::PrintToString(args);
    }
    EXPECT_EQ(ReadFileBytes(At("@a.urb")), ReadFileBytes(At("@b.urb")));
    auto loaded = std::make_unique<city::CityMap>();
    ASSERT_TRUE(city::LoadCityFile(*loaded, At("@sparse.urb")));
    EXPECT_EQ(loaded->Name(), "Neu K\xF6ln");  // stored in the game's code page
    const Json sparse = RunJson({"city", "info", "@sparse.urb"}),
               dense = RunJson({"city", "info", "@dense.urb"});
    EXPECT_EQ(sparse["name"], "Neu K\u00f6ln");
    EXPECT_EQ(dense["name"], "Generated City");
    EXPECT_GT(dense["tunnelTiles"].get<int>(), 0);
    EXPECT_LT(sparse["roadTiles"].get<int>(), dense["roadTiles"].get<int>());
}

}  // namespace
}  // namespace rw::cli::test
