// The editor's document commands: New, Load, Save, Load City File, Exit, close and the game launch.
#include <optional>

#include "city/CityFileName.h"
#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "editor/CourseEditor.h"
#include "editor/GamePaths.h"
#include "editor/RaceRules.h"
#include "res/StringTable.h"
#include "scenario/ReadScenario.h"
#include "scenario/Windows1252.h"
#include "scenario/WriteScenario.h"

namespace rw::editor {

namespace {

std::string FailureMessage(std::string_view action, std::string_view path, std::string_view reason) {
    std::string message(action);
    message += " \"";
    message += path;
    message += "\": ";
    message += reason;
    message += '.';
    return message;
}

}  // namespace

bool CourseEditor::SaveFirstIfAsked() {
    switch (m_host.AskSaveQuestion(true)) {
        case SaveAnswer::Yes:
            OnSaveScenario();
            return !m_modified;
        case SaveAnswer::Cancel:
            return false;
        case SaveAnswer::No:
            return true;
    }
    return true;
}

void CourseEditor::ShowFailure(const std::string& message) {
    m_host.ShowMessage(message, res::String(res::StringId::EditorCaption), MessageIcon::Exclamation);
}

std::optional<std::string> CourseEditor::LoadCity(std::string_view fileName) {
    const std::string path = CityPath(m_gameFolder, fileName);
    if (fileName.empty()) {
        return FailureMessage("Could not load the city file", path, "the scenario names no city file");
    }
    // Only a file of the cities folder is ever opened for a scenario.
    if (!city::IsBareCityFileName(fileName)) {
        return FailureMessage(
            "Could not load the city file", fileName,
            "the name holds a folder, and cities are read only from the game's cities folder");
    }
    const res::FileResult loaded = city::LoadCityFileResult(*m_city, path);
    if (loaded) {
        return std::nullopt;
    }
    return FailureMessage("Could not load the city file", path, res::Describe(loaded));
}

// Draws the city and the route; without a city the map keeps the blank picture, and the cleared building
// layer lets no checkpoint be placed.
void CourseEditor::ShowLoadedCity(bool cityLoaded) {
    RebuildRoute();
    if (!cityLoaded) {
        ShowBlankMapPicture();
    }
}

void CourseEditor::OnNewScenario() {
    if (!m_view.Text(ControlId::CityFile).empty() && !SaveFirstIfAsked()) {
        return;
    }
    ResetToFreshScenario();
    m_difficulty = 0;
    m_view.SelectDifficulty(0);
    m_lastPath.clear();
    StartFreshHistory();
    m_view.RepaintMap();
}

void CourseEditor::OnLoadScenario() {
    if (m_modified && !SaveFirstIfAsked()) {
        return;
    }
    const std::optional<std::string> chosen = m_host.PickScenario(ScenarioFolder(m_gameFolder));
    if (!chosen) {
        m_view.RepaintMap();
        return;
    }

    ResetToFreshScenario();
    m_scenario = scenario::Scenario{};
    const std::string path = ScenarioPath(m_gameFolder, *chosen);
    if (const res::FileResult read = scenario::ReadScenarioResult(m_scenario, path); !read) {
        // What a refused file left behind is no race to show or to save over another file.
        ResetToFreshScenario();
        m_view.RepaintMap();
        ShowFailure(FailureMessage("Could not load the scenario", path, res::Describe(read)));
        return;
    }
    m_modified = false;

    const std::optional<std::string> cityFailure = LoadCity(scenario::Windows1252ToUtf8(m_scenario.cityFile));
    ShowScenarioInFields();
    RefillCheckpointList();
    ShowLoadedCity(!cityFailure);
    if (!m_scenario.aiRacers.empty()) {
        m_difficulty = DifficultyOfLevel(m_scenario.aiRacers.front().word10);
    }
    // A level outside the three the editor knows leaves no entry selected.
    m_view.SelectDifficulty(m_difficulty);
    m_lastPath = path;
    StartFreshHistory();
    m_view.RepaintMap();
    if (cityFailure) {
        ShowFailure(*cityFailure);
    }
}

bool CourseEditor::RefusedForSave() {
    CommitFields();
    if (const auto refusal = RefuseSave(FieldBytes(ControlId::RaceTitle), m_scenario.checkpoints.size())) {
        m_host.ShowMessage(res::String(refusal->text), res::String(refusal->caption), MessageIcon::None);
        return true;
    }
    return false;
}

void CourseEditor::OnSaveScenario() {
    if (RefusedForSave()) {
        return;
    }
    if (const std::optional<std::string> path = m_host.AskSavePath(ScenarioFolder(m_gameFolder))) {
        SaveTo(*path);
    }
}

void CourseEditor::OnSaveToLastFile() {
    if (m_lastPath.empty()) {
        OnSaveScenario();
        return;
    }
    if (RefusedForSave()) {
        return;
    }
    SaveTo(m_lastPath);
}

void CourseEditor::SaveTo(const std::string& path) {
    StoreRaceForSave(m_scenario, ReadRaceFields());
    const res::FileResult written = scenario::WriteScenarioResult(m_scenario, path);
    RefillCheckpointList(m_selectedCheckpoint);
    if (!written) {
        // The race is still only in the editor: keep it marked unsaved.
        ShowFailure(FailureMessage("Could not save the scenario", path, res::Describe(written)));
        return;
    }
    m_lastPath = path;
    m_history.MarkClean();
    UpdateModified();
}

void CourseEditor::OnLoadCityFile() {
    if (m_modified && !SaveFirstIfAsked()) {
        return;
    }
    const std::optional<std::string> chosen = m_host.PickCity(CityFolder(m_gameFolder));
    if (!chosen) {
        return;
    }
    const std::optional<std::string> nameBytes = scenario::Utf8ToWindows1252(*chosen);
    if (!nameBytes) {
        ShowFailure(FailureMessage("Could not use the city file", CityPath(m_gameFolder, *chosen),
                                   "its name holds characters a scenario cannot store"));
        return;
    }

    ResetToFreshScenario();
    m_scenario.cityFile = *nameBytes;
    const std::optional<std::string> cityFailure = LoadCity(*chosen);
    ShowScenarioInFields();
    m_scenario.checkpoints.clear();
    ShowLoadedCity(!cityFailure);
    m_lastPath.clear();
    StartFreshHistory();
    if (cityFailure) {
        ShowFailure(*cityFailure);
    }
}

void CourseEditor::OnExit() {
    if (m_modified && !SaveFirstIfAsked()) {
        return;
    }
    m_host.EndEditor();
}

// The close box and Escape ask exactly as Exit does, and a refused or cancelled save keeps the editor open
// rather than dropping the race.
void CourseEditor::OnClose() {
    OnExit();
}

void CourseEditor::OnEnterGame() {
    if (m_modified) {
        const SaveAnswer answer = m_host.AskSaveQuestion(true);
        if (answer == SaveAnswer::Cancel) {
            return;
        }
        if (answer == SaveAnswer::Yes) {
            OnSaveScenario();  // the game starts whatever the save did
        }
    }
    if (!m_host.LaunchGame(GameExecutable(m_gameFolder), WorkingFolder(m_gameFolder))) {
        m_host.ShowMessage(res::String(res::StringId::LaunchFailedText),
                           res::String(res::StringId::LaunchFailedCaption), MessageIcon::Exclamation);
    }
}

}  // namespace rw::editor
