// The editor window's controls by id, as its template numbers them.
#pragma once

namespace rw::editor {

enum class ControlId : int {
    EnterGame = 1000,
    CheckpointList = 1001,
    DeleteCheckpoint = 1007,
    LoadScenario = 1008,
    SaveScenario = 1009,
    NewScenario = 1010,
    CityFile = 1017,
    LoadCityFile = 1022,
    StatusFrame = 1040,
    Map = 1041,
    Status = 1055,
    Laps = 1072,
    LapsLabel = 1073,
    Bonus = 1074,
    BonusLabel = 1075,
    RaceTitle = 1077,
    CityFileLabel = 1078,
    TimeLimit = 1079,
    LapsSpin = 1080,
    Racers = 1081,
    RacersSpin = 1082,
    CheckpointsLabel = 1086,
    SpecificationsBox = 1087,
    TimeSeconds = 1088,
    BonusSeconds = 1089,
    TimeLimitLabel = 1090,
    RacersLabel = 1091,
    Difficulty = 1100,
    DifficultyLabel = 1102,
    MapBox = 1103,
    CityBox = 1104,
    Exit = 1109,
    RaceTitleLabel = 119,
    // Our own, beyond the classic template: the legs of the course that have no road path, in words.
    RouteProblem = 1301,
};

constexpr int ToInt(ControlId id) {
    return static_cast<int>(id);
}

}  // namespace rw::editor
