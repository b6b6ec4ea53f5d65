// The Checkpoints list's accessible interface and its entries'.
#include "CheckpointListAccessible.h"

#include <QPointer>
#include <QWindow>

#include "CheckpointListView.h"

namespace rw::ui {

namespace {

// One entry of the list, read from the list whenever asked; invalid once the list or the row is gone.
class RowAccessible final : public QAccessibleInterface {
  public:
    RowAccessible(CheckpointListView* list, int row) : m_list(list), m_row(row) {}

    int Row() const { return m_row; }

    bool isValid() const override { return m_list != nullptr && m_row < m_list->Count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_list != nullptr ? m_list->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_list); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? m_list->Label(m_row) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect row = m_list->RowRect(m_row);
        return QRect(m_list->viewport()->mapToGlobal(row.topLeft()), row.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        state.selected = m_list->Selected() == m_row;
        state.focused = state.selected && m_list->hasFocus();
        state.invisible = !m_list->viewport()->rect().intersects(m_list->RowRect(m_row));
        return state;
    }

  private:
    QPointer<CheckpointListView> m_list;
    int m_row;
};

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    if (auto* list = qobject_cast<CheckpointListView*>(object)) {
        return new CheckpointListAccessible(list);  // owned by Qt's cache of interfaces
    }
    return nullptr;
}

}  // namespace

CheckpointListAccessible::CheckpointListAccessible(CheckpointListView* list)
    : QAccessibleWidget(list, QAccessible::List) {}

CheckpointListAccessible::~CheckpointListAccessible() {
    for (const auto& [row, id] : m_rows) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

void CheckpointListAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeInterface);
        return true;
    }();
    (void)installed;
}

CheckpointListView& CheckpointListAccessible::List() const {
    return *static_cast<CheckpointListView*>(widget());
}

int CheckpointListAccessible::childCount() const {
    return List().Count();
}

QAccessibleInterface* CheckpointListAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    if (const auto made = m_rows.find(index); made != m_rows.end()) {
        return QAccessible::accessibleInterface(made->second);
    }
    auto* row = new RowAccessible(&List(), index);  // registering hands it to Qt
    m_rows.emplace(index, QAccessible::registerAccessibleInterface(row));
    return row;
}

int CheckpointListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* row = dynamic_cast<const RowAccessible*>(child);
    return row != nullptr && row->parent() == this && row->isValid() ? row->Row() : -1;
}

QAccessibleInterface* CheckpointListAccessible::childAt(int x, int y) const {
    const CheckpointListView& list = List();
    return child(list.RowAt(list.viewport()->mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface* CheckpointListAccessible::focusChild() const {
    return List().hasFocus() ? child(List().Selected()) : nullptr;
}

}  // namespace rw::ui
