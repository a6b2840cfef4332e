#include "report/report_sections.h"

#include "presentation/form_numbers.h"
#include "presentation/item_tables.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "report/report_builders.h"
#include "util/text_format.h"

#include <array>

namespace qrv {

namespace {

using Builder = void (*)(ReportRows&, const CRadioData&, const CSettings&);

// Each section is titled by its editor's form and chosen by its tree item.
constexpr std::array<CReportSection, 10> kSections{{
    {form::kRadio, item::kRadio},
    {form::kKeys, item::kKeys},
    {form::kMiscellaneous, item::kMiscellaneous},
    {form::kVox, item::kVox},
    {form::kMode, item::kMode},
    {form::kChannel, item::kChannelFolder},
    {form::kPersonality, item::kPersonalityFolder},
    {form::kScan, item::kScan},
    {form::kEmbedded, item::kEmbedded},
    {form::kTestFrequency, item::kTestFrequency},
}};

// In the order of kSections.
constexpr std::array<Builder, kSections.size()> kBuilders{
    &report::BuildRadioIdentity,
    &report::BuildKeys,
    &report::BuildMiscellaneous,
    &report::BuildVox,
    &report::BuildMode,
    &report::BuildChannels,
    &report::BuildPersonalities,
    &report::BuildScanLists,
    &report::BuildEmbeddedMessages,
    &report::BuildTestFrequencies,
};

constexpr unsigned kTitleWidth = 1;
constexpr unsigned kLabelWidth = 2;
constexpr unsigned kValueWidth = 1;
constexpr unsigned kSpacerWidth = 3;
constexpr std::size_t kSpacerCells = 4;
constexpr std::array<unsigned, kTableColumns> kTableWidths{35, 38, 30, 48, 60, 38, 48, 60, 38, 48, 40};

} // namespace

std::span<const CReportSection> ReportSections()
{
    return kSections;
}

ReportRows BuildReport(CRadioData& data, const CSettings& settings, const std::set<int>& formNumbers)
{
    ReportRows rows;
    for (std::size_t i = 0; i < kSections.size(); ++i)
        if (formNumbers.contains(kSections[i].formNumber))
            kBuilders[i](rows, data, settings);
    return rows;
}

CReportRow TitleRow(const std::string& text)
{
    return {CReportRow::kTitle, {std::string(), text, std::string()}, {kTitleWidth, kTitleWidth, kTitleWidth}};
}

CReportRow SettingRow(const std::string& label, const std::string& value, bool groupHead)
{
    return {groupHead ? CReportRow::kEmphasis : CReportRow::kNormal,
            {label, value, std::string()},
            {kLabelWidth, kValueWidth, kValueWidth}};
}

CReportRow TextSettingRow(const std::string& label, const std::string& value)
{
    return {CReportRow::kNormal, {label, value}, {kLabelWidth, 2 * kValueWidth}};
}

CReportRow SpacerRow(int kind)
{
    return {kind, std::vector<std::string>(kSpacerCells), std::vector<unsigned>(kSpacerCells, kSpacerWidth)};
}

CReportRow TableRow(int kind, std::vector<std::string> cells)
{
    cells.resize(kTableColumns);
    return {kind, std::move(cells), {kTableWidths.begin(), kTableWidths.end()}};
}

CReportRow TableHeaderRow(std::vector<std::string> cells)
{
    CReportRow row = TableRow(CReportRow::kEmphasis, std::move(cells));
    row.tableHeader = true;
    return row;
}

void AppendSettingList(ReportRows& rows, const ReportPairs& pairs, bool grouping, std::size_t groupLength)
{
    if (pairs.empty())
        return;
    // A group length of 0 cannot divide the list: the list is then ungrouped.
    const bool grouped = grouping && groupLength != 0;
    for (std::size_t pair = 0; pair < pairs.size(); ++pair) {
        const std::size_t stringIndex = 2 * pair;
        const bool head = grouped && stringIndex % groupLength == 0;
        if (head && stringIndex != 0)
            rows.push_back(SpacerRow());
        rows.push_back(SettingRow(pairs[pair].first, pairs[pair].second, head));
    }
    rows.push_back(SpacerRow());
}

namespace report {

std::string OnOffText(bool on, const CSettings& settings)
{
    return settings.GetText(on ? kOnText : kOffText);
}

void AppendSectionStart(ReportRows& rows, int formNumber, const CSettings& settings)
{
    rows.push_back(TitleRow(settings.GetText(formNumber)));
    rows.push_back(TitleRow(std::string()));
}

std::string ChannelNumberText(const CRadioData& data, std::uint32_t channelId)
{
    if (channelId == 0)
        return {};
    const auto& channels = data.Channels();
    for (std::size_t i = 0; i < channels.size(); ++i)
        if (channels[i]->TreeId() == channelId)
            return channels[i]->IsValid() ? Format("%d", static_cast<int>(i + 1)) : std::string();
    return {};
}

} // namespace report
} // namespace qrv
