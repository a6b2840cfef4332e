#include "radio_data/undo_history.h"

#include <algorithm>
#include <utility>

namespace qrv {

CUndoHistory::CUndoHistory(std::size_t depth) : m_depth(std::max<std::size_t>(depth, 1))
{
}

void CUndoHistory::Reset(CCodeplugState state)
{
    m_states.clear();
    m_states.push_back(std::move(state));
    m_current = 0;
}

bool CUndoHistory::Record(CCodeplugState state)
{
    if (m_states.empty()) {
        Reset(std::move(state));
        return false;
    }
    if (state == m_states[m_current])
        return false;
    m_states.erase(m_states.begin() + static_cast<std::ptrdiff_t>(m_current + 1), m_states.end());
    m_states.push_back(std::move(state));
    if (m_states.size() > m_depth + 1)
        m_states.pop_front();
    m_current = m_states.size() - 1;
    return true;
}

const CCodeplugState* CUndoHistory::Undo()
{
    if (!CanUndo())
        return nullptr;
    --m_current;
    return &m_states[m_current];
}

const CCodeplugState* CUndoHistory::Redo()
{
    if (!CanRedo())
        return nullptr;
    ++m_current;
    return &m_states[m_current];
}

} // namespace qrv
