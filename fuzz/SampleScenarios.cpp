// Sample scenarios for seeds and tests.
#include "SampleScenarios.h"

#include <string>

#include "editor/StoreRaceFields.h"

namespace rw::fuzz {

using scenario::Scenario;

Scenario FullScenario(int checkpoints) {
    Scenario s;
    s.cityFile = "harbour.urb";
    s.introMovie = "intro.smk";
    s.introText = "Race: Dock && Yard";
    s.winMovie = "mix_racerwinx.smk";
    s.winText = "Won \xE9t\xE9";
    s.loseMovie = "mix_racerlose.smk";
    s.loseText = "Lost";
    s.name = "Dock && Yard";
    s.timeLimit = 300;
    s.bonus = -5;
    s.pack = 2;
    s.ammo = 15;
    s.laps = 3;
    s.checkpointBonus = 12;
    s.prgn = 7;
    s.episode = {1, 50000, 2, 1, 1, -1};
    for (std::uint32_t i = 0; i < 4; ++i) {
        scenario::AiRacer r;
        r.word0 = i + 1;
        r.word3 = 0x00020001u + i;
        r.word7 = 80 + static_cast<std::int32_t>(i);
        r.word8 = 75;
        r.word10 = i == 0 ? 2 : 0;
        r.word11 = 0xFFFFFFFFu;
        s.aiRacers.push_back(r);
    }
    for (std::uint32_t i = 0; i < 3; ++i) {
        scenario::ScenarioEvent e;
        e.value0 = i;
        e.value1 = 0x80000000u;
        e.value3 = 9;
        e.values.assign(i * 2, 0xABCD0000u + i);
        e.value4 = static_cast<std::int32_t>(i);
        e.text1 = i == 1 ? "" : "go";
        e.text2 = "second text " + std::to_string(i);
        e.text3 = i == 2 ? "" : "third";
        e.label = "label" + std::to_string(i);
        s.events.push_back(e);
    }
    for (std::uint16_t i = 0; i < 2; ++i) {
        scenario::Package p;
        p.value0 = 100u + i;
        p.value2 = 0xDEADBEEFu;
        p.short0 = i;
        p.short3 = 0xFFFF;
        p.text1 = "crate";
        p.text3 = "third \x80";
        p.text6 = "last";
        s.packages.push_back(p);
    }
    s.eventTriggers[-3] = {1, 2, "on enter", ""};
    s.eventTriggers[0] = {0, 0, "", ""};
    s.eventTriggers[40] = {7, 0xFFFF, "t1", "t2"};
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
