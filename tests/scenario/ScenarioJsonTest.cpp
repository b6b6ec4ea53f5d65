// Tests of the Scenario <-> JSON converters: defaults and every class of refused input (the round trip is
// the scenario_json fuzz target's, replayed over its corpus).
#include "scenario/ScenarioJson.h"

#include <gtest/gtest.h>

#include "ScenarioTestFiles.h"

#include <string>

namespace rw::scenario {
namespace {

using Json = nlohmann::ordered_json;
using rw::scenario::testing::FullScenario;

TEST(ScenarioJson, MissingKeysKeepDefaults) {
    const Json json = Json::parse(R"({"laps": 2, "events": [{"label": "x"}], "packages": [{}],
        "eventTriggers": [{"key": 3}, {"key": -1, "text2": "t"}]})");
    Scenario s;
    std::string error;
    ASSERT_TRUE(ScenarioFromJson(json, s, error)) << error;
    Scenario expected;
    expected.laps = 2;
    expected.events = {{0, 0, 0, 0, {}, 0, "", "", "", "x"}};
    expected.packages.resize(1);
    expected.eventTriggers = {{-1, {0, 0, "", "t"}}, {3, {}}};
    EXPECT_EQ(s, expected);
}

// Every class of refused input: the error starts with where it is, and the target is left as it was.
TEST(ScenarioJson, RefusalsSayWhereAndLeaveTheTargetAlone) {
    const struct {
        const char* json;
        const char* where;  // the start of the expected error
    } cases[] = {
        // not an object, unknown keys
        {"[]", "expected an object"},
        {R"({"nme": "x"})", "unknown key \"nme\""},
        {R"({"events": [{"lable": "x"}]})", "events[0]: unknown key"},
        // wrong types
        {R"({"laps": "1"})", "laps: expected an integer"},
        {R"({"name": 5})", "name: expected a string"},
        {R"({"events": {}})", "events: expected an array"},
        // ranges of each width
        {R"({"timeLimit": 2147483648})", "timeLimit: 2147483648 is outside"},
        {R"({"episode": [0, 0, 0, 1, 1, 4294967295]})", "episode[5]: 4294967295 is outside"},
        {R"({"events": [{"values": [1, -2]}]})", "events[0].values[1]: -2 is outside"},
        {R"({"packages": [{"short2": 65536}]})", "packages[0].short2: 65536 is outside"},
        {R"({"eventTriggers": [{"key": 2147483648}]})", "eventTriggers[0].key: 2147483648"},
        {R"({"aiRacers": [[0,0,0,0,0,0,0,2147483648,0,0,0,0]]})", "aiRacers[0][7]: 2147483648"},
        {R"({"aiRacers": [[0,0,0,4294967296,0,0,0,0,0,0,0,0]]})", "aiRacers[0][3]: 4294967296"},
        // separator byte where the file uses it
        {R"({"events": [{"label": "a\u0001b"}]})", "events[0].label: holds U+0001"},
        // characters the texts cannot carry
        {R"({"name": "a\u0000b"})", "name: holds U+0000"},
        {R"({"cityFile": "\u0100.urb"})", "cityFile: holds U+0100"},
        {R"({"eventTriggers": [{"key": 0, "text1": "\ud83d\ude00"}]})",
         "eventTriggers[0].text1: holds U+1F600"},
        // fixed-size arrays
        {R"({"aiRacers": [[0,0,0,0,0,0,0,0,0,0,0]]})", "aiRacers[0]: expected 12 integers, found 11"},
        {R"({"episode": [0, 0, 0, 1, 1]})", "episode: expected 6 integers, found 5"},
        {R"({"episode": [0, 0, "0", 1, 1, 0]})", "episode[2]: expected an integer"},
        {R"({"checkpoints": [[1]]})", "checkpoints[0]: expected an [x, y] pair"},
        // triggers; the first late, after valid members, none of which may reach the target
        {R"({"name": "kept?", "laps": 5, "checkpoints": [[1, 2]],
             "eventTriggers": [{"key": 4}, {"key": 5}, {"key": 4}]})",
         "eventTriggers[2].key: 4 is already the key of eventTriggers[0]"},
        {R"({"eventTriggers": [{"value0": 4}]})", "eventTriggers[0]: missing key \"key\""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        Scenario target = FullScenario();
        const Scenario before = target;
        std::string error;
        EXPECT_FALSE(ScenarioFromJson(Json::parse(c.json), target, error));
        EXPECT_EQ(error.rfind(c.where, 0), 0u) << "error was: " << error;
        EXPECT_EQ(target, before);
    }
}

}  // namespace
}  // namespace rw::scenario
