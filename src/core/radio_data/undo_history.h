#pragma once
// The undo history of the codeplug: the states after each change, with the
// one the data objects stand at now. A load starts a new history; a change
// after an undo drops the steps that could have been redone. The depth is
// bounded so that a long session keeps its memory small.
#include "radio_data/codeplug_state.h"

#include <cstddef>
#include <deque>

namespace qrv {

class CUndoHistory {
public:
    static constexpr std::size_t kDefaultDepth = 200;

    explicit CUndoHistory(std::size_t depth = kDefaultDepth);

    // A new history whose only state is this one.
    void Reset(CCodeplugState state);
    // The state after a change; returns true when it is a new step (a state
    // equal to the current one is not). Without a history yet it starts one.
    bool Record(CCodeplugState state);

    bool CanUndo() const { return m_current > 0; }
    bool CanRedo() const { return m_current + 1 < m_states.size(); }
    std::size_t UndoSteps() const { return m_current; }
    std::size_t RedoSteps() const { return CanRedo() ? m_states.size() - m_current - 1 : 0; }

    // The state to restore, or nullptr when there is no step that way.
    const CCodeplugState* Undo();
    const CCodeplugState* Redo();
    // nullptr before the first Reset or Record.
    const CCodeplugState* Current() const { return m_states.empty() ? nullptr : &m_states[m_current]; }

private:
    std::size_t m_depth;
    std::deque<CCodeplugState> m_states;
    std::size_t m_current = 0;
};

} // namespace qrv
