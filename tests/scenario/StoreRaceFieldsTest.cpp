// The race form's transfer into the scenario.
#include <gtest/gtest.h>

#include "scenario/StoreRaceFields.h"

namespace rw::scenario {
namespace {

struct Levels {
    std::int32_t word7;
    std::uint32_t word8;
    std::int32_t word10;
    bool operator==(const Levels&) const = default;
};

std::vector<Levels> LevelsOf(const Scenario& s) {
    std::vector<Levels> out;
    for (const AiRacer& r : s.aiRacers) {
        out.push_back({r.word7, r.word8, r.word10});
    }
    return out;
}

RaceFields Fields(std::int32_t racers, int difficulty) {
    RaceFields f;
    f.cityFile = "Metro.urb";
    f.title = "Dock Run";
    f.timeLimit = 240;
    f.checkpointBonus = 12;
    f.laps = 2;
    f.racers = racers;
    f.difficulty = difficulty;
    return f;
}

TEST(StoreRaceFieldsTest, ThreeRacersOnMedium) {
    Scenario s;
    StoreRaceFields(s, Fields(3, 1));
    EXPECT_EQ(LevelsOf(s), (std::vector<Levels>{{80, 75, 2}, {180, 165, 3}, {80, 75, 2}}));
    for (const AiRacer& r : s.aiRacers) {
        EXPECT_EQ(r, (AiRacer{1, 1, 2, 0, 0, 0, 0, r.word7, r.word8, 0, r.word10, 0}));
    }
}

TEST(StoreRaceFieldsTest, EveryDifficultyRow) {
    Scenario s;
    StoreRaceFields(s, Fields(2, 0));
    EXPECT_EQ(LevelsOf(s), (std::vector<Levels>{{160, 150, 1}, {80, 75, 1}}));
    StoreRaceFields(s, Fields(4, 2));
    EXPECT_EQ(LevelsOf(s), (std::vector<Levels>{{200, 180, 3}, {80, 75, 3}, {200, 180, 4}, {80, 75, 3}}));
    StoreRaceFields(s, Fields(0, 2));
    EXPECT_TRUE(s.aiRacers.empty());
}

TEST(StoreRaceFieldsTest, NoSelectionBuildsEasyRacersAtLevelOne) {
    for (const int none : {-1, 3, 7}) {
        Scenario s;
        StoreRaceFields(s, Fields(3, none));
        EXPECT_EQ(LevelsOf(s), (std::vector<Levels>{{80, 75, 1}, {160, 150, 2}, {80, 75, 1}})) << none;
    }
}

TEST(StoreRaceFieldsTest, ResetsAndKeepsTheRightMembers) {
    Scenario s;
    s.introMovie = "i";
    s.winMovie = "w";
    s.winText = "wt";
    s.loseMovie = "l";
    s.loseText = "lt";
    s.bonus = 9;
    s.pack = 9;
    s.startX = 9;
    s.startY = 9;
    s.prgn = 33;
    s.episode = {4, 4, 4, 4, 4, 4};
    s.events.resize(2);
    s.packages.resize(1);
    s.checkpoints = {{1, 2}};
    StoreRaceFields(s, Fields(0, 0));
    EXPECT_EQ(s.cityFile, "Metro.urb");
    EXPECT_EQ(s.timeLimit, 240);
    EXPECT_EQ(s.checkpointBonus, 12);
    EXPECT_EQ(s.laps, 2);
    EXPECT_TRUE(s.introMovie.empty() && s.winMovie.empty() && s.winText.empty() && s.loseMovie.empty() &&
                s.loseText.empty());
    EXPECT_EQ(s.bonus, 0);
    EXPECT_EQ(s.pack, 0);
    EXPECT_EQ(s.ammo, 15);
    EXPECT_EQ(s.startX, 0);
    EXPECT_EQ(s.startY, 0);
    EXPECT_TRUE(s.events.empty());
    EXPECT_TRUE(s.packages.empty());
    EXPECT_EQ(s.episode, (std::array<std::int32_t, 6>{4, 1, 50000, 4, 4, 2}));
    EXPECT_EQ(s.prgn, 33);
    EXPECT_EQ(s.checkpoints, (std::vector<TilePos>{{1, 2}}));
    EXPECT_EQ(s.name, "Dock Run");
    EXPECT_EQ(s.introText, "User created race course: Dock Run");
}

TEST(StoreRaceFieldsTest, AmpersandsDoubledInNameAndIntroText) {
    Scenario s;
    RaceFields f = Fields(0, 0);
    f.title = "Rock & Roll";
    StoreRaceFields(s, f);
    EXPECT_EQ(s.name, "Rock && Roll");
    EXPECT_EQ(s.introText, "User created race course: Rock && Roll");
    // Showing the stored name and storing it again does not double again.
    f.title = SingleAmpersands(s.name);
    StoreRaceFields(s, f);
    EXPECT_EQ(s.name, "Rock && Roll");
}

TEST(StoreRaceFieldsTest, AmpersandHelpers) {
    EXPECT_EQ(DoubleAmpersands("&a&&b&"), "&&a&&&&b&&");
    EXPECT_EQ(DoubleAmpersands(""), "");
    EXPECT_EQ(SingleAmpersands("&&a&&&&b&&"), "&a&&b&");
    EXPECT_EQ(SingleAmpersands("a&b&&&c"), "a&b&&c");
    for (const char* text : {"", "&", "&&&", "x & y && z", "&&&&&"}) {
        EXPECT_EQ(SingleAmpersands(DoubleAmpersands(text)), text);
    }
}

}  // namespace
}  // namespace rw::scenario
