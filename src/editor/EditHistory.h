// The editor's undo history: each document change as a small step that can be undone and done again.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>

#include "editor/StoreRaceFields.h"
#include "scenario/Scenario.h"

namespace rw::editor {

// One change of the document, holding only what it takes to undo and redo it (never the whole course).
struct EditStep {
    enum class Kind {
        Insert,  // `after` placed at index
        Delete,  // `before` removed from index
        Move,    // the checkpoint at index moved from `before` to `after`
        Swap,    // the checkpoints at index and index + 1 traded places
        Fields,  // the race form went from `fieldsBefore` to `fieldsAfter`
    };
    Kind kind = Kind::Fields;
    int index = 0;
    scenario::TilePos before{};
    scenario::TilePos after{};
    RaceFields fieldsBefore;
    RaceFields fieldsAfter;
};

// Steps in the order they were made, with a position between the done and the undone ones. A new step drops
// the undone ones. At most kMaxSteps are kept (the oldest go first), so the history's memory is bounded.
// The clean position is where the document equals the one last loaded or saved; once its step has been
// dropped, no position is clean until the next MarkClean.
class EditHistory {
  public:
    static constexpr std::size_t kMaxSteps = 5000;

    void Push(EditStep step);
    // The step to undo (the position moves back), or nothing at the start.
    const EditStep* Undo();
    // The step to redo (the position moves on), or nothing at the end.
    const EditStep* Redo();
    // The last step made, to extend while the same gesture goes on (a drag); nothing when there is none or
    // it has been undone.
    EditStep* Last() { return m_position == m_steps.size() && m_position > 0 ? &m_steps.back() : nullptr; }
    bool CanUndo() const { return m_position > 0; }
    bool CanRedo() const { return m_position < m_steps.size(); }
    // Forgets every step; the document as it is now is clean.
    void Clear();
    void MarkClean() { m_clean = m_position; }
    bool IsClean() const { return m_clean == m_position; }
    std::size_t Size() const { return m_steps.size(); }

  private:
    std::deque<EditStep> m_steps;
    std::size_t m_position = 0;
    std::optional<std::size_t> m_clean = 0;
};

}  // namespace rw::editor
