// The Checkpoints list as assistive tools see it: a list whose entries are its rows.
#pragma once

#include <QAccessible>
#include <QAccessibleWidget>

#include <map>

namespace rw::ui {

class CheckpointListView;

// A scroll area on its own tells a screen reader its name and nothing more; this interface gives the list a
// child per entry with its label, its place on the screen and whether it is selected, as a list box has.
// Entries are told by row: the labels are read when asked for, so rows that move stay right.
class CheckpointListAccessible : public QAccessibleWidget {
  public:
    explicit CheckpointListAccessible(CheckpointListView* list);
    ~CheckpointListAccessible() override;
    CheckpointListAccessible(const CheckpointListAccessible&) = delete;
    CheckpointListAccessible& operator=(const CheckpointListAccessible&) = delete;

    // Has Qt make this interface for every Checkpoints list; once per process, before the first is asked for.
    static void Install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

  private:
    CheckpointListView& List() const;

    // The entries' interfaces made so far, by row. Qt owns them once registered; they go with the list's.
    mutable std::map<int, QAccessible::Id> m_rows;
};

}  // namespace rw::ui
