// The editor's start-up, its field transfers and the handlers of the race form.
#include "editor/CourseEditor.h"

#include <charconv>
#include <utility>

#include "city/CityMap.h"
#include "editor/RaceRules.h"
#include "res/StringTable.h"
#include "route/RaceRoute.h"
#include "scenario/Windows1252.h"

namespace rw::editor {

// The city blocks exist from the start, so a city can be loaded at any moment after.
CourseEditor::CourseEditor(EditorView& view, EditorHost& host, std::string gameFolder)
    : m_view(view),
      m_host(host),
      m_gameFolder(std::move(gameFolder)),
      m_city(std::make_unique<city::CityMap>()),
      m_route(std::make_unique<route::RaceRoute>()) {
    m_difficulty = 0;
    m_scenario.name = std::string(res::String(res::StringId::Untitled));
    ShowScenarioInFields();
    RefillCheckpointList();
    m_selectedCheckpoint = -1;
    m_view.ListSelect(-1);
    m_modified = false;
    ResetToFreshScenario();
}

CourseEditor::~CourseEditor() = default;

const route::RouteMap& CourseEditor::RouteTiles() const {
    return m_route->Map();
}

std::string CourseEditor::FieldBytes(ControlId id) const {
    return scenario::Utf8ToWindows1252Dropping(m_view.Text(id));
}

void CourseEditor::SetFieldBytes(ControlId id, std::string_view bytes) {
    m_view.SetText(id, scenario::Windows1252ToUtf8(bytes));
}

// Surrounding blanks are ignored; anything else that is not a whole decimal number in range reads as 0.
std::int32_t CourseEditor::FieldInt(ControlId id) const {
    const std::string text = m_view.Text(id);
    std::size_t begin = text.find_first_not_of(" \t");
    const std::size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos) {
        return 0;
    }
    if (text[begin] == '+') {
        ++begin;
    }
    std::int32_t value = 0;
    const char* last = text.data() + end + 1;
    const auto [stop, error] = std::from_chars(text.data() + begin, last, value);
    return error == std::errc() && stop == last ? value : 0;
}

void CourseEditor::SetFieldInt(ControlId id, std::int64_t value) {
    m_view.SetText(id, std::to_string(value));
}

void CourseEditor::ReadFieldsIntoScenario() {
    CommitFields();
    StoreRaceFields(m_scenario, m_committedFields);
}

void CourseEditor::CommitFields() {
    RaceFields fields = ReadRaceFields();
    if (fields == m_committedFields) {
        return;
    }
    EditStep step;
    step.fieldsBefore = std::move(m_committedFields);
    step.fieldsAfter = fields;
    m_history.Push(std::move(step));
    m_committedFields = std::move(fields);
}

// A lap count that opens or closes the course changes the route and the list's labels at once.
void CourseEditor::ShowFields(const RaceFields& fields) {
    SetFieldBytes(ControlId::RaceTitle, fields.title);
    SetFieldInt(ControlId::TimeLimit, fields.timeLimit);
    SetFieldInt(ControlId::Bonus, fields.checkpointBonus);
    SetFieldInt(ControlId::Laps, fields.laps);
    SetFieldInt(ControlId::Racers, fields.racers);
    SetFieldBytes(ControlId::CityFile, fields.cityFile);
    m_difficulty = fields.difficulty;
    m_view.SelectDifficulty(fields.difficulty);
    m_committedFields = fields;
    StoreRaceFields(m_scenario, fields);
    RebuildRoute();
    RefillCheckpointList(m_selectedCheckpoint);
}

void CourseEditor::UpdateModified() {
    m_modified = !m_history.IsClean() || ReadRaceFields() != m_committedFields;
}

void CourseEditor::StartFreshHistory() {
    m_history.Clear();
    m_committedFields = ReadRaceFields();
    m_dragging = false;
    m_modified = false;
}

void CourseEditor::OnEditChange(ControlId) {
    UpdateModified();
}

void CourseEditor::OnEditKillFocus(ControlId) {
    CommitFields();
    UpdateModified();
}

RaceFields CourseEditor::ReadRaceFields() const {
    RaceFields fields;
    fields.laps = FieldInt(ControlId::Laps);
    fields.checkpointBonus = FieldInt(ControlId::Bonus);
    fields.cityFile = FieldBytes(ControlId::CityFile);
    fields.racers = FieldInt(ControlId::Racers);
    fields.difficulty = m_view.DifficultySelection();
    fields.timeLimit = FieldInt(ControlId::TimeLimit);
    fields.title = FieldBytes(ControlId::RaceTitle);
    return fields;
}

// The title field shows the name with its ampersands single again, so that storing it back doubles each
// one once only.
void CourseEditor::ShowScenarioInFields() {
    SetFieldInt(ControlId::Laps, m_scenario.laps);
    SetFieldInt(ControlId::Bonus, m_scenario.checkpointBonus);
    SetFieldBytes(ControlId::RaceTitle, SingleAmpersands(m_scenario.name));
    SetFieldBytes(ControlId::CityFile, m_scenario.cityFile);
    SetFieldInt(ControlId::Racers, static_cast<std::int64_t>(m_scenario.aiRacers.size()));
    SetFieldInt(ControlId::TimeLimit, m_scenario.timeLimit);
    m_view.SelectDifficulty(
        m_difficulty >= 0 && m_difficulty < static_cast<int>(kDifficultyNames.size()) ? m_difficulty : -1);
}

void CourseEditor::ResetToFreshScenario() {
    m_scenario = scenario::Scenario{};
    m_scenario.laps = 1;
    m_scenario.name = std::string(res::String(res::StringId::Untitled));
    ShowScenarioInFields();
    m_city->ClearBuildings();
    ShowBlankMapPicture();
    RefillCheckpointList();
    StartFreshHistory();
}

void CourseEditor::OnSysCommand(unsigned int command) {
    if ((command & 0xFFF0u) == kAboutCommand) {
        OnAbout();
    }
}

void CourseEditor::OnAbout() {
    m_host.ShowAbout();
}

void CourseEditor::OnSelchangeDifficulty() {
    m_difficulty = m_view.DifficultySelection();
    CommitFields();
    UpdateModified();
}

void CourseEditor::OnClickLapsSpin() {
    ReadFieldsIntoScenario();
    ShowScenarioInFields();
    UpdateModified();
}

void CourseEditor::OnClickRacersSpin() {
    ReadFieldsIntoScenario();
    ShowScenarioInFields();
    UpdateModified();
}

void CourseEditor::OnDeltaposRacersSpin(int delta) {
    SetFieldInt(ControlId::Racers, kRacersRange.Clamp(std::int64_t{FieldInt(ControlId::Racers)} - delta));
    ReadFieldsIntoScenario();
    ShowScenarioInFields();
    UpdateModified();
}

// A lap count that opens or closes the course changes the closing leg: the route follows at once.
void CourseEditor::OnDeltaposLapsSpin(int delta) {
    SetFieldInt(ControlId::Laps, kLapsRange.Clamp(std::int64_t{FieldInt(ControlId::Laps)} - delta));
    ReadFieldsIntoScenario();
    RebuildRoute();
    RefillCheckpointList(m_selectedCheckpoint);
    UpdateModified();
}

void CourseEditor::OnSelchangeCheckpoints() {
    ReadFieldsIntoScenario();
    m_selectedCheckpoint = m_view.ListSelection();
    ShowScenarioInFields();
    m_view.RepaintMap();
}

}  // namespace rw::editor
