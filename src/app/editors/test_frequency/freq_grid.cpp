#include "editors/test_frequency/freq_grid.h"

#include <QHeaderView>

namespace qrv {

namespace {

constexpr int kColumns = 2;

} // namespace

CFreqGrid::CFreqGrid(int rows, QWidget* parent) : QTableWidget(rows, kColumns, parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(row, column, item);
        }
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_showing)
            emit TextEntered(item->row(), item->column(), item->text());
    });
}

void CFreqGrid::SetColumnTitles(const QString& rx, const QString& tx)
{
    setHorizontalHeaderLabels({rx, tx});
}

void CFreqGrid::NumberRows()
{
    QStringList numbers;
    for (int row = 0; row < rowCount(); ++row)
        numbers << QString::number(row + 1);
    setVerticalHeaderLabels(numbers);
}

void CFreqGrid::ShowText(int row, int column, const QString& text)
{
    QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr)
        return;
    const bool wasShowing = m_showing;
    m_showing = true;
    cell->setText(text);
    m_showing = wasShowing;
}

QString CFreqGrid::Text(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell != nullptr ? cell->text() : QString();
}

void CFreqGrid::SetEditable(bool editable)
{
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < columnCount(); ++column)
            if (QTableWidgetItem* cell = item(row, column))
                cell->setFlags(editable ? cell->flags() | Qt::ItemIsEditable : cell->flags() & ~Qt::ItemIsEditable);
    setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed
                             : QAbstractItemView::NoEditTriggers);
}

void CFreqGrid::CommitPending()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

} // namespace qrv
