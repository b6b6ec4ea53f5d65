// `race` run as a process: the saved race, and every refusal.
#include <gtest/gtest.h>

#include "TestCities.h"
#include "ToolRun.h"
#include "scenario/ReadScenario.h"

namespace rw::cli::test {
namespace {

namespace fs = std::filesystem;
using scenario::AiRacer;
using scenario::TilePos;

class RaceCommand : public testing::Test {
  protected:
    void SetUp() override { WriteLCity(city); }

    std::vector<std::string> Args(std::vector<std::string> extra) {
        std::vector<std::string> args{"race", city, "-o", out};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }

    scenario::Scenario ReadOut() {
        scenario::Scenario s;
        EXPECT_TRUE(scenario::ReadScenario(s, out));
        return s;
    }

    TempFolder dir;
    std::string city = dir / "l city.urb";
    std::string out = dir / "race.scn";
};

TEST_F(RaceCommand, SavesWhatTheEditorsSaveWould) {
    auto r = RunTool(Args({"--title", "Fish & Chips", "--checkpoint", "10,10", "--checkpoint", "30,10",
                           "--checkpoint", "30,30", "--laps", "3", "--time", "99999", "--bonus", "99",
                           "--racers", "3", "--difficulty", "medium"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const scenario::Scenario s = ReadOut();
    EXPECT_EQ(s.cityFile, "l city.urb");  // the file name alone
    EXPECT_EQ(s.name, "Fish && Chips");
    EXPECT_EQ(s.introText, "User created race course: Fish && Chips");
    EXPECT_EQ(s.winMovie, "mix_racerwinx.smk");
    EXPECT_EQ(s.loseMovie, "mix_racerlose.smk");
    EXPECT_EQ(s.introMovie, "");
    EXPECT_EQ(s.laps, 3);
    EXPECT_EQ(s.timeLimit, 99999);
    EXPECT_EQ(s.checkpointBonus, 99);
    EXPECT_EQ(s.ammo, 15);
    EXPECT_EQ(s.episode, (std::array<std::int32_t, 6>{0, 1, 50000, 1, 1, 2}));
    EXPECT_EQ(s.checkpoints, (std::vector<TilePos>{kCornerA, kCornerB, kCornerC}));
    EXPECT_EQ(s.startX, 10);  // the reader's start rule
    // Three racers on Medium: the first takes the level selection + 1, the others the odd/even columns.
    ASSERT_EQ(s.aiRacers.size(), 3u);
    const std::array<std::array<std::int64_t, 3>, 3> expected{{{80, 75, 2}, {180, 165, 3}, {80, 75, 2}}};
    for (std::size_t i = 0; i < 3; ++i) {
        const AiRacer& a = s.aiRacers[i];
        EXPECT_EQ((std::array<std::int64_t, 3>{a.word7, a.word8, a.word10}), expected[i]) << i;
        EXPECT_EQ(a.word0, 1u);
        EXPECT_EQ(a.word2, 2u);
    }
    EXPECT_TRUE(s.events.empty());
    EXPECT_TRUE(s.packages.empty());
}

TEST_F(RaceCommand, DefaultsAreOneLapNoTimeNoRacersEasy) {
    ASSERT_EQ(RunTool(Args({"--title", "untitled", "--checkpoint", "12,10"})).status, 0);
    const scenario::Scenario s = ReadOut();
    EXPECT_EQ(s.name, "untitled");  // only the exact placeholder is refused
    EXPECT_EQ(s.laps, 1);
    EXPECT_EQ(s.timeLimit, 0);
    EXPECT_EQ(s.checkpointBonus, 0);
    EXPECT_TRUE(s.aiRacers.empty());

    ASSERT_EQ(RunTool(Args({"--title", std::string(20, 't'), "--checkpoint", "12,10", "--racers", "2",
                            "--difficulty", "HARD"}))
                  .status,
              0);
    const scenario::Scenario hard = ReadOut();
    ASSERT_EQ(hard.aiRacers.size(), 2u);
    EXPECT_EQ(hard.aiRacers[0].word10, 3);
    EXPECT_EQ(hard.aiRacers[0].word7, 200);  // racer number 2 takes the even column
    EXPECT_EQ(hard.aiRacers[1].word10, 3);
}

struct Refusal {
    std::vector<std::string> extra;
    const char* message;  // the expected error line after "routewright-cli: "
};

TEST_F(RaceCommand, RefusalsWriteNothing) {
    const std::vector<std::string> cp{"--checkpoint", "10,10"};
    auto with = [&](std::vector<std::string> v) {
        v.insert(v.end(), cp.begin(), cp.end());
        return v;
    };
    const std::vector<Refusal> refusals{
        {with({"--title", ""}), "--title: a race needs a title"},
        {with({"--title", "Untitled"}),
         "--title: \"Untitled\" is the placeholder of a new race, not a title"},
        {with({"--title", std::string(21, 't')}), "--title: longer than 20 characters"},
        {with({"--title", "\u4e2d"}), "--title: holds a character windows-1252 cannot encode"},
        {{"--title", "T", "--checkpoint", "12,50"},
         "--checkpoint 12,50: tile 12,50 is not a road tile of the city "
         "(building code 73)"},
        {{"--title", "T", "--checkpoint", "10,10", "--checkpoint", "0,0"},
         "--checkpoint 0,0: tile 0,0 is not a road tile of the city (building code 0)"},
        {{"--title", "T"}, "race: --checkpoint is required (see --help)"},
        {{"--title", "T", "--checkpoint", "128,0"}, nullptr},
        {{"--title", "T", "--checkpoint", "1;2"}, nullptr},
        {{"--title", "T", "--checkpoint", "10,10,1"}, nullptr},
        {with({"--title", "T", "--laps", "0"}), nullptr},
        {with({"--title", "T", "--laps", "101"}), nullptr},
        {with({"--title", "T", "--racers", "9"}), nullptr},
        {with({"--title", "T", "--racers", "-1"}), nullptr},
        {with({"--title", "T", "--time", "100000"}), nullptr},
        {with({"--title", "T", "--bonus", "100"}), nullptr},
        {with({"--title", "T", "--difficulty", "extreme"}), nullptr},
        {cp, "race: --title is required (see --help)"},
    };
    for (const Refusal& refusal : refusals) {
        auto r = RunTool(Args(refusal.extra));
        EXPECT_EQ(r.status, 2) << testing::PrintToString(refusal.extra);
        if (refusal.message) {
            EXPECT_EQ(r.err, std::string("routewright-cli: ") + refusal.message + "\n");
        } else {
            EXPECT_EQ(r.err.rfind("routewright-cli: race: ", 0), 0u) << r.err;
        }
        EXPECT_FALSE(fs::exists(out)) << testing::PrintToString(refusal.extra);
    }
    auto laps = RunTool(Args(with({"--title", "T", "--laps", "101"})));
    EXPECT_NE(laps.err.find("'101' is not an integer in 1..100"), std::string::npos) << laps.err;
}

TEST_F(RaceCommand, FileFailures) {
    auto noCity = RunTool({"race", dir / "none.urb", "-o", out, "--title", "T", "--checkpoint", "10,10"});
    EXPECT_EQ(noCity.status, 1);
    EXPECT_EQ(noCity.err, "routewright-cli: " + (dir / "none.urb") + ": cannot load it as a city file\n");
    EXPECT_FALSE(fs::exists(out));

    const std::string unwritable = dir / "missing/race.scn";
    auto noOut = RunTool({"race", city, "-o", unwritable, "--title", "T", "--checkpoint", "10,10"});
    EXPECT_EQ(noOut.status, 1);
    EXPECT_EQ(noOut.err, "routewright-cli: " + unwritable + ": cannot write the scenario file\n");
}

}  // namespace
}  // namespace rw::cli::test
