#include "report/page_layout.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <tuple>

namespace qrv {

namespace {

constexpr int kPrintMargin = 30;
constexpr int kCurrentViewMargin = 50;
// Lines of the usable height kept free beyond the rows themselves.
constexpr int kSpareLines = 5;
constexpr int kFooterTextGap = 10;

// Follows the rows in order and knows the header rows of the table that is
// open after them: the last run of header rows, while each row after it has
// the table's columns.
class COpenTable {
public:
    void Pass(const ReportRows& rows, std::size_t index)
    {
        const CReportRow& row = rows[index];
        if (row.tableHeader) {
            if (!m_open || m_last != index)
                m_first = index;
            m_last = index + 1;
            m_open = true;
        } else if (m_open && row.widths != rows[m_first].widths) {
            m_open = false;
        }
    }

    // The header rows to repeat above this row, when it continues the open table.
    std::optional<std::pair<std::size_t, std::size_t>> HeaderAbove(const ReportRows& rows, const CReportRow& row) const
    {
        if (!m_open || row.tableHeader || row.widths != rows[m_first].widths)
            return std::nullopt;
        return std::pair(m_first, m_last);
    }

private:
    bool m_open = false;
    std::size_t m_first = 0;
    std::size_t m_last = 0;
};

// Headings belong on the page of the row after them.
bool KeepsWithNext(const CReportRow& row)
{
    return row.kind == CReportRow::kTitle || row.kind == CReportRow::kEmphasis;
}

std::vector<CPageRows> PlanPages(const ReportRows& rows, std::size_t perPage)
{
    std::vector<CPageRows> pages;
    COpenTable table;
    std::size_t next = 0;
    while (next < rows.size()) {
        CPageRows page;
        std::size_t room = perPage;
        // A header as tall as the page would leave no room for the table itself.
        if (const auto header = table.HeaderAbove(rows, rows[next]); header && header->second - header->first < room) {
            std::tie(page.headerFirst, page.headerLast) = *header;
            room -= header->second - header->first;
        }
        std::size_t last = std::min(rows.size(), next + room);
        std::size_t kept = last;
        while (last < rows.size() && kept > next && KeepsWithNext(rows[kept - 1]))
            --kept;
        if (kept > next) // a page of nothing but headings is cut where it is full
            last = kept;
        page.first = next;
        page.last = last;
        for (std::size_t i = next; i < last; ++i)
            table.Pass(rows, i);
        pages.push_back(page);
        next = last;
    }
    return pages;
}

} // namespace

CPageLayout Paginate(int widthTenthsMm, int heightTenthsMm, bool currentView, ReportRows& rows)
{
    CPageLayout layout;
    layout.margin = currentView ? kCurrentViewMargin : kPrintMargin;
    layout.width = widthTenthsMm;
    layout.height = heightTenthsMm;
    const int usable = layout.height - 2 * layout.top;
    layout.centring = (usable % layout.lineHeight + layout.lineHeight) / 2;
    layout.linesPerPage = usable / layout.lineHeight - kSpareLines;

    if (!rows.empty() && rows.back().kind == CReportRow::kBlank)
        rows.pop_back();
    // A page too small for a single row prints nothing rather than dividing by nothing.
    if (rows.empty() || layout.linesPerPage <= 0)
        return layout;
    layout.pages = PlanPages(rows, static_cast<std::size_t>(layout.linesPerPage));
    layout.pageCount = static_cast<int>(layout.pages.size());
    return layout;
}

std::pair<std::size_t, std::size_t> RowsOfPage(const CPageLayout& layout, int page, std::size_t rowCount)
{
    if (page < 1 || static_cast<std::size_t>(page) > layout.pages.size())
        return {rowCount, rowCount};
    const CPageRows& rows = layout.pages[static_cast<std::size_t>(page - 1)];
    return {std::min(rows.first, rowCount), std::min(rows.last, rowCount)};
}

std::pair<std::size_t, std::size_t> RepeatedHeaderOfPage(const CPageLayout& layout, int page)
{
    if (page < 1 || static_cast<std::size_t>(page) > layout.pages.size())
        return {0, 0};
    const CPageRows& rows = layout.pages[static_cast<std::size_t>(page - 1)];
    return {rows.headerFirst, rows.headerLast};
}

int RowTop(const CPageLayout& layout, int indexOnPage)
{
    return layout.reservedLines * layout.lineHeight + layout.centring + layout.top - 2 * layout.margin +
           indexOnPage * layout.lineHeight;
}

std::vector<CCellSpan> CellSpans(const CReportRow& row, const CPageLayout& layout)
{
    const std::size_t count = row.cells.size();
    const auto widthOf = [&row](std::size_t i) -> std::int64_t { return i < row.widths.size() ? row.widths[i] : 0; };
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += widthOf(i);
    if (sum == 0)
        return {};

    const std::int64_t printable = layout.width - 2 * layout.margin;
    std::vector<CCellSpan> spans;
    spans.reserve(count);
    std::int64_t left = layout.margin;
    for (std::size_t i = 0; i < count; ++i) {
        // The step to the next cell truncates the share per unit first; the
        // cell's own right edge does not. Both as the page has always been laid out.
        if (i > 0)
            left += (printable / sum) * widthOf(i - 1);
        const std::int64_t right = left + widthOf(i) * printable / sum;
        spans.push_back({static_cast<int>(left), static_cast<int>(right)});
    }
    return spans;
}

int HeaderRuleY(const CPageLayout& layout)
{
    return layout.top - 2 * layout.margin;
}

int FooterRuleY(const CPageLayout& layout)
{
    return layout.height - layout.top + 2 * layout.margin;
}

int FooterTextTop(const CPageLayout& layout)
{
    return FooterRuleY(layout) + kFooterTextGap;
}

CIdentityBlock IdentityBlock(const CPageLayout& layout)
{
    const int m = layout.margin;
    const int between = layout.width - 2 * m;
    const int quarter = between / 4;
    const int line1Top = layout.top + layout.centring - 4 * m;
    const int line1Bottom = layout.top + layout.centring + layout.lineHeight;
    const int line2Top = layout.top + layout.centring + layout.lineHeight - 4 * m;
    const int line2Bottom = layout.top + layout.centring + 2 * layout.lineHeight;
    const int rangeLabelLeft = m + between / 2;

    CIdentityBlock block{};
    block.modelLabel = {m, m + quarter, line1Top, line1Bottom};
    block.modelValue = {m + quarter, m + 2 * quarter, line1Top, line1Bottom};
    block.rangeLabel = {rangeLabelLeft, rangeLabelLeft + quarter, line1Top, line1Bottom};
    block.rangeValue = {m + (3 * between) / 4, layout.width - m, line1Top, line1Bottom};
    block.versionLabel = {m, m + quarter, line2Top, line2Bottom};
    block.versionValue = {m + quarter, m + 2 * quarter, line2Top, line2Bottom};
    block.ruleY = layout.top + layout.centring + 3 * layout.lineHeight - 3 * m;
    return block;
}

} // namespace qrv
