#include "widgets/hex_grid.h"

#include "radio_data/change_log.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>

namespace qrv {

namespace {

constexpr int kByteColumnWidth = 30;

QTableWidgetItem* TextItem(const QString& text, Qt::ItemFlags flags)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(flags);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

void FixSections(QHeaderView* header)
{
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignCenter);
}

} // namespace

CHexGrid::CHexGrid(const QString& cornerText, QWidget* parent) : QTableWidget(kRows, kColumns, parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setCornerButtonEnabled(false);
    FixSections(horizontalHeader());
    FixSections(verticalHeader());
    verticalHeader()->setFixedWidth(kHeaderColumnWidth);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setColumnWidth(0, kHeaderColumnWidth);
    for (int c = 1; c < kColumns; ++c)
        setColumnWidth(c, kByteColumnWidth);
    SetHeaderTexts(cornerText);
    // Row 0 and column 0 keep the header texts as cells; the header bars show them.
    setRowHidden(0, true);
    setColumnHidden(0, true);
    setMinimumWidth(FullWidth());

    // The corner of the header bars shows the text of cell (0, 0).
    m_corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner != nullptr)
        m_corner->installEventFilter(this);
}

void CHexGrid::SetHeaderTexts(const QString& cornerText)
{
    setItem(0, 0, TextItem(cornerText, Qt::ItemIsEnabled));
    for (int c = 1; c < kColumns; ++c) {
        const QString text = Q(ColumnHeader(c - 1));
        setItem(0, c, TextItem(text, Qt::ItemIsEnabled));
        setHorizontalHeaderItem(c, TextItem(text, Qt::ItemIsEnabled));
    }
    for (int r = 1; r < kRows; ++r) {
        const QString text = Q(RowHeader(r - 1));
        setItem(r, 0, TextItem(text, Qt::ItemIsEnabled));
        setVerticalHeaderItem(r, TextItem(text, Qt::ItemIsEnabled));
    }
}

void CHexGrid::ShowImage(const Image& image)
{
    for (std::size_t offset = 0; offset < image.size(); ++offset) {
        if (item(RowOf(offset), ColumnOf(offset)) == nullptr)
            setItem(RowOf(offset), ColumnOf(offset), TextItem({}, Qt::ItemIsEnabled | Qt::ItemIsSelectable));
        SetByte(offset, image[offset]);
    }
}

void CHexGrid::SetByte(std::size_t offset, std::uint8_t value)
{
    if (QTableWidgetItem* cell = item(RowOf(offset), ColumnOf(offset)); cell != nullptr)
        cell->setText(Q(Format("%.2X", static_cast<unsigned>(value))));
}

void CHexGrid::SetMarked(int row, int column, bool marked)
{
    QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr)
        return;
    if (marked)
        cell->setBackground(QColor::fromRgb(kMarkColour));
    else
        cell->setData(Qt::BackgroundRole, QVariant());
}

bool CHexGrid::IsMarked(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr)
        return false;
    const QVariant background = cell->data(Qt::BackgroundRole);
    return background.isValid() && background.value<QBrush>().color() == QColor::fromRgb(kMarkColour);
}

void CHexGrid::FocusCell(int row, int column)
{
    setCurrentCell(row, column);
    scrollToItem(item(row, column));
    viewport()->update();
}

QString CHexGrid::CellText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell != nullptr ? cell->text() : QString();
}

int CHexGrid::FullWidth() const
{
    return kHeaderColumnWidth + (kColumns - 1) * kByteColumnWidth + verticalScrollBar()->sizeHint().width() +
           2 * frameWidth();
}

bool CHexGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_corner && event->type() == QEvent::Paint) {
        QStyleOptionHeader option;
        option.initFrom(m_corner);
        // The corner takes no clicks, but its title should not look greyed out.
        option.state |= QStyle::State_Enabled;
        option.palette.setCurrentColorGroup(QPalette::Active);
        option.rect = m_corner->rect();
        option.text = CellText(0, 0);
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        QStylePainter painter(m_corner);
        painter.drawControl(QStyle::CE_Header, option);
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}

} // namespace qrv
