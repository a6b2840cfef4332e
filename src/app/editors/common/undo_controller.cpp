#include "editors/common/undo_controller.h"

#include "editors/common/editor_context.h"
#include "radio_data/codeplug_state.h"
#include "radio_data/radio_data.h"

#include <QScopedValueRollback>

namespace qrv {

CUndoController::CUndoController(CEditorContext& context, QObject* parent) : QObject(parent), m_context(context)
{
    connect(&context, &CEditorContext::NotifyDone, this, [this] {
        if (!m_context.InBatch())
            Record();
    });
    connect(&context, &CEditorContext::BatchDone, this, [this] { Record(); });
    m_history.Reset(CaptureState(m_context.Data()));
    m_saved = *m_history.Current();
}

void CUndoController::Reset()
{
    m_history.Reset(CaptureState(m_context.Data()));
    MarkSaved();
    emit AvailabilityChanged(CanUndo(), CanRedo());
}

void CUndoController::MarkSaved()
{
    Record();
    m_saved = *m_history.Current();
    UpdateModified();
}

void CUndoController::UpdateModified()
{
    const bool modified = !(*m_history.Current() == m_saved);
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit ModifiedChanged(modified);
}

void CUndoController::Record()
{
    // What the windows do while they close and reopen around a restore is not a change.
    if (m_restoring)
        return;
    if (m_history.Record(CaptureState(m_context.Data())))
        emit AvailabilityChanged(CanUndo(), CanRedo());
    UpdateModified();
}

bool CUndoController::Undo()
{
    return Step(true);
}

bool CUndoController::Redo()
{
    return Step(false);
}

bool CUndoController::Step(bool back)
{
    if (m_restoring)
        return false;
    if (m_commit)
        m_commit();
    Record();
    if (back ? !CanUndo() : !CanRedo())
        return false;
    {
        const QScopedValueRollback guard(m_restoring, true);
        emit AboutToRestore();
        const CCodeplugState* state = back ? m_history.Undo() : m_history.Redo();
        RestoreState(m_context.Data(), *state);
        emit Restored();
    }
    emit AvailabilityChanged(CanUndo(), CanRedo());
    UpdateModified();
    return true;
}

} // namespace qrv
