#pragma once
// The page arithmetic of the report, in 0.1 mm from the page's top-left
// corner: how many rows fit, where the header, footer, identity block and
// each row and cell lie. The drawing (printer, preview, PDF) only paints.
#include "report/report_row.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace qrv {

// The rows a page draws: first a repeat of the header rows of a table that
// continues from the page before, then its own rows; both [first, last).
struct CPageRows {
    std::size_t headerFirst = 0;
    std::size_t headerLast = 0;
    std::size_t first = 0;
    std::size_t last = 0;
};

struct CPageLayout {
    int margin = 30;       // M; 50 when a view prints its own section
    int top = 150;         // T
    int lineHeight = 50;   // L
    int reservedLines = 4; // R: room for the identity block
    int width = 0;         // W: printable width
    int height = 0;        // H: printable height
    int centring = 0;      // C
    int linesPerPage = 0;  // N
    int pageCount = 0;
    std::vector<CPageRows> pages; // one per page
};

// Measures and paginates: drops a trailing blank row first; no rows, no pages.
// A page holds N lines. A table that goes on over a page break starts the next
// page with its header rows again, and a title or an emphasised row (a table
// header, a group head) never ends a page that has rows after it.
CPageLayout Paginate(int widthTenthsMm, int heightTenthsMm, bool currentView, ReportRows& rows);

// The page's own rows [first, last) of page p (1-based); empty beyond the last page.
std::pair<std::size_t, std::size_t> RowsOfPage(const CPageLayout& layout, int page, std::size_t rowCount);
// The header rows [first, last) repeated at the top of page p before its own rows; mostly empty.
std::pair<std::size_t, std::size_t> RepeatedHeaderOfPage(const CPageLayout& layout, int page);
// Top of the row at this index on its page.
int RowTop(const CPageLayout& layout, int indexOnPage);

struct CCellSpan {
    int left;
    int right;
};
// The x ranges of the row's cells; empty when its widths sum to 0.
std::vector<CCellSpan> CellSpans(const CReportRow& row, const CPageLayout& layout);

// Header and footer rules (distance from the top) and the footer text's top.
int HeaderRuleY(const CPageLayout& layout);
int FooterRuleY(const CPageLayout& layout);
int FooterTextTop(const CPageLayout& layout);

// The radio identity block: two lines of label/value cells and the rule below them.
struct CIdentityCell {
    int left, right, top, bottom;
};
struct CIdentityBlock {
    CIdentityCell modelLabel, modelValue, rangeLabel, rangeValue;
    CIdentityCell versionLabel, versionValue;
    int ruleY;
};
CIdentityBlock IdentityBlock(const CPageLayout& layout);

} // namespace qrv
