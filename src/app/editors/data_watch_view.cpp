#include "editors/data_watch_view.h"

#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "shell/qt_text.h"
#include "widgets/hex_grid.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qrv {

namespace {
constexpr int kSideWidth = 230;
}

CDataWatchView::CDataWatchView(CRadioData& radioData, const CSettings& settings, QWidget* parent)
    : QWidget(parent), m_data(radioData), m_log(radioData.GetImage())
{
    setProperty("controlNumber", kForm);
    setWindowTitle(Q(settings.GetText(kForm)));

    m_grid = new CHexGrid(Q(settings.GetText(kOffsetHeader)), this);
    m_grid->setProperty("controlNumber", kGrid);
    m_grid->ShowImage(m_data.GetImage());
    m_list = new QListWidget(this);
    m_list->setProperty("controlNumber", kChangeList);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumWidth(kSideWidth);
    m_details = new QPlainTextEdit(this);
    m_details->setProperty("controlNumber", kDetails);
    m_details->setReadOnly(true);
    m_clear = new QPushButton(Q(settings.GetText(kClearButton)), this);
    m_clear->setProperty("controlNumber", kClearButton);

    auto* side = new QVBoxLayout;
    side->addWidget(m_list, 3);
    side->addWidget(m_details, 1);
    side->addWidget(m_clear, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(side, 1);

    connect(m_clear, &QPushButton::clicked, this, &CDataWatchView::Clear);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CDataWatchView::ShowSelectedLine);
    connect(m_grid, &QTableWidget::cellClicked, this, &CDataWatchView::SelectLineOfCell);
}

void CDataWatchView::Refresh()
{
    for (const CByteChange& change : m_log.Refresh(m_data.GetImage())) {
        m_grid->SetByte(change.offset, change.newValue);
        m_grid->SetMarked(change.Row(), change.Column(), true);
        m_list->addItem(Q(change.ListLine()));
    }
    if (!m_log.Changes().empty())
        ShowChange(m_log.Changes().back());
}

void CDataWatchView::Clear()
{
    for (const CByteChange& change : m_log.Changes())
        m_grid->SetMarked(change.Row(), change.Column(), false);
    m_log.Clear();
    m_list->clear();
    m_details->clear();
}

void CDataWatchView::ShowSelectedLine()
{
    // Every line has its texts, however long the list grows.
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const int line = m_list->row(selected.first());
    if (line >= 0 && static_cast<std::size_t>(line) < m_log.Changes().size())
        ShowChange(m_log.Changes()[static_cast<std::size_t>(line)]);
}

void CDataWatchView::SelectLineOfCell(int row, int column)
{
    const std::vector<CByteChange>& changes = m_log.Changes();
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (changes[i].Row() == row && changes[i].Column() == column) {
            m_list->setCurrentRow(static_cast<int>(i));
            return;
        }
    }
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
}

void CDataWatchView::ShowChange(const CByteChange& change)
{
    m_grid->FocusCell(change.Row(), change.Column());
    // The edit breaks lines at '\n'; a '\r' would show as a character of its own.
    QString text = Q(change.DecimalText() + "\r\n" + change.BitText());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_details->setPlainText(text);
}

QString CDataWatchView::DetailsText() const
{
    return m_details->toPlainText();
}

QString CDataWatchView::CellText(int row, int column) const
{
    return m_grid->CellText(row, column);
}

bool CDataWatchView::IsCellChanged(int row, int column) const
{
    return m_grid->IsMarked(row, column);
}

QSize CDataWatchView::sizeHint() const
{
    return {m_grid->FullWidth() + kSideWidth + 40, 480};
}

} // namespace qrv
