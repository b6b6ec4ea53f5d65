// The Checkpoints list: one line per checkpoint, one of them current and selected, drawn by the list itself.
#pragma once

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QBasicTimer>
#include <QFont>
#include <QHash>
#include <QPen>
#include <QStaticText>
#include <QString>

#include <array>
#include <cstddef>
#include <vector>

namespace rw::ui {

class SteadyScrollBar;

// An item view would keep a model, a selection model and an item per entry, and answer an insert by laying
// out and repainting every line with a scroll bar; a click on the map adds one entry and moves the
// selection. This list keeps its labels and the selected row, repaints only the lines that change, and
// keeps each label's layout. It behaves as a single-selection list box: a left click or drag over an entry,
// or the arrow, page, Home and End keys select it; other buttons, clicks below the last entry and Ctrl on
// the selected entry leave the selection as it is, so the entry the user sees selected is always the one
// Delete removes and the right button moves. Only the user's changes are signalled.
class CheckpointListView : public QAbstractScrollArea {
    Q_OBJECT

  public:
    explicit CheckpointListView(QWidget* parent = nullptr);

    int Count() const { return static_cast<int>(m_rows.size()); }
    // Inserts at row (Count() appends).
    void Insert(int row, const QString& label, int itemData);
    void SetLabel(int row, const QString& label);
    void Remove(int row);
    // -1 for a row the list does not have.
    int ItemData(int row) const;
    // Empty for a row the list does not have.
    QString Label(int row) const;
    // The selected row, -1 for none.
    int Selected() const { return m_selected; }
    // Selects row (none when out of range) and scrolls it into view, without the signal.
    void Select(int row);
    void ScrollToTop();
    // Where row lies in the viewport's coordinates, and the row at a viewport point (-1 for none).
    QRect RowRect(int row) const;
    int RowAt(QPoint viewportPoint) const;

  signals:
    void SelectionChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    struct Row {
        QString label;
        int itemData = 0;
    };

    int TopRow() const;
    // Tells assistive tools, when one listens, what changed: the selection (row), or the entries.
    void Announce(QAccessible::Event change, int row = -1);
    int WholeRowsShown() const;
    void UpdateRow(int row);
    void UpdateRowsFrom(int row);
    // Brings the scroll bar up to the rows with top as the first row shown (as near as the rows allow).
    void SyncScrollBar(int top);
    void SyncScrollBarLater();
    void ScrollTo(int row);
    // Shows the rows moved down by rows (up when negative).
    void ScrollRows(int rows);
    void ChooseByUser(int row);
    void ChooseRowAt(QPoint viewportPoint);
    void MeasureRows();
    const QStaticText& Layout(const QString& label);
    const QPen& Pen(const QColor& colour);

    SteadyScrollBar* m_scrollBar = nullptr;
    // Inserts and removals leave the scroll bar to be brought up to date once the caller is done, usually
    // by the selection it makes next, so that it moves once.
    QBasicTimer m_scrollBarSync;
    std::vector<Row> m_rows;
    int m_selected = -1;
    int m_rowHeight = 1;
    int m_textMargin = 0;
    // Labels laid out for the font they were drawn in; emptied when it grows past what a few screens show.
    QHash<QString, QStaticText> m_layouts;
    QFont m_layoutFont;
    // The text pens last used (plain and selected), replaced in turn when the palette changes.
    std::array<QPen, 2> m_pens{QPen(Qt::NoPen), QPen(Qt::NoPen)};
    std::size_t m_nextPen = 0;
};

}  // namespace rw::ui
