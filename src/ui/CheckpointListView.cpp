// The Checkpoints list's rows, painting, selection and keys.
#include "CheckpointListView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>
#include <QTimerEvent>

#include <algorithm>
#include <cstdlib>

#include "CheckpointListAccessible.h"
#include "SteadyScrollBar.h"

namespace rw::ui {

namespace {

// Far more entries than the list shows at once, so scrolling back and forth finds its labels laid out.
constexpr qsizetype kKeptLayouts = 512;

}  // namespace

CheckpointListView::CheckpointListView(QWidget* parent) : QAbstractScrollArea(parent) {
    m_scrollBar = new SteadyScrollBar(Qt::Vertical, this);
    setVerticalScrollBar(m_scrollBar);
    // The list shows its scroll bar as it needs it (the scroll area's own check of the range is a queued
    // call at every change); labels are never wider than the list.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollBar->setSingleStep(1);
    // Every line is painted whole on the list's own background, so nothing beneath needs painting and
    // scrolling can move what is shown.
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    MeasureRows();
    CheckpointListAccessible::Install();
}

void CheckpointListView::Insert(int row, const QString& label, int itemData) {
    row = std::clamp(row, 0, Count());
    m_rows.insert(m_rows.begin() + row, Row{label, itemData});
    if (m_selected >= row) {
        ++m_selected;
    }
    UpdateRowsFrom(row);
    SyncScrollBarLater();
    Announce(QAccessible::ObjectReorder);
}

void CheckpointListView::SetLabel(int row, const QString& label) {
    if (row >= 0 && row < Count()) {
        m_rows[static_cast<std::size_t>(row)].label = label;
        UpdateRow(row);
        Announce(QAccessible::NameChanged, row);
    }
}

void CheckpointListView::Remove(int row) {
    if (row < 0 || row >= Count()) {
        return;
    }
    m_rows.erase(m_rows.begin() + row);
    if (m_selected == row) {
        m_selected = -1;
    } else if (m_selected > row) {
        --m_selected;
    }
    UpdateRowsFrom(row);
    SyncScrollBarLater();
    Announce(QAccessible::ObjectReorder);
}

int CheckpointListView::ItemData(int row) const {
    return row >= 0 && row < Count() ? m_rows[static_cast<std::size_t>(row)].itemData : -1;
}

QString CheckpointListView::Label(int row) const {
    return row >= 0 && row < Count() ? m_rows[static_cast<std::size_t>(row)].label : QString();
}

void CheckpointListView::Select(int row) {
    if (row < 0 || row >= Count()) {
        row = -1;
    }
    const int before = m_selected;
    m_selected = row;
    ScrollTo(row);
    if (row != before) {
        UpdateRow(before);
        UpdateRow(row);
        Announce(QAccessible::Selection, row);
        if (hasFocus()) {
            Announce(QAccessible::Focus, row);
        }
    }
}

// The events are made only while a tool listens, so the list's edits stay free of them otherwise.
void CheckpointListView::Announce(QAccessible::Event change, int row) {
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleEvent event(this, change);
    if (row >= 0) {
        event.setChild(row);
    }
    QAccessible::updateAccessibility(&event);
}

void CheckpointListView::ScrollToTop() {
    SyncScrollBar(0);
}

QRect CheckpointListView::RowRect(int row) const {
    return QRect(0, (row - TopRow()) * m_rowHeight, viewport()->width(), m_rowHeight);
}

int CheckpointListView::TopRow() const {
    return m_scrollBar->value();
}

int CheckpointListView::RowAt(QPoint viewportPoint) const {
    if (viewportPoint.y() < 0 || !viewport()->rect().contains(viewportPoint)) {
        return -1;
    }
    const int row = TopRow() + viewportPoint.y() / m_rowHeight;
    return row < Count() ? row : -1;
}

int CheckpointListView::WholeRowsShown() const {
    return std::max(1, viewport()->height() / m_rowHeight);
}

void CheckpointListView::UpdateRow(int row) {
    const QRect place = RowRect(row);
    if (row >= 0 && place.intersects(viewport()->rect())) {
        viewport()->update(place);
    }
}

// Lines from row down move or go: what is shown of them is painted again.
void CheckpointListView::UpdateRowsFrom(int row) {
    const QRect place = RowRect(row);
    if (place.top() < viewport()->height()) {
        viewport()->update(QRect(0, std::max(0, place.top()), viewport()->width(), viewport()->height()));
    }
}

void CheckpointListView::SyncScrollBar(int top) {
    m_scrollBarSync.stop();
    const int shown = WholeRowsShown();
    const bool needed = Count() > shown;
    if (needed != (verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)) {
        // Lays the viewport out again, which comes back here through resizeEvent.
        setVerticalScrollBarPolicy(needed ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
    const int before = TopRow();
    const int maximum = std::max(0, Count() - shown);
    m_scrollBar->Set(maximum, shown, std::clamp(top, 0, maximum));
    ScrollRows(before - TopRow());
}

void CheckpointListView::ScrollTo(int row) {
    int top = TopRow();
    if (row >= 0 && row < top) {
        top = row;
    } else if (row >= top + WholeRowsShown()) {
        top = row - WholeRowsShown() + 1;
    }
    SyncScrollBar(top);
}

// A step of a few rows moves the lines still shown (the window keeps their pixels) and paints only the
// lines it uncovers: painting text is what a list's repaint costs.
void CheckpointListView::ScrollRows(int rows) {
    if (rows == 0) {
        return;
    }
    if (std::abs(rows) < WholeRowsShown()) {
        viewport()->scroll(0, rows * m_rowHeight);
    } else {
        viewport()->update();
    }
}

void CheckpointListView::SyncScrollBarLater() {
    if (!m_scrollBarSync.isActive()) {
        m_scrollBarSync.start(0, this);
    }
}

// Nothing below the last entry.
void CheckpointListView::ChooseRowAt(QPoint viewportPoint) {
    if (const int row = RowAt(viewportPoint); row >= 0) {
        ChooseByUser(row);
    }
}

void CheckpointListView::ChooseByUser(int row) {
    const int before = m_selected;
    Select(row);
    if (m_selected != before) {
        emit SelectionChanged();
    }
}

// The row height a list item of this style and font takes, and the text's indent within it.
void CheckpointListView::MeasureRows() {
    QStyleOptionViewItem option;
    option.initFrom(this);
    option.font = font();
    option.fontMetrics = fontMetrics();
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("Checkpoint 0");
    option.decorationSize = QSize();
    m_rowHeight =
        std::max(1, style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height());
    m_textMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    SyncScrollBar(TopRow());
}

const QStaticText& CheckpointListView::Layout(const QString& label) {
    if (font() != m_layoutFont || m_layouts.size() > kKeptLayouts) {
        m_layouts.clear();
        m_layoutFont = font();
    }
    auto found = m_layouts.find(label);
    if (found == m_layouts.end()) {
        QStaticText text(label);
        text.setTextFormat(Qt::PlainText);
        text.setPerformanceHint(QStaticText::AggressiveCaching);
        text.prepare(QTransform(), m_layoutFont);
        found = m_layouts.insert(label, text);
    }
    return *found;
}

// A pen made from a colour allocates its data; the two the list paints with are kept.
const QPen& CheckpointListView::Pen(const QColor& colour) {
    for (const QPen& pen : m_pens) {
        if (pen.style() == Qt::SolidLine && pen.color() == colour) {
            return pen;
        }
    }
    m_nextPen = (m_nextPen + 1) % m_pens.size();
    m_pens[m_nextPen] = QPen(colour);
    return m_pens[m_nextPen];
}

void CheckpointListView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                       : isActiveWindow() ? QPalette::Active
                                                          : QPalette::Inactive;
    painter.fillRect(area, palette().brush(group, QPalette::Base));
    const int first = TopRow() + std::max(0, area.top()) / m_rowHeight;
    const int last = std::min(Count() - 1, TopRow() + area.bottom() / m_rowHeight);
    painter.setFont(font());
    for (int row = first; row <= last; ++row) {
        const QRect place = RowRect(row);
        const bool selected = row == m_selected;
        if (selected) {
            painter.fillRect(place, palette().brush(group, QPalette::Highlight));
        }
        const QStaticText& text = Layout(m_rows[static_cast<std::size_t>(row)].label);
        const QPointF at(place.left() + m_textMargin,
                         place.top() + (place.height() - text.size().height()) / 2);
        painter.setPen(Pen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text)));
        painter.drawStaticText(at, text);
        if (selected && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = place;
            focus.state |= QStyle::State_HasFocus | QStyle::State_Selected;
            focus.backgroundColor = palette().color(group, QPalette::Highlight);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
}

// Only the left button selects; a click below the last entry selects nothing.
void CheckpointListView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    ChooseRowAt(event->position().toPoint());
}

void CheckpointListView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if ((event->buttons() & Qt::LeftButton) == 0) {
        return;
    }
    ChooseRowAt(event->position().toPoint());
}

void CheckpointListView::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || Count() == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int page = WholeRowsShown();
    int row = m_selected;
    switch (event->key()) {
        case Qt::Key_Up:
            row = m_selected < 0 ? 0 : m_selected - 1;
            break;
        case Qt::Key_Down:
            row = m_selected < 0 ? 0 : m_selected + 1;
            break;
        case Qt::Key_PageUp:
            row = m_selected - page;
            break;
        case Qt::Key_PageDown:
            row = m_selected < 0 ? page - 1 : m_selected + page;
            break;
        case Qt::Key_Home:
            row = 0;
            break;
        case Qt::Key_End:
            row = Count() - 1;
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    ChooseByUser(std::clamp(row, 0, Count() - 1));
    event->accept();
}

// The selected line shows the focus frame only while the list has the focus.
void CheckpointListView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    UpdateRow(m_selected);
}

void CheckpointListView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    UpdateRow(m_selected);
}

void CheckpointListView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    switch (event->type()) {
        case QEvent::FontChange:
        case QEvent::StyleChange:
            MeasureRows();
            viewport()->update();
            break;
        case QEvent::ActivationChange:
        case QEvent::EnabledChange:
        case QEvent::PaletteChange:
            viewport()->update();
            break;
        default:
            break;
    }
}

void CheckpointListView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    SyncScrollBar(TopRow());
}

// The scroll bar counts rows.
void CheckpointListView::scrollContentsBy(int, int dy) {
    ScrollRows(dy);
}

void CheckpointListView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_scrollBarSync.timerId()) {
        SyncScrollBar(TopRow());
        return;
    }
    QAbstractScrollArea::timerEvent(event);
}

}  // namespace rw::ui
