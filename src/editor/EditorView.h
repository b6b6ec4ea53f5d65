// What the editor needs of its window: the controls' texts, the checkpoint list, the difficulty box, the map.
#pragma once

#include <string>
#include <string_view>

#include "editor/ControlId.h"

namespace rw::editor {

// Implemented by each front end over its real controls. Texts are UTF-8 both ways; the editor converts the
// documents' bytes before they cross. Setters never report a change back to the editor (a front end that
// gets notifications from its controls mutes them while the editor sets them).
class EditorView {
  public:
    virtual ~EditorView() = default;

    // The text of an edit field or static text; an unknown id reads as empty and ignores writes.
    virtual std::string Text(ControlId id) const = 0;
    virtual void SetText(ControlId id, std::string_view text) = 0;

    // The Checkpoints list: entries in rows 0..ListCount() - 1, each with a label and an item data number.
    virtual int ListCount() const = 0;
    // Inserts at row (ListCount() appends).
    virtual void ListInsert(int row, std::string_view label, int itemData) = 0;
    virtual void ListSetLabel(int row, std::string_view label) = 0;
    virtual void ListRemove(int row) = 0;
    // Item data of row; -1 for a row the list does not have.
    virtual int ListItemData(int row) const = 0;
    // Selected row, -1 for none.
    virtual int ListSelection() const = 0;
    // Selects row (-1 or a row the list does not have: none) and brings it into view.
    virtual void ListSelect(int row) = 0;
    // Scrolls the list back to its first entry.
    virtual void ListScrollToTop() = 0;

    // The Race Difficulty box: 0 Easy, 1 Medium, 2 Hard, -1 none.
    virtual int DifficultySelection() const = 0;
    virtual void SelectDifficulty(int index) = 0;

    // The map picture, the checkpoint marks or the selection changed: paint the map area again.
    virtual void RepaintMap() = 0;
};

}  // namespace rw::editor
