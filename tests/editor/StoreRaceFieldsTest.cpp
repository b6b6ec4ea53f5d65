// The race form's transfer into the scenario.
#include <gtest/gtest.h>

#include <tuple>

#include "ScenarioTestFiles.h"
#include "editor/StoreRaceFields.h"

namespace rw::scenario {
namespace {

using rw::editor::RaceFields;
using rw::editor::StoreRaceFields;

using Levels = std::tuple<std::int32_t, std::uint32_t, std::int32_t>;  // word7, word8, word10

std::vector<Levels> LevelsOf(const Scenario& s) {
    std::vector<Levels> out;
    for (const AiRacer& r : s.aiRacers) {
        out.emplace_back(r.word7, r.word8, r.word10);
    }
    return out;
}

RaceFields Fields(std::int32_t racers, int difficulty) {
    return RaceFields{"Metro.urb", "Dock Run", 240, 12, 2, racers, difficulty};
}

TEST(StoreRaceFieldsTest, RacerLevelsForEveryDifficultyRow) {
    const struct {
        std::int32_t racers;
        int difficulty;  // -1, 3 and 7: no selection, easy racers at level 1
        std::vector<Levels> expected;
    } cases[] = {
        {3, 1, {{80, 75, 2}, {180, 165, 3}, {80, 75, 2}}},
        {2, 0, {{160, 150, 1}, {80, 75, 1}}},
        {4, 2, {{200, 180, 3}, {80, 75, 3}, {200, 180, 4}, {80, 75, 3}}},
        {0, 2, {}},
        {3, -1, {{80, 75, 1}, {160, 150, 2}, {80, 75, 1}}},
        {3, 3, {{80, 75, 1}, {160, 150, 2}, {80, 75, 1}}},
        {3, 7, {{80, 75, 1}, {160, 150, 2}, {80, 75, 1}}},
    };
    Scenario s;  // one document throughout: each store replaces the racers
    for (const auto& c : cases) {
        StoreRaceFields(s, Fields(c.racers, c.difficulty));
        EXPECT_EQ(LevelsOf(s), c.expected) << c.racers << " on " << c.difficulty;
        for (const AiRacer& r : s.aiRacers) {
            EXPECT_EQ(r, (AiRacer{1, 1, 2, 0, 0, 0, 0, r.word7, r.word8, 0, r.word10, 0}));
        }
    }
}

TEST(StoreRaceFieldsTest, ResetsAndKeepsTheRightMembers) {
    Scenario s = rw::scenario::testing::FullScenario();
    s.episode = {4, 4, 4, 4, 4, 4};
    Scenario expected = s;
    StoreRaceFields(s, Fields(0, 0));
    expected.cityFile = "Metro.urb";
    expected.timeLimit = 240;
    expected.checkpointBonus = 12;
    expected.laps = 2;
    expected.introMovie = expected.winMovie = expected.winText = expected.loseMovie = expected.loseText = "";
    expected.bonus = expected.pack = expected.startX = expected.startY = 0;
    expected.ammo = 15;
    expected.aiRacers.clear();
    expected.events.clear();
    expected.packages.clear();
    expected.episode = {4, 1, 50000, 4, 4, 2};
    expected.name = "Dock Run";
    expected.introText = "User created race course: Dock Run";
    EXPECT_EQ(s, expected) << "prgn, the checkpoints and the triggers are kept";
}

}  // namespace
}  // namespace rw::scenario
