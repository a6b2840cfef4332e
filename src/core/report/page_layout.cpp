#include "report/page_layout.h"

#include <algorithm>
#include <cstdint>

namespace qrv {

namespace {

constexpr int kPrintMargin = 30;
constexpr int kCurrentViewMargin = 50;
// Lines of the usable height kept free beyond the rows themselves.
constexpr int kSpareLines = 5;
constexpr int kFooterTextGap = 10;

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
    const auto perPage = static_cast<std::size_t>(layout.linesPerPage);
    layout.pageCount = static_cast<int>((rows.size() + perPage - 1) / perPage);
    return layout;
}

std::pair<std::size_t, std::size_t> RowsOfPage(const CPageLayout& layout, int page, std::size_t rowCount)
{
    if (page < 1 || layout.linesPerPage <= 0)
        return {rowCount, rowCount};
    const auto perPage = static_cast<std::size_t>(layout.linesPerPage);
    const std::size_t first = std::min(static_cast<std::size_t>(page - 1) * perPage, rowCount);
    const std::size_t last = std::min(first + perPage, rowCount);
    return {first, last};
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
