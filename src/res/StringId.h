// Names for the string-table ids the program looks up by name.
#pragma once

namespace rw::res {

// Location names (128-155) are looked up by table, not by name.
enum class StringId : int {
    AboutEntry = 101,
    Checkpoints = 111,
    RaceSpecifications = 112,
    Seconds = 113,
    CheckpointTimeBonus = 114,
    TimeLimit = 115,
    CityFile = 116,
    Laps = 117,
    Racers = 118,
    RaceTitle = 119,
    DeleteCheckpoint = 120,
    New = 121,
    LoadScenario = 122,
    SaveScenario = 123,
    LoadCityFile = 124,
    Checkpoint = 125,
    Untitled = 126,
    RoadHere = 127,
    NoRoadHere = 132,
    StartFinish = 156,
    Finish = 157,
    NoTitleText = 158,
    Exit = 159,
    RaceDifficulty = 160,
    ClickMapHint = 161,
    EnterVortane = 162,
    LaunchFailedText = 163,
    LaunchFailedCaption = 164,
    NoTitleCaption = 165,
    SaveQuestionText = 166,
    SaveQuestionCaption = 167,
    UserCreatedRace = 168,
    NoCheckpointsText = 169,
    NoCheckpointsCaption = 170,
    Start = 171,
    SelectScenarioFile = 172,
    SelectCityFile = 173,
    EditorCaption = 174,
};

}  // namespace rw::res
