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

// Only the map area is painted again; the pictures are brought up to date when they are next asked for,
// however many times an edit asks for a repaint.
void CourseEditorDlg::RepaintMap() {
    m_mapImageStale = true;
    m_shownImageStale = true;
    m_mapView->update();
    if (m_magnified != nullptr) {
        m_magnified->Refresh(ControlAs<QLabel>(ControlId::Status)->text());
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

// Qt draws an indexed image by converting every pixel through its colour table at each paint, in a generic
// path about ten times slower than this lookup made once per change; a picture of true colours is copied
// to the screen as it stands. The checkpoint squares are laid on it here too, so a paint does not fill a
// thousand rectangles one by one.
const QImage& CourseEditorDlg::ShownImage() const {
    if (!m_editor) {
        return m_shownImage;
    }
    const auto& checkpoints = m_editor->GetScenario().checkpoints;
    const int selected = m_editor->SelectedCheckpoint();
    if (!m_shownImageStale && m_shownSelection == selected && m_shownMarks == checkpoints.size()) {
        return m_shownImage;
    }
    // Local pointers: stores through the scan line could otherwise alias the table and the pixels as the
    // compiler sees them, and every pixel would load them again.
    const rw::city::MapPixels& pixels = m_editor->MapPixels();
    const QRgb* const table = m_paletteColours.data();
    uchar* const bits = m_shownImage.bits();
    const qsizetype stride = m_shownImage.bytesPerLine();
    for (int row = 0; row < 256; ++row) {
        auto* const line = reinterpret_cast<QRgb*>(bits + row * stride);
        const std::uint8_t* const indices = pixels.data() + rw::city::PixelIndex(0, row);
        for (int x = 0; x < 256; x += 4) {
            const QRgb a = table[indices[x]];
            const QRgb b = table[indices[x + 1]];
            const QRgb c = table[indices[x + 2]];
            const QRgb d = table[indices[x + 3]];
            line[x] = a;
            line[x + 1] = b;
            line[x + 2] = c;
            line[x + 3] = d;
        }
    }
    const auto colour = [](const rw::res::Rgb& rgb) { return qRgb(rgb.r, rgb.g, rgb.b); };
    const QRgb red = colour(rw::city::kMarkColour);
    const QRgb orange = colour(rw::city::kSelectedMarkColour);
    int index = 0;
    for (const rw::scenario::TilePos& pos : checkpoints) {
        if (const auto square = rw::city::ClipToMap(rw::city::CheckpointSquare(pos.x, pos.y))) {
            const QRgb mark = index == selected ? orange : red;
            for (int y = square->top; y < square->bottom; ++y) {
                auto* const line = reinterpret_cast<QRgb*>(bits + y * stride);
                std::fill(line + square->left, line + square->right, mark);
            }
        }
        ++index;
    }
    m_shownImageStale = false;
    m_shownSelection = selected;
    m_shownMarks = checkpoints.size();
    return m_shownImage;
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

void CourseEditorDlg::PaintMap(QPainter& painter) const {
    // Qt hands a fill of more than 95 spans to its thread pool, a dozen heap requests and a wait for the
    // workers on each paint; strips of 64 rows are drawn on the spot.
    const QImage& image = ShownImage();
    for (int top = 0; top < image.height(); top += kMapStripRows) {
        painter.drawImage(QPoint(0, top), image, QRect(0, top, image.width(), kMapStripRows));
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
