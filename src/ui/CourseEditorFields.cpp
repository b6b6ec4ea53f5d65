// The editor window's field transfers, spins, difficulty and checkpoint list.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>

#include "CourseEditorDlg.h"
#include "FieldValidator.h"
#include "city/CityMap.h"
#include "res/StringTable.h"
#include "scenario/StoreRaceFields.h"
#include "scenario/Windows1252.h"

namespace rw::ui {

std::string CourseEditorDlg::FieldBytes(int id) const {
    std::string bytes;
    // The fields refuse characters without a byte as they are typed; anything else is dropped here.
    for (const char32_t codePoint : Edit(id)->text().toUcs4()) {
        if (const auto byte = rw::scenario::EncodeWindows1252(codePoint)) {
            bytes.push_back(static_cast<char>(*byte));
        }
    }
    return bytes;
}

void CourseEditorDlg::SetFieldBytes(int id, const std::string& bytes) {
    FieldValidator::SetText(*Edit(id), QString::fromStdString(rw::scenario::Windows1252ToUtf8(bytes)));
}

std::int32_t CourseEditorDlg::FieldInt(int id) const {
    bool ok = false;
    const int value = Edit(id)->text().trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

void CourseEditorDlg::SetFieldInt(int id, std::int64_t value) {
    Edit(id)->setText(QString::number(value));
}

void CourseEditorDlg::ReadFieldsIntoScenario() {
    rw::scenario::StoreRaceFields(m_scenario, ReadRaceFields());
}

rw::scenario::RaceFields CourseEditorDlg::ReadRaceFields() const {
    rw::scenario::RaceFields fields;
    fields.laps = FieldInt(1072);
    fields.checkpointBonus = FieldInt(1074);
    fields.cityFile = FieldBytes(1017);
    fields.racers = FieldInt(1081);
    fields.difficulty = m_difficultyCombo->currentIndex();
    fields.timeLimit = FieldInt(1079);
    fields.title = FieldBytes(1077);
    return fields;
}

// The title field shows the name with its ampersands single again, so that storing it back doubles each
// one once only.
void CourseEditorDlg::ShowScenarioInFields() {
    SetFieldInt(1072, m_scenario.laps);
    SetFieldInt(1074, m_scenario.checkpointBonus);
    SetFieldBytes(1077, rw::scenario::SingleAmpersands(m_scenario.name));
    SetFieldBytes(1017, m_scenario.cityFile);
    SetFieldInt(1081, static_cast<std::int64_t>(m_scenario.aiRacers.size()));
    SetFieldInt(1079, m_scenario.timeLimit);
    const QSignalBlocker quiet(m_difficultyCombo);
    m_difficultyCombo->setCurrentIndex(
        m_difficulty >= 0 && m_difficulty < m_difficultyCombo->count() ? m_difficulty : -1);
}

void CourseEditorDlg::ResetToFreshScenario() {
    m_scenario = rw::scenario::Scenario{};
    m_scenario.laps = 1;
    m_scenario.name = std::string(rw::res::String(126));
    ShowScenarioInFields();
    m_city->ClearBuildings();
    ShowBlankMapPicture();
    RefillCheckpointList();
    m_modified = false;
}

void CourseEditorDlg::OnClickLapsSpin() {
    ReadFieldsIntoScenario();
    ShowScenarioInFields();
}

void CourseEditorDlg::OnClickRacersSpin() {
    ReadFieldsIntoScenario();
    ShowScenarioInFields();
}

void CourseEditorDlg::OnDeltaposRacersSpin(int delta) {
    const std::int64_t racers = std::clamp<std::int64_t>(std::int64_t{FieldInt(1081)} - delta, 0, 8);
    SetFieldInt(1081, racers);
    ReadFieldsIntoScenario();
    ShowScenarioInFields();
}

void CourseEditorDlg::OnDeltaposLapsSpin(int delta) {
    const std::int64_t laps = std::clamp<std::int64_t>(std::int64_t{FieldInt(1072)} - delta, 1, 100);
    SetFieldInt(1072, laps);
    ReadFieldsIntoScenario();
    RefillCheckpointList();
}

void CourseEditorDlg::OnSelchangeCheckpoints() {
    ReadFieldsIntoScenario();
    m_selectedCheckpoint = m_checkpointList->currentRow();
    ShowScenarioInFields();
    UpdateMapArea();
}

}  // namespace rw::ui
