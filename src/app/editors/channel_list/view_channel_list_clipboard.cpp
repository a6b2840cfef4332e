// Copying and pasting cells of the channel list.
#include "editors/channel_list/channel_grid.h"
#include "editors/channel_list/tab_separated.h"
#include "editors/channel_list/view_channel_list.h"

#include "editors/common/editor_context.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>
#include <map>
#include <set>

namespace qrv {

void CViewChannelList::CopySelection()
{
    const QModelIndexList cells = TargetCells();
    if (cells.isEmpty())
        return;
    // The rows and columns that hold a selected cell; other cells among them stay empty.
    std::set<int> rows;
    std::set<int> columns;
    std::set<std::pair<int, int>> selected;
    for (const QModelIndex& index : cells) {
        rows.insert(index.row());
        columns.insert(index.column());
        selected.insert({index.row(), index.column()});
    }
    QList<QStringList> block;
    for (const int row : rows) {
        QStringList line;
        for (const int column : columns)
            line << (selected.count({row, column}) != 0 ? m_model->index(row, column).data().toString() : QString());
        block << line;
    }
    QGuiApplication::clipboard()->setText(JoinTabSeparated(block));
}

void CViewChannelList::Paste()
{
    StorePages();
    const QList<QStringList> block = SplitTabSeparated(QGuiApplication::clipboard()->text());
    if (block.isEmpty())
        return;
    CStoreOutcome outcome;
    const CChangeBatch oneStep(Context()); // a paste is undone as a whole
    const QModelIndexList targets = TargetCells();
    if (block.size() == 1 && block.front().size() == 1 && targets.size() > 1 &&
        targets.contains(m_grid->currentIndex())) {
        // One value into every selected cell that takes typing.
        std::map<int, std::vector<CChannelTableModel::CCell>> rows;
        for (const QModelIndex& index : targets)
            if (index.flags() & Qt::ItemIsEditable)
                rows[index.row()].push_back({index.column(), block.front().front(), std::nullopt});
        for (const auto& [row, cells] : rows)
            StoreRow(row, cells, outcome);
    } else {
        PasteBlock(block, outcome);
    }
    Report(outcome);
}

void CViewChannelList::PasteBlock(const QList<QStringList>& block, CStoreOutcome& outcome)
{
    int width = 0;
    for (const QStringList& line : block)
        width = std::max(width, static_cast<int>(line.size()));
    const QModelIndexList selectedRows = m_grid->selectionModel()->selectedRows();
    int top = 0;
    int left = 0;
    if (!selectedRows.isEmpty() && width >= kRowPasteWidth) {
        // Whole channels, from the first selected row on.
        top = std::min_element(selectedRows.begin(), selectedRows.end())->row();
    } else if (m_grid->currentIndex().isValid()) {
        top = m_grid->currentIndex().row();
        left = m_grid->currentIndex().column();
    } else {
        return;
    }
    for (int i = 0; i < static_cast<int>(block.size()); ++i) {
        const int row = top + i;
        // Lines beyond the last channel become new channels while there is room.
        if (row >= m_model->rowCount()) {
            if (m_model->AppendChannel() < 0) {
                outcome.leftOut = true;
                continue;
            }
            outcome.added = true;
        }
        std::vector<CChannelTableModel::CCell> cells;
        for (int j = 0; j < static_cast<int>(block[i].size()); ++j) {
            const int column = left + j;
            if (column < CChannelTableModel::kColumnCount)
                cells.push_back({column, block[i][j], std::nullopt});
            else if (!block[i][j].trimmed().isEmpty())
                outcome.leftOut = true;
        }
        StoreRow(row, cells, outcome);
    }
}

} // namespace qrv
