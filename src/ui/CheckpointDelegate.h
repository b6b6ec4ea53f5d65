// How the Checkpoints list paints an entry: its label laid out once and drawn from then on.
#pragma once

#include <QHash>
#include <QPen>
#include <QStaticText>
#include <QString>
#include <QStyledItemDelegate>

#include <array>
#include <cstddef>

namespace rw::ui {

// The list is painted whole after every edit (an insert or removal lays the view out again); the style's
// own item painting lays each visible label out anew every time, dozens of heap requests an entry. This
// keeps each label's layout and paints the selection, the label and the focus frame itself; sizes are the
// style's.
class CheckpointDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    explicit CheckpointDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    const QStaticText& Layout(const QString& label, const QFont& font) const;
    const QPen& Pen(const QColor& colour) const;

    // Labels laid out for the font they were drawn in; emptied when it grows past what a few screens show.
    mutable QHash<QString, QStaticText> m_layouts;
    mutable QFont m_font;
    // The text pens last used (plain and selected), replaced in turn when the palette changes.
    mutable std::array<QPen, 2> m_pens{QPen(Qt::NoPen), QPen(Qt::NoPen)};
    mutable std::size_t m_nextPen = 0;
};

}  // namespace rw::ui
