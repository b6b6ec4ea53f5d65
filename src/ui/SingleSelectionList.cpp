// The single-selection list's selection rules.
#include "SingleSelectionList.h"

#include <QMouseEvent>

namespace rw::ui {

SingleSelectionList::SingleSelectionList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

// Other buttons neither select nor move the keyboard's place in the list.
void SingleSelectionList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

QItemSelectionModel::SelectionFlags SingleSelectionList::selectionCommand(const QModelIndex& index,
                                                                          const QEvent* event) const {
    if (!index.isValid()) {
        return QItemSelectionModel::NoUpdate;
    }
    if (event != nullptr &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
         event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonDblClick)) {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if ((mouse->buttons() & Qt::LeftButton) == 0) {
            return QItemSelectionModel::NoUpdate;
        }
    }
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

}  // namespace rw::ui
