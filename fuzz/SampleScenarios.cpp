// Sample scenarios for seeds and tests.
#include "SampleScenarios.h"

#include <string>

#include "editor/StoreRaceFields.h"
#include "scenario/ScenarioTestFiles.h"

namespace rw::fuzz {

using scenario::Scenario;

Scenario FullScenario(int checkpoints) {
    Scenario s = scenario::testing::FullScenario();
    s.checkpoints.clear();
    for (int i = 0; i < checkpoints; ++i) {
        const auto step = static_cast<std::uint16_t>(i % 100);
        s.checkpoints.push_back(i < 100 ? scenario::TilePos{static_cast<std::uint16_t>(10 + step), 20}
                                        : scenario::TilePos{static_cast<std::uint16_t>(110 - step), 60});
    }
    if (!s.checkpoints.empty()) {
        s.startX = s.checkpoints.front().x;
        s.startY = s.checkpoints.front().y;
    }
    return s;
}

Scenario EditorRace() {
    Scenario s;
    s.checkpoints = {{12, 40}, {30, 40}, {30, 71}, {12, 71}};
    editor::RaceFields fields;
    fields.cityFile = "riverside.urb";
    fields.title = "Bridge & Tunnel";
    fields.timeLimit = 240;
    fields.checkpointBonus = 10;
    fields.laps = 2;
    fields.racers = 3;
    fields.difficulty = 1;
    editor::StoreRaceFields(s, fields);
    return s;
}

}  // namespace rw::fuzz
