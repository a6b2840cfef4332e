#pragma once
// The channel list: every channel as a row of an editable grid. A finished
// cell edit is stored into its channel at once and tells the program (the
// channel window reloads its Basic page); the record commands add, delete and
// move the current channel; cells travel through the clipboard as
// tab-separated text and are stored exactly like typed ones.
#include "editors/channel_list/channel_table_model.h"
#include "editors/common/editor_view.h"
#include "editors/record_navigator.h"

#include <cstdint>
#include <vector>

namespace qrv {

class CChannelCellDelegate;
class CChannelGrid;

class CViewChannelList : public CEditorView, public CRecordNavigator {
    Q_OBJECT
public:
    // Pasted text that fitted no cell, no entry of its column, or no channel.
    // The data word of the notification after a cell edit.
    // Lines at least this wide (up to the power level) pasted onto selected rows replace whole channels.
    static constexpr int kRowPasteWidth = CChannelTableModel::kPower + 1;

    // Shows the channel at position (0-based; the first when out of range).
    CViewChannelList(CEditorContext& context, int position, QWidget* parent = nullptr);
    // A cell still being edited is stored before the window goes.
    ~CViewChannelList() override;

    void Navigate(int command, int position) override;
    int CurrentPosition() const override { return m_current; }
    int RecordCount() const override;

    void OnNotification(const CNotification& notification, QObject* origin) override;
    // Nothing waits to be stored but an open cell editor.
    void StorePages() override;

    CChannelGrid* Grid() const { return m_grid; }
    CChannelTableModel* Model() const { return m_model; }

    // The selected cells (whole rows when rows are selected) to the clipboard.
    void CopySelection();
    // The clipboard's cells from the current cell, or whole channels onto selected rows.
    void Paste();
    // Empties the selected frequency cells.
    void ClearFrequencies();

private:
    struct CStoreOutcome {
        bool clamped = false;
        bool leftOut = false;
        bool added = false;
    };

    void SetCurrent(int position);
    // Rows again from the channel array; the current channel's row is selected.
    void FillAllRows();
    // After another window added or deleted channels: the same channel if it is still there.
    void FollowChannels();
    void StoreRow(int row, const std::vector<CChannelTableModel::CCell>& cells, CStoreOutcome& outcome);
    void PasteBlock(const QList<QStringList>& block, CStoreOutcome& outcome);
    void Report(const CStoreOutcome& outcome);
    // Messages raised while a cell editor closes are shown once it has closed.
    void ShowLater(int messageNumber, const QString& argument = {});
    void ShowPendingMessages();
    // The selected cells, or the current one when none is selected.
    QModelIndexList TargetCells() const;

    CChannelTableModel* m_model;
    CChannelCellDelegate* m_delegate;
    CChannelGrid* m_grid;
    int m_current = -1;
    std::uint32_t m_currentId = 0;
    struct CPendingMessage {
        int number = 0;
        QString argument;
        bool operator==(const CPendingMessage&) const = default;
    };
    std::vector<CPendingMessage> m_pendingMessages;
    // While the window goes, a cell still being edited is stored without telling anyone.
    bool m_closing = false;
};

} // namespace qrv
