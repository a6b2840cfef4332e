#include "editors/channel_list/view_channel_list.h"

#include "editors/channel_list/channel_cell_delegate.h"
#include "editors/channel_list/channel_grid.h"
#include "editors/common/editor_context.h"
#include "presentation/item_tables.h"
#include "radio_data/messages.h"
#include "radio_data/notification.h"
#include "radio_data/radio_data.h"
#include "shell/message_box.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include <algorithm>

namespace qrv {

CViewChannelList::CViewChannelList(CEditorContext& context, int position, QWidget* parent)
    : CEditorView(context, parent), m_model(new CChannelTableModel(context.Data(), context.Settings(), this)),
      m_delegate(new CChannelCellDelegate(context.Data().Identity(), this)), m_grid(new CChannelGrid(this))
{
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(m_delegate);
    for (int column = 0; column < CChannelTableModel::kColumnCount; ++column)
        m_grid->setColumnWidth(column, std::max(CChannelTableModel::DefaultWidth(column),
                                                m_grid->horizontalHeader()->sectionSizeHint(column)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);

    connect(m_model, &CChannelTableModel::CellStored, this, [this](int, bool clamped) {
        if (m_closing)
            return;
        if (clamped)
            ShowLater(msg::kFrequencyOutOfRange);
        Context().Notify({CNotification::Kind::CellEdited, CNotification::kCellEditedData}, this);
    });
    connect(m_model, &CChannelTableModel::CellRefused, this, &CViewChannelList::ShowLater);
    connect(m_delegate, &CChannelCellDelegate::FrequencyOutOfRange, this,
            [this] { ShowLater(msg::kFrequencyOutOfRange); });
    connect(m_grid, &CChannelGrid::CopyRequested, this, &CViewChannelList::CopySelection);
    connect(m_grid, &CChannelGrid::PasteRequested, this, &CViewChannelList::Paste);
    connect(m_grid, &CChannelGrid::ClearRequested, this, &CViewChannelList::ClearFrequencies);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.row() != m_current) {
                    SetCurrent(current.row());
                    emit CurrentRecordChanged();
                }
            });

    if (RecordCount() == 0) {
        m_model->AppendChannel();
        Context().Notify({CNotification::Kind::Added, 0}, this);
    }
    SetCurrent(position >= 0 && position < RecordCount() ? position : 0);
    FillAllRows();
}

CViewChannelList::~CViewChannelList()
{
    // The program around the window may already be going too.
    m_closing = true;
    StorePages();
}

int CViewChannelList::RecordCount() const
{
    return static_cast<int>(Context().Data().Channels().size());
}

void CViewChannelList::SetCurrent(int position)
{
    const auto& channels = Context().Data().Channels();
    if (position < 0 || position >= RecordCount())
        return;
    m_current = position;
    m_currentId = channels[static_cast<std::size_t>(position)]->TreeId();
}

void CViewChannelList::FillAllRows()
{
    m_model->Refill();
    if (RecordCount() == 0) {
        m_current = -1;
        return;
    }
    SetCurrent(std::clamp(m_current, 0, RecordCount() - 1));
    m_grid->selectionModel()->setCurrentIndex(m_model->index(m_current, CChannelTableModel::kRxFrequency),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CViewChannelList::FollowChannels()
{
    const auto& channels = Context().Data().Channels();
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (channels[i]->TreeId() == m_currentId) {
            m_current = static_cast<int>(i);
            break;
        }
    }
    FillAllRows();
}

void CViewChannelList::Navigate(int command, int position)
{
    StorePages();
    CRadioData& radio = Context().Data();
    auto& channels = radio.Channels();
    if (command == record_command::kAdd) {
        if (m_model->AppendChannel() < 0)
            return; // sixteen channels: the bar does not offer adding
    } else if (command == record_command::kDelete) {
        if (m_current < 0 || m_current >= RecordCount())
            return;
        // A single channel keeps its place but not its check entries.
        if (!radio.RemoveChannel(static_cast<std::size_t>(m_current)))
            channels[static_cast<std::size_t>(m_current)]->WithdrawCheckEntries(radio.InvalidLog());
    }
    const int next = PositionAfter(command, m_current, RecordCount(), position);
    if (next >= 0)
        SetCurrent(next);
    Context().Notify(NavigationNotification(command), this);
    FillAllRows();
}

void CViewChannelList::OnNotification(const CNotification& notification, QObject* origin)
{
    if (origin == this)
        return;
    if (notification.ChangesRecordCount())
        FollowChannels();
    else
        m_model->RefreshRows(); // a channel page or a personality may have changed what a row shows
}

void CViewChannelList::StorePages()
{
    m_grid->CommitOpenEditor();
}

QModelIndexList CViewChannelList::TargetCells() const
{
    QModelIndexList cells = m_grid->selectionModel()->selectedIndexes();
    if (cells.isEmpty() && m_grid->currentIndex().isValid())
        cells << m_grid->currentIndex();
    std::sort(cells.begin(), cells.end());
    return cells;
}

void CViewChannelList::StoreRow(int row, const std::vector<CChannelTableModel::CCell>& cells, CStoreOutcome& outcome)
{
    const CChannelTableModel::CStoreResult result = m_model->StoreCells(row, cells);
    outcome.clamped = outcome.clamped || result.clamped;
    outcome.leftOut = outcome.leftOut || result.rejected;
    if (result.stored)
        Context().Notify({CNotification::Kind::CellEdited, CNotification::kCellEditedData}, this);
}

void CViewChannelList::Report(const CStoreOutcome& outcome)
{
    if (outcome.added)
        Context().Notify({CNotification::Kind::Added, 0}, this);
    if (outcome.clamped)
        ShowMessage(this, Context().Settings(), msg::kFrequencyOutOfRange);
    if (outcome.leftOut)
        ShowMessage(this, Context().Settings(), msg::kPasteLeftOut);
}

void CViewChannelList::ClearFrequencies()
{
    StorePages();
    CStoreOutcome outcome;
    int row = -1;
    std::vector<CChannelTableModel::CCell> cells;
    // Cells come sorted by row; each row is stored once.
    const auto flush = [&] {
        if (!cells.empty())
            StoreRow(row, cells, outcome);
        cells.clear();
    };
    for (const QModelIndex& index : TargetCells()) {
        if (CChannelTableModel::KindOf(index.column()) != CChannelTableModel::CellKind::Frequency ||
            !(index.flags() & Qt::ItemIsEditable))
            continue;
        if (index.row() != row)
            flush();
        row = index.row();
        cells.push_back({index.column(), QString(), std::nullopt});
    }
    flush();
    Report(outcome);
}

void CViewChannelList::ShowLater(int messageNumber, const QString& argument)
{
    const CPendingMessage message{messageNumber, argument};
    if (std::find(m_pendingMessages.begin(), m_pendingMessages.end(), message) != m_pendingMessages.end())
        return;
    m_pendingMessages.push_back(message);
    if (m_pendingMessages.size() == 1)
        QMetaObject::invokeMethod(this, &CViewChannelList::ShowPendingMessages, Qt::QueuedConnection);
}

void CViewChannelList::ShowPendingMessages()
{
    const std::vector<CPendingMessage> messages = std::move(m_pendingMessages);
    m_pendingMessages.clear();
    for (const CPendingMessage& message : messages)
        ShowMessage(this, Context().Settings(), message.number, QMessageBox::Ok, message.argument);
}

} // namespace qrv
