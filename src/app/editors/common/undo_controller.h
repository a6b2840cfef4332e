#pragma once
// Undo and redo for the editors: records the codeplug after every change that
// comes through the editor context, and steps back and forth through those
// states. A restore rebuilds every data object, so the open windows must let
// go of their records first (AboutToRestore) and open again on the same items
// and positions afterwards (Restored).
#include "radio_data/undo_history.h"

#include <QObject>

#include <functional>

namespace qrv {

class CEditorContext;

class CUndoController : public QObject {
    Q_OBJECT
public:
    // Starts a history at the codeplug as it stands now.
    explicit CUndoController(CEditorContext& context, QObject* parent = nullptr);

    // What stores the pages of the open windows, so that a field being typed
    // in when Undo is chosen becomes a step of its own first.
    void SetCommit(std::function<void()> commit) { m_commit = std::move(commit); }

    // A codeplug was loaded (New, Open, Read): a new history starts.
    void Reset();
    // Records the codeplug as a step if it changed; the context's changes come
    // here by themselves, other commands that change the data may call it.
    void Record();

    // The codeplug as it stands now is the one in its file (a save, a load).
    void MarkSaved();
    // Whether the codeplug differs from the one last saved or loaded; undoing
    // back to that state makes it unmodified again.
    bool IsModified() const { return m_modified; }

    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    // False when there was nothing to undo or redo.
    bool Undo();
    bool Redo();

signals:
    // Before the data objects are replaced: close the windows (without storing).
    void AboutToRestore();
    // After: reopen them; the invalid log has been refilled.
    void Restored();
    // For the Edit menu and the tool bar.
    void AvailabilityChanged(bool canUndo, bool canRedo);
    // For the window title's marker.
    void ModifiedChanged(bool modified);

private:
    bool Step(bool back);
    void UpdateModified();

    CEditorContext& m_context;
    CUndoHistory m_history;
    std::function<void()> m_commit;
    bool m_restoring = false;
    CCodeplugState m_saved;
    bool m_modified = false;
};

} // namespace qrv
