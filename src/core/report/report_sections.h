#pragma once
// The sections of the codeplug report, in printing order, and the builder of
// the rows of the chosen ones.
#include "report/report_row.h"

#include <cstddef>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace qrv {

class CRadioData;
class CSettings;

struct CReportSection {
    int formNumber;  // the section editor's form: its title is the language text of this number
    int treeCommand; // the tree item (menu command) that selects it in the Print Tree dialog
};

// Radio identity, keys, miscellaneous, VOX, mode, channels, personality, scan,
// embedded messages, test frequencies.
std::span<const CReportSection> ReportSections();

// The rows of the sections whose form numbers are given, in table order.
ReportRows BuildReport(CRadioData& data, const CSettings& settings, const std::set<int>& formNumbers);

// The row shapes the sections are made of.
CReportRow TitleRow(const std::string& text);
CReportRow SettingRow(const std::string& label, const std::string& value, bool groupHead);
// A setting whose value is a line of text: it takes the value's column and the empty one beside it.
CReportRow TextSettingRow(const std::string& label, const std::string& value);
CReportRow SpacerRow(int kind = CReportRow::kNormal);
// The eleven columns of the channel table; missing cells are left empty.
CReportRow TableRow(int kind, std::vector<std::string> cells);
// A header row of the channel table, repeated on every page the table continues on.
CReportRow TableHeaderRow(std::vector<std::string> cells);
inline constexpr std::size_t kTableColumns = 11;

// A setting list: label/value pairs. With grouping on, the pair at string
// index i (two strings per pair) heads a group when i is a multiple of
// groupLength, and every group but the first is preceded by a spacer. One
// spacer ends the list; an empty list appends nothing.
using ReportPairs = std::vector<std::pair<std::string, std::string>>;
void AppendSettingList(ReportRows& rows, const ReportPairs& pairs, bool grouping, std::size_t groupLength);

// The radio identity as the radio view shows it; the page header's identity
// block draws the model name, frequency range and firmware version from it.
struct CRadioIdentityTexts {
    std::string modelName;
    std::string frequencyRange;
    std::string serialNumber;
    std::string signallingType;
    std::string firmwareVersion;
    std::string lastProgrammed;
};
CRadioIdentityTexts RadioIdentityTexts(const CRadioData& data, const CSettings& settings);

} // namespace qrv
