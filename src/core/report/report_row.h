#pragma once
// One line of the printed codeplug report: its kind (which font draws it) and
// its cells, each with a relative width.
#include <string>
#include <vector>

namespace qrv {

struct CReportRow {
    static constexpr int kBlank = 0; // takes its line, draws nothing
    static constexpr int kTitle = 1; // largest heavy font
    static constexpr int kNormal = 2;
    static constexpr int kEmphasis = 4; // heavy: group heads and table headers

    int kind = kNormal;
    std::vector<std::string> cells;
    std::vector<unsigned> widths; // one per cell
    // A header row of a table: drawn again at the top of each page the table continues on.
    bool tableHeader = false;
};

using ReportRows = std::vector<CReportRow>;

} // namespace qrv
