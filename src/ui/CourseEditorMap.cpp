// The editor window as the editor's view: field texts, the Checkpoints list, the difficulty box, and the map
// with its paint and mouse.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "CheckpointListView.h"
#include "CourseEditorDlg.h"
#include "FieldValidator.h"
#include "MagnifiedMapDlg.h"
#include "MapView.h"
#include "UiText.h"
#include "city/CheckpointMarks.h"

namespace rw::ui {

using rw::editor::ControlId;

namespace {

constexpr int kMapStripRows = 64;

}  // namespace

std::string CourseEditorDlg::Text(ControlId id) const {
    QWidget* control = Control(id);
    if (const auto* edit = qobject_cast<QLineEdit*>(control)) {
        return ToUtf8(edit->text());
    }
    if (const auto* label = qobject_cast<QLabel*>(control)) {
        return ToUtf8(label->text());
    }
    return {};
}

// The editor sets every field after each edit; a text that is already shown is left alone, so the control
// neither lays its text out again nor repaints.
void CourseEditorDlg::SetText(ControlId id, std::string_view text) {
    QWidget* control = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (!SameText(edit->text(), text)) {
            FieldValidator::SetText(*edit, FromUtf8(text));
        }
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        if (SameText(label->text(), text)) {
            return;
        }
        label->setText(FromUtf8(text));
        if (id == ControlId::Status && m_magnified != nullptr) {
            m_magnified->Refresh(label->text());
        }
    }
}

int CourseEditorDlg::ListCount() const {
    return m_checkpointList->Count();
}

void CourseEditorDlg::ListInsert(int row, std::string_view label, int itemData) {
    m_checkpointList->Insert(row, FromUtf8(label), itemData);
}

void CourseEditorDlg::ListSetLabel(int row, std::string_view label) {
    m_checkpointList->SetLabel(row, FromUtf8(label));
}

void CourseEditorDlg::ListRemove(int row) {
    m_checkpointList->Remove(row);
}

int CourseEditorDlg::ListItemData(int row) const {
    return m_checkpointList->ItemData(row);
}

int CourseEditorDlg::ListSelection() const {
    return m_checkpointList->Selected();
}

void CourseEditorDlg::ListSelect(int row) {
    m_checkpointList->Select(row);
}

void CourseEditorDlg::ListScrollToTop() {
    m_checkpointList->ScrollToTop();
}

int CourseEditorDlg::DifficultySelection() const {
    return m_difficultyCombo->currentIndex();
}

void CourseEditorDlg::SelectDifficulty(int index) {
    const QSignalBlocker quiet(m_difficultyCombo);
    m_difficultyCombo->setCurrentIndex(index >= 0 && index < m_difficultyCombo->count() ? index : -1);
}

// Only the map area is painted again, and of it only the rows that changed: the pictures are brought up to
// date once the window is about to repaint, however many times an edit asks for a repaint. The one pixel
// asked for here makes sure that moment comes.
void CourseEditorDlg::RepaintMap() {
    m_mapImageStale = true;
    m_shownMap.PixelsChanged();
    m_mapView->update(0, 0, 1, 1);
    if (m_magnified != nullptr) {
        m_magnified->Refresh(ControlAs<QLabel>(ControlId::Status)->text());
    }
}

bool CourseEditorDlg::event(QEvent* event) {
    if (event->type() == QEvent::UpdateRequest && m_shownMap.PixelsMayHaveChanged()) {
        RefreshShownMap();
    }
    return QDialog::event(event);
}

void CourseEditorDlg::RefreshShownMap() const {
    if (!m_editor) {
        return;
    }
    const auto rows = m_shownMap.Refresh(m_editor->MapPixels(), m_editor->GetScenario().checkpoints,
                                         m_editor->SelectedCheckpoint());
    if (rows.bottom > rows.top) {
        m_mapView->update(0, rows.top, m_shownMap.Image().width(), rows.bottom - rows.top);
    }
}

// The editor keeps its rows bottom-up; the images keep them top-down.
const QImage& CourseEditorDlg::MapImage() const {
    if (m_mapImageStale && m_editor) {
        const rw::city::MapPixels& pixels = m_editor->MapPixels();
        for (int row = 0; row < 256; ++row) {
            std::memcpy(m_mapImage.scanLine(row), &pixels[rw::city::PixelIndex(0, row)], 256);
        }
        m_mapImageStale = false;
    }
    return m_mapImage;
}

MagnifiedMapDlg& CourseEditorDlg::ShowMagnifiedMap() {
    if (m_magnified == nullptr) {
        m_magnified = new MagnifiedMapDlg(*this);
    }
    m_magnified->show();
    m_magnified->raise();
    m_magnified->Refresh(ControlAs<QLabel>(ControlId::Status)->text());
    return *m_magnified;
}

void CourseEditorDlg::PaintMap(QPainter& painter, const QRect& area) const {
    // A paint that no update request came before (a window uncovered, the magnified map) finds the picture
    // as it was; rows that change now are painted in a repaint of their own.
    RefreshShownMap();
    const QImage& image = m_shownMap.Image();
    const QRect shown = area & image.rect();
    // Qt hands a fill of more than 95 spans to its thread pool, a dozen heap requests and a wait for the
    // workers on each paint; strips of 64 rows are drawn on the spot.
    for (int top = shown.top(); top <= shown.bottom(); top += kMapStripRows) {
        const QRect strip(shown.left(), top, shown.width(),
                          std::min(kMapStripRows, shown.bottom() + 1 - top));
        painter.drawImage(strip.topLeft(), image, strip);
    }
}

std::optional<QPoint> CourseEditorDlg::MapPointAt(QPoint windowPoint) const {
    if (childAt(windowPoint) != nullptr) {
        return std::nullopt;
    }
    return windowPoint - MapOrigin();
}

void CourseEditorDlg::mouseMoveEvent(QMouseEvent* event) {
    const auto point = MapPointAt(event->position().toPoint());
    if (!point) {
        event->ignore();
        return;
    }
    m_editor->OnMouseMove(point->x(), point->y(), (event->buttons() & Qt::RightButton) != 0);
}

void CourseEditorDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        m_editor->OnRButtonUp();
    }
    QDialog::mouseReleaseEvent(event);
}

// A button or a spin arrow that does not take a click itself passes it on to the window; such a click is not
// one on the window.
void CourseEditorDlg::mousePressEvent(QMouseEvent* event) {
    const auto point = MapPointAt(event->position().toPoint());
    if (!point) {
        event->ignore();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_editor->OnLButtonDown(point->x(), point->y(), (event->modifiers() & Qt::ControlModifier) != 0);
    } else if (event->button() == Qt::RightButton) {
        m_editor->OnRButtonDown(point->x(), point->y());
    } else {
        QDialog::mousePressEvent(event);
    }
}

}  // namespace rw::ui
