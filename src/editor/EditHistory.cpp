// The editor's undo history.
#include "editor/EditHistory.h"

#include <utility>

namespace rw::editor {

void EditHistory::Push(EditStep step) {
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_position), m_steps.end());
    if (m_clean && *m_clean > m_position) {
        m_clean.reset();  // the saved document was on the branch just dropped
    }
    m_steps.push_back(std::move(step));
    ++m_position;
    if (m_steps.size() > kMaxSteps) {
        m_steps.pop_front();
        --m_position;
        if (m_clean) {
            m_clean = *m_clean == 0 ? std::nullopt : std::optional<std::size_t>(*m_clean - 1);
        }
    }
}

const EditStep* EditHistory::Undo() {
    if (!CanUndo()) {
        return nullptr;
    }
    --m_position;
    return &m_steps[m_position];
}

const EditStep* EditHistory::Redo() {
    if (!CanRedo()) {
        return nullptr;
    }
    return &m_steps[m_position++];
}

void EditHistory::Clear() {
    m_steps.clear();
    m_position = 0;
    m_clean = 0;
}

}  // namespace rw::editor
