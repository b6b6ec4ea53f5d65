// A list with one entry selected at a time that only a left click or the keys change.
#pragma once

#include <QListWidget>

namespace rw::ui {

// Behaves like the platform's single-selection list box: clicking below the last entry, Ctrl+clicking the
// selected entry or pressing the right button leaves the selection as it is, so the entry the user sees
// selected is always the one Delete removes and the right button moves.
class SingleSelectionList : public QListWidget {
    Q_OBJECT

  public:
    explicit SingleSelectionList(QWidget* parent = nullptr);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};

}  // namespace rw::ui
