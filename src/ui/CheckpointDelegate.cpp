// The Checkpoints list's entry painting.
#include "CheckpointDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace rw::ui {

namespace {

// Far more entries than the list shows at once, so scrolling back and forth finds its labels laid out.
constexpr qsizetype kKeptLayouts = 512;

}  // namespace

CheckpointDelegate::CheckpointDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

const QStaticText& CheckpointDelegate::Layout(const QString& label, const QFont& font) const {
    if (font != m_font || m_layouts.size() > kKeptLayouts) {
        m_layouts.clear();
        m_font = font;
    }
    auto found = m_layouts.find(label);
    if (found == m_layouts.end()) {
        QStaticText text(label);
        text.setTextFormat(Qt::PlainText);
        text.setPerformanceHint(QStaticText::AggressiveCaching);
        text.prepare(QTransform(), font);
        found = m_layouts.insert(label, text);
    }
    return *found;
}

// A pen made from a colour allocates its data; the two a list paints with are kept.
const QPen& CheckpointDelegate::Pen(const QColor& colour) const {
    for (const QPen& pen : m_pens) {
        if (pen.style() == Qt::SolidLine && pen.color() == colour) {
            return pen;
        }
    }
    m_nextPen = (m_nextPen + 1) % m_pens.size();
    m_pens[m_nextPen] = QPen(colour);
    return m_pens[m_nextPen];
}

void CheckpointDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QPalette::ColorGroup group = (option.state & QStyle::State_Enabled) == 0  ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) != 0 ? QPalette::Active
                                                                                    : QPalette::Inactive;
    if (selected) {
        painter->fillRect(option.rect, option.palette.color(group, QPalette::Highlight));
    }
    const QString label = index.data(Qt::DisplayRole).toString();
    const QStaticText& text = Layout(label, option.font);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    const QSizeF size = text.size();
    const QPointF at(option.rect.left() + margin,
                     option.rect.top() + (option.rect.height() - size.height()) / 2);
    const QPen previous = painter->pen();
    painter->setPen(Pen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text)));
    painter->drawStaticText(at, text);
    painter->setPen(previous);
    if ((option.state & QStyle::State_HasFocus) != 0) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
}

}  // namespace rw::ui
