// The editor's map: the picture, the mouse on it, the Checkpoints list and the checkpoint edits.
#include "city/CityMap.h"
#include "city/MapPicking.h"
#include "city/TileCodes.h"
#include "editor/CourseEditor.h"
#include "route/CheckpointList.h"
#include "route/RaceRoute.h"

namespace rw::editor {

void CourseEditor::ShowBlankMapPicture() {
    city::ShowBlankMapPicture(m_mapPixels);
    m_view.RepaintMap();
}

void CourseEditor::RedrawMap() {
    city::RedrawMap(*m_city, m_route->Map(), m_mapPixels);
    m_view.RepaintMap();
}

void CourseEditor::OnMouseMove(int px, int py) {
    if (m_view.Text(ControlId::CityFile).empty()) {
        return;
    }
    m_view.SetText(ControlId::Status, city::TileStatusText(*m_city, px, py));
}

void CourseEditor::OnLButtonDown(int px, int py) {
    ReadFieldsIntoScenario();
    const auto tile = city::TileFromPoint(px, py);
    if (tile && city::IsRoadTile(m_city->Building(tile->x, tile->y))) {
        AddCheckpoint(tile->x, tile->y);
    }
    m_view.RepaintMap();
}

void CourseEditor::OnRButtonDown(int px, int py) {
    ReadFieldsIntoScenario();
    const auto tile = city::TileFromPoint(px, py);
    if (tile && city::IsRoadTile(m_city->Building(tile->x, tile->y))) {
        MoveCheckpoint(tile->x, tile->y);
    }
    RefillCheckpointList();
    m_view.RepaintMap();
}

void CourseEditor::OnDeleteCheckpoint() {
    DeleteCheckpoint();
}

int CourseEditor::ItemIndex(int row) const {
    return m_view.ListItemData(row);
}

// Every label but the first and the last is "Checkpoint <index>" whatever the lap count, and each entry's
// item data is its position, so the entries kept from the last fill only need their two ends relabelled and
// the tail trimmed or extended: an edit costs the same on any length of course.
void CourseEditor::RefillCheckpointList() {
    // The labels follow the Laps field, not the document.
    const std::int32_t laps = FieldInt(ControlId::Laps);
    const int count = static_cast<int>(m_scenario.checkpoints.size());
    while (m_view.ListCount() > count) {
        m_view.ListRemove(m_view.ListCount() - 1);
    }
    const int kept = m_view.ListCount();
    if (kept > 0) {
        m_view.ListSetLabel(0, route::CheckpointLabel(0, count, laps));
        m_view.ListSetLabel(kept - 1, route::CheckpointLabel(kept - 1, count, laps));
    }
    for (int i = kept; i < count; ++i) {
        m_view.ListInsert(i, route::CheckpointLabel(i, count, laps), i);
    }
    // As after emptying the list, its view starts at the top.
    m_view.ListScrollToTop();
    m_view.ListSelect(0);
    m_selectedCheckpoint = m_view.ListSelection();
    ShowScenarioInFields();
}

void CourseEditor::AddCheckpoint(int x, int y) {
    route::AddCheckpoint(m_scenario, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
    m_modified = true;
    RebuildRoute();
    RefillCheckpointList();
}

void CourseEditor::MoveCheckpoint(int x, int y) {
    ReadFieldsIntoScenario();
    route::MoveCheckpoint(m_scenario, ItemIndex(m_selectedCheckpoint), static_cast<std::uint16_t>(x),
                          static_cast<std::uint16_t>(y));
    RebuildRoute();
}

void CourseEditor::DeleteCheckpoint() {
    if (m_selectedCheckpoint == -1) {
        return;
    }
    route::DeleteCheckpoint(m_scenario, ItemIndex(m_selectedCheckpoint));
    RefillCheckpointList();
    RebuildRoute();
    m_view.RepaintMap();
    m_modified = true;
}

// The route keeps the legs it found per city state, so an edit searches only the legs it changed.
void CourseEditor::RebuildRoute() {
    m_route->RebuildRoute(*m_city, m_scenario.checkpoints, m_scenario.laps, m_mapPixels);
    m_view.RepaintMap();
}

}  // namespace rw::editor
