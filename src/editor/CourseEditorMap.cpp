// The editor's map: the picture, the mouse on it, the Checkpoints list, and the checkpoint edits with their
// undo and redo.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "city/CityMap.h"
#include "city/MapPicking.h"
#include "city/TileCodes.h"
#include "editor/CourseEditor.h"
#include "res/MapPalette.h"
#include "route/CheckpointList.h"
#include "route/RaceRoute.h"

namespace rw::editor {

using scenario::TilePos;

void CourseEditor::ShowBlankMapPicture() {
    city::ShowBlankMapPicture(m_mapPixels);
    m_view.RepaintMap();
}

void CourseEditor::RedrawMap() {
    city::RedrawMap(*m_city, m_route->Map(), m_mapPixels);
    m_view.RepaintMap();
}

std::optional<TilePos> CourseEditor::RoadTileAt(int px, int py) const {
    const auto tile = city::TileFromPoint(px, py);
    if (!tile || !city::IsRoadTile(m_city->Building(tile->x, tile->y))) {
        return std::nullopt;
    }
    return TilePos{static_cast<std::uint16_t>(tile->x), static_cast<std::uint16_t>(tile->y)};
}

void CourseEditor::OnMouseMove(int px, int py, bool rightButtonHeld) {
    if (m_dragging && rightButtonHeld) {
        EditStep* drag = m_history.Last();
        const auto tile = RoadTileAt(px, py);
        if (drag != nullptr && drag->kind == EditStep::Kind::Move && tile && !(*tile == drag->after)) {
            drag->after = *tile;
            SetAt(drag->index, *tile);
        }
    } else {
        m_dragging = false;
    }
    if (m_view.Text(ControlId::CityFile).empty()) {
        return;
    }
    // Written into a string kept between moves; the window leaves a text it already shows alone.
    city::WriteTileStatusText(m_statusText, *m_city, px, py);
    m_view.SetText(ControlId::Status, m_statusText);
}

void CourseEditor::OnLButtonDown(int px, int py, bool withControl) {
    ReadFieldsIntoScenario();
    if (const auto tile = RoadTileAt(px, py)) {
        if (withControl && m_selectedCheckpoint >= 0) {
            const int index = ItemIndex(m_selectedCheckpoint) + 1;
            m_history.Push({EditStep::Kind::Insert, index, {}, *tile, {}, {}});
            InsertAt(index, *tile);
            UpdateModified();
        } else {
            AddCheckpoint(tile->x, tile->y);
        }
    }
    m_view.RepaintMap();
}

void CourseEditor::OnRButtonDown(int px, int py) {
    ReadFieldsIntoScenario();
    if (RoadTileAt(px, py) && m_selectedCheckpoint >= 0) {
        const auto tile = *RoadTileAt(px, py);
        MoveCheckpoint(tile.x, tile.y);
        m_dragging = true;
    }
    m_view.RepaintMap();
}

void CourseEditor::OnRButtonUp() {
    m_dragging = false;
}

void CourseEditor::OnDeleteCheckpoint() {
    DeleteCheckpoint();
}

void CourseEditor::OnShiftCheckpoint(int delta) {
    ReadFieldsIntoScenario();
    const int index = ItemIndex(m_selectedCheckpoint);
    const int lower = delta < 0 ? index - 1 : index;
    if (index < 0 || lower < 0 || lower + 1 >= static_cast<int>(m_scenario.checkpoints.size())) {
        return;
    }
    m_history.Push({EditStep::Kind::Swap, lower, {}, {}, {}, {}});
    SwapWithNext(lower, delta < 0 ? lower : lower + 1);
    UpdateModified();
}

int CourseEditor::ItemIndex(int row) const {
    return m_view.ListItemData(row);
}

// Every label but the first and the last is "Checkpoint <index>" whatever the lap count, and each entry's
// item data is its position, so the entries kept from the last fill only need their two ends relabelled and
// the tail trimmed or extended: an edit costs the same on any length of course, wherever it was made. An end
// whose label stays as it was is not set again (the list would lay it out and repaint it for nothing), and
// the labels are written into buffers kept from one fill to the next.
void CourseEditor::RefillCheckpointList(int select) {
    // The labels follow the Laps field, not the document.
    const std::int32_t laps = FieldInt(ControlId::Laps);
    const int count = static_cast<int>(m_scenario.checkpoints.size());
    const int shown = m_view.ListCount();
    while (m_view.ListCount() > count) {
        m_view.ListRemove(m_view.ListCount() - 1);
    }
    const int kept = m_view.ListCount();
    const auto relabel = [&](int row) {
        route::WriteCheckpointLabel(m_shownLabel, row, shown, m_listLaps);
        route::WriteCheckpointLabel(m_label, row, count, laps);
        if (m_label != m_shownLabel) {
            m_view.ListSetLabel(row, m_label);
        }
    };
    if (kept > 0) {
        relabel(0);
    }
    if (kept > 1) {
        relabel(kept - 1);
    }
    for (int i = kept; i < count; ++i) {
        route::WriteCheckpointLabel(m_label, i, count, laps);
        m_view.ListInsert(i, m_label, i);
    }
    m_listLaps = laps;
    if (select == 0) {
        // As after emptying the list, its view starts at the top.
        m_view.ListScrollToTop();
    }
    m_view.ListSelect(select);
    m_selectedCheckpoint = m_view.ListSelection();
    ShowScenarioInFields();
}

void CourseEditor::AddCheckpoint(int x, int y) {
    const TilePos pos{static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
    const int index = static_cast<int>(m_scenario.checkpoints.size());
    m_history.Push({EditStep::Kind::Insert, index, {}, pos, {}, {}});
    InsertAt(index, pos);
    UpdateModified();
}

void CourseEditor::MoveCheckpoint(int x, int y) {
    ReadFieldsIntoScenario();
    const int index = ItemIndex(m_selectedCheckpoint);
    if (index < 0 || index >= static_cast<int>(m_scenario.checkpoints.size())) {
        return;
    }
    const TilePos pos{static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
    m_history.Push(
        {EditStep::Kind::Move, index, m_scenario.checkpoints[static_cast<std::size_t>(index)], pos, {}, {}});
    SetAt(index, pos);
    UpdateModified();
}

void CourseEditor::DeleteCheckpoint() {
    const int index = ItemIndex(m_selectedCheckpoint);
    if (index < 0 || index >= static_cast<int>(m_scenario.checkpoints.size())) {
        return;
    }
    m_history.Push(
        {EditStep::Kind::Delete, index, m_scenario.checkpoints[static_cast<std::size_t>(index)], {}, {}, {}});
    RemoveAt(index);
    m_view.RepaintMap();
    UpdateModified();
}

void CourseEditor::InsertAt(int index, TilePos pos) {
    auto& checkpoints = m_scenario.checkpoints;
    checkpoints.insert(checkpoints.begin() + index, pos);
    RebuildRoute(route::CheckpointEdit::Insert(index - 1));
    RefillCheckpointList(index);
}

void CourseEditor::RemoveAt(int index) {
    auto& checkpoints = m_scenario.checkpoints;
    checkpoints.erase(checkpoints.begin() + index);
    RebuildRoute(route::CheckpointEdit::Delete(static_cast<std::size_t>(index)));
    // The checkpoint now at that place, or the new last one.
    RefillCheckpointList(std::min(index, static_cast<int>(checkpoints.size()) - 1));
}

void CourseEditor::SetAt(int index, TilePos pos) {
    m_scenario.checkpoints[static_cast<std::size_t>(index)] = pos;
    RebuildRoute(route::CheckpointEdit::Move(static_cast<std::size_t>(index)));
    RefillCheckpointList(index);
}

void CourseEditor::SwapWithNext(int index, int select) {
    auto& checkpoints = m_scenario.checkpoints;
    std::swap(checkpoints[static_cast<std::size_t>(index)], checkpoints[static_cast<std::size_t>(index) + 1]);
    RebuildRoute(
        route::CheckpointEdit::Shift(static_cast<std::size_t>(index), route::CheckpointShift::Later));
    RefillCheckpointList(select);
}

void CourseEditor::Apply(const EditStep& step, bool undo) {
    switch (step.kind) {
        case EditStep::Kind::Insert:
            undo ? RemoveAt(step.index) : InsertAt(step.index, step.after);
            break;
        case EditStep::Kind::Delete:
            undo ? InsertAt(step.index, step.before) : RemoveAt(step.index);
            break;
        case EditStep::Kind::Move:
            SetAt(step.index, undo ? step.before : step.after);
            break;
        case EditStep::Kind::Swap:
            SwapWithNext(step.index, step.index);
            break;
        case EditStep::Kind::Fields:
            ShowFields(undo ? step.fieldsBefore : step.fieldsAfter);
            break;
    }
}

void CourseEditor::OnUndo() {
    CommitFields();
    m_dragging = false;
    if (const EditStep* step = m_history.Undo()) {
        Apply(*step, true);
    }
    UpdateModified();
    m_view.RepaintMap();
}

void CourseEditor::OnRedo() {
    CommitFields();
    m_dragging = false;
    if (const EditStep* step = m_history.Redo()) {
        Apply(*step, false);
    }
    UpdateModified();
    m_view.RepaintMap();
}

// The route keeps the legs it found per city state, so an edit searches only the legs it changed.
void CourseEditor::RebuildRoute() {
    m_route->RebuildRoute(*m_city, m_scenario.checkpoints, m_scenario.laps, m_mapPixels);
    ShowBrokenLegs();
    m_view.RepaintMap();
}

// Told what one edit changed, the route's work does not grow with the course.
void CourseEditor::RebuildRoute(const route::CheckpointEdit& edit) {
    m_route->RebuildRoute(*m_city, m_scenario.checkpoints, m_scenario.laps, edit, m_mapPixels);
    ShowBrokenLegs();
    m_view.RepaintMap();
}

namespace {

// A straight line between the centres of two tiles, clipped to the map.
void DrawLegLine(city::MapPixels& pixels, TilePos from, TilePos to) {
    int x = 2 * from.x + 1;
    int y = 2 * from.y + 1;
    const int toX = 2 * to.x + 1;
    const int toY = 2 * to.y + 1;
    const int dx = std::abs(toX - x);
    const int dy = -std::abs(toY - y);
    const int stepX = x < toX ? 1 : -1;
    const int stepY = y < toY ? 1 : -1;
    int error = dx + dy;
    while (true) {
        if (x >= 0 && x < 256 && y >= 0 && y < 256) {
            pixels[city::PixelIndex(x, y)] = res::kBrokenLegIndex;
        }
        if (x == toX && y == toY) {
            return;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

}  // namespace

// A leg without a road path shows as a line in its own colour and in words; nothing is looked at while every
// leg has its road, so an edit's cost does not grow with the course then.
void CourseEditor::ShowBrokenLegs() {
    if (m_route->BrokenLegCount() == 0) {
        if (m_showsBrokenLegs) {
            m_view.SetText(ControlId::RouteProblem, "");
            m_showsBrokenLegs = false;
        }
        return;
    }
    const auto legs = m_route->Legs();
    const int count = static_cast<int>(m_scenario.checkpoints.size());
    std::string report;
    int broken = 0;
    for (std::size_t i = 0; i < legs.size(); ++i) {
        if (legs[i].found) {
            continue;
        }
        DrawLegLine(m_mapPixels, legs[i].from, legs[i].to);
        if (broken++ == 0) {
            const int from = static_cast<int>(i);
            report = route::CheckpointLabel((from + 1) % count, count, m_scenario.laps) +
                     " cannot be reached from " + route::CheckpointLabel(from, count, m_scenario.laps);
        }
    }
    if (broken > 1) {
        report += " (and " + std::to_string(broken - 1) + (broken == 2 ? " more leg" : " more legs") +
                  " without a road)";
    }
    m_view.SetText(ControlId::RouteProblem, report);
    m_showsBrokenLegs = true;
}

}  // namespace rw::editor
