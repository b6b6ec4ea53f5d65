// The editor window's map: the picture, its paint, the mouse on it, and the checkpoint edits.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include <cstring>

#include "CourseEditorDlg.h"
#include "MapView.h"
#include "city/CheckpointMarks.h"
#include "city/CityMap.h"
#include "city/MapImage.h"
#include "city/MapPicking.h"
#include "city/TileCodes.h"
#include "res/MapPalette.h"
#include "res/StringTable.h"
#include "route/CheckpointList.h"
#include "route/RaceRoute.h"

namespace rw::ui {

void CourseEditorDlg::CreateMapImage() {
    m_mapPalette.clear();
    for (const rw::res::Rgb& entry : rw::res::MapPalette()) {
        m_mapPalette.push_back(qRgb(entry.r, entry.g, entry.b));
    }
    m_mapImage = QImage(256, 256, QImage::Format_Indexed8);
    m_mapImage.setColorTable(m_mapPalette);
    m_mapImage.fill(0);
}

void CourseEditorDlg::ShowBlankMapPicture() {
    rw::city::ShowBlankMapPicture(m_mapPixels);
    SyncMapImage();
}

void CourseEditorDlg::RedrawMap() {
    rw::city::RedrawMap(*m_city, m_route->Map(), m_mapPixels);
    SyncMapImage();
}

// The core keeps its rows bottom-up; the image shown keeps them top-down.
void CourseEditorDlg::SyncMapImage() {
    for (int row = 0; row < 256; ++row) {
        std::memcpy(m_mapImage.scanLine(row), &m_mapPixels[rw::city::PixelIndex(0, row)], 256);
    }
}

void CourseEditorDlg::UpdateMapArea() {
    update();
    m_mapView->update();
}

void CourseEditorDlg::OnPaint(QPainter& mapPainter) {
    mapPainter.drawImage(QPoint(0, 0), m_mapImage);
    const QColor red(rw::city::kMarkColour.r, rw::city::kMarkColour.g, rw::city::kMarkColour.b);
    const QColor orange(rw::city::kSelectedMarkColour.r, rw::city::kSelectedMarkColour.g,
                        rw::city::kSelectedMarkColour.b);
    int index = 0;
    for (const rw::scenario::TilePos& pos : m_scenario.checkpoints) {
        const rw::city::PixelRect square = rw::city::CheckpointSquare(pos.x, pos.y);
        mapPainter.fillRect(
            QRect(square.left, square.top, square.right - square.left, square.bottom - square.top),
            index == m_selectedCheckpoint ? orange : red);
        ++index;
    }
}

void CourseEditorDlg::mouseMoveEvent(QMouseEvent* event) {
    // A control under the pointer has the mouse to itself.
    if (childAt(event->position().toPoint()) != nullptr) {
        event->ignore();
        return;
    }
    OnMouseMove(event->position().toPoint());
}

void CourseEditorDlg::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(point);
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDown(point);
    } else {
        QDialog::mousePressEvent(event);
    }
}

void CourseEditorDlg::OnMouseMove(QPoint point) {
    const QPoint onMap = point - MapOrigin();
    if (Edit(1017)->text().isEmpty()) {
        return;
    }
    const std::string status = rw::city::TileStatusText(*m_city, onMap.x(), onMap.y());
    ControlAs<QLabel>(1055)->setText(
        QString::fromLatin1(status.data(), static_cast<qsizetype>(status.size())));
}

void CourseEditorDlg::OnLButtonDown(QPoint point) {
    ReadFieldsIntoScenario();
    const QPoint onMap = point - MapOrigin();
    const auto tile = rw::city::TileFromPoint(onMap.x(), onMap.y());
    if (tile && rw::city::IsRoadTile(m_city->Building(tile->x, tile->y))) {
        AddCheckpoint(tile->x, tile->y);
    }
    UpdateMapArea();
}

void CourseEditorDlg::OnRButtonDown(QPoint point) {
    ReadFieldsIntoScenario();
    const QPoint onMap = point - MapOrigin();
    const auto tile = rw::city::TileFromPoint(onMap.x(), onMap.y());
    if (tile && rw::city::IsRoadTile(m_city->Building(tile->x, tile->y))) {
        MoveCheckpoint(tile->x, tile->y);
    }
    RefillCheckpointList();
    UpdateMapArea();
}

int CourseEditorDlg::ListSelection() const {
    const QList<QListWidgetItem*> selected = m_checkpointList->selectedItems();
    return selected.isEmpty() ? -1 : m_checkpointList->row(selected.first());
}

int CourseEditorDlg::ItemIndex(int row) const {
    const QListWidgetItem* item = m_checkpointList->item(row);
    return item == nullptr ? -1 : item->data(Qt::UserRole).toInt();
}

void CourseEditorDlg::SelectListRow(int row) {
    const QSignalBlocker quiet(m_checkpointList);
    if (row < 0 || row >= m_checkpointList->count()) {
        m_checkpointList->clearSelection();
        m_checkpointList->setCurrentRow(-1);
        return;
    }
    m_checkpointList->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void CourseEditorDlg::RefillCheckpointList() {
    {
        const QSignalBlocker quiet(m_checkpointList);
        // The labels follow the Laps field, not the document.
        const std::int32_t laps = FieldInt(1072);
        const int count = static_cast<int>(m_scenario.checkpoints.size());
        const auto label = [&](int index) {
            const std::string text = rw::route::CheckpointLabel(index, count, laps);
            return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        };
        // Every label but the first and the last is "Checkpoint <index>" whatever the lap count, and each
        // entry's item data is its position, so the entries kept from the last fill only need their two ends
        // relabelled; the tail is trimmed or extended. An edit then costs the same on any length of course.
        if (count == 0) {
            m_checkpointList->clear();
        }
        while (m_checkpointList->count() > count) {
            delete m_checkpointList->takeItem(m_checkpointList->count() - 1);
        }
        const int kept = m_checkpointList->count();
        for (const int row : {0, kept - 1}) {
            if (row >= 0 && row < kept) {
                m_checkpointList->item(row)->setText(label(row));
            }
        }
        for (int i = kept; i < count; ++i) {
            auto* item = new QListWidgetItem(label(i));
            item->setData(Qt::UserRole, i);
            m_checkpointList->addItem(item);
        }
        // As after emptying the list, its view starts at the top.
        m_checkpointList->scrollToTop();
    }
    m_selectedCheckpoint = 0;
    SelectListRow(0);
    m_selectedCheckpoint = ListSelection();
    ShowScenarioInFields();
}

void CourseEditorDlg::AddCheckpoint(int x, int y) {
    rw::route::AddCheckpoint(m_scenario, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
    m_modified = true;
    RebuildRoute();
    RefillCheckpointList();
}

void CourseEditorDlg::MoveCheckpoint(int x, int y) {
    ReadFieldsIntoScenario();
    rw::route::MoveCheckpoint(m_scenario, ItemIndex(m_selectedCheckpoint), static_cast<std::uint16_t>(x),
                              static_cast<std::uint16_t>(y));
    RebuildRoute();
}

void CourseEditorDlg::DeleteCheckpoint() {
    if (m_selectedCheckpoint == -1) {
        return;
    }
    rw::route::DeleteCheckpoint(m_scenario, ItemIndex(m_selectedCheckpoint));
    RefillCheckpointList();
    RebuildRoute();
    UpdateMapArea();
    m_modified = true;
}

const std::array<std::uint8_t, 128 * 128>& CourseEditorDlg::RouteTiles() const {
    return m_route->Map();
}

// The route cache keys on the city's state, so an edit searches only the legs it changed.
void CourseEditorDlg::RebuildRoute() {
    m_route->RebuildRoute(*m_city, m_scenario.checkpoints, m_scenario.laps, m_mapPixels);
    SyncMapImage();
}

}  // namespace rw::ui
