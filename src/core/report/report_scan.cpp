// The scan section: the configuration of every scan list, then the channel
// list of every scan list, each as its own group.
#include "presentation/caption_numbers.h"
#include "presentation/form_numbers.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "report/report_builders.h"
#include "util/text_format.h"

#include <algorithm>

namespace qrv {

namespace {

using S = CScanListData;

constexpr std::size_t kConfigGroupLength = 24; // twelve pairs: the head and eleven fields
constexpr int kEntryCountLabel = 3940;         // the report's own caption, not the page's

std::string Caption(int combo, const CSettings& settings)
{
    return settings.GetText(caption::LabelOf(combo));
}

std::string GroupHead(int text, unsigned number, const CSettings& settings)
{
    return settings.GetText(text) + Format(" - %u", number);
}

void AppendConfiguration(ReportPairs& pairs, const CRadioData& data, const S& scan, unsigned number,
                         const CSettings& settings)
{
    const auto item = [&settings](int combo, std::uint8_t value) {
        return std::pair(Caption(combo, settings), settings.GetItemText(combo, value));
    };
    const auto flag = [&settings](int box, bool on) {
        return std::pair(settings.GetText(box), report::OnOffText(on, settings));
    };
    pairs.emplace_back(GroupHead(S::kConfigPageText, number, settings), std::string());
    pairs.push_back(item(S::kScanModeList, scan.ScanMode()));
    pairs.push_back(item(S::kTxModeList, scan.TxMode()));
    pairs.push_back(item(S::kHangTimeList, scan.HangTime()));
    pairs.emplace_back(settings.GetText(S::kDesignatedLabel), report::ChannelNumberText(data, scan.DesignatedId()));
    pairs.push_back(item(S::kPriorityModeList, scan.PriorityMode()));
    pairs.emplace_back(settings.GetText(S::kPriorityLabel), report::ChannelNumberText(data, scan.PriorityId()));
    pairs.push_back(item(S::kSweepTimeList, scan.SweepTime()));
    pairs.push_back(flag(S::kStartAlertCheck, scan.StartAlert()));
    pairs.push_back(flag(S::kEndAlertCheck, scan.EndAlert()));
    pairs.push_back(flag(S::kIncludeCurrentCheck, scan.IncludeCurrentChannel()));
    pairs.push_back(flag(S::kTalkbackCheck, scan.Talkback()));
}

ReportPairs ChannelList(const CRadioData& data, const S& scan, unsigned number, const CSettings& settings)
{
    ReportPairs pairs;
    pairs.emplace_back(GroupHead(S::kChannelPageText, number, settings), std::string());
    pairs.emplace_back(settings.GetText(kEntryCountLabel), settings.GetItemText(S::kEntryCountList, scan.EntryCount()));
    const std::size_t used = std::min<std::size_t>(scan.EntryCount(), S::kSlots);
    for (std::size_t slot = 0; slot < used; ++slot)
        pairs.emplace_back(settings.GetText(S::kFirstSlotLabel + static_cast<int>(slot) + 1),
                           report::ChannelNumberText(data, scan.MemberId(slot)));
    return pairs;
}

} // namespace

namespace report {

void BuildScanLists(ReportRows& rows, const CRadioData& data, const CSettings& settings)
{
    AppendSectionStart(rows, form::kScan, settings);
    const auto& scanLists = data.ScanLists();
    ReportPairs configuration;
    for (std::size_t i = 0; i < scanLists.size(); ++i)
        AppendConfiguration(configuration, data, *scanLists[i], static_cast<unsigned>(i + 1), settings);
    AppendSettingList(rows, configuration, true, kConfigGroupLength);
    // A channel list's length varies with its entries: each is a list of one group.
    for (std::size_t i = 0; i < scanLists.size(); ++i) {
        const ReportPairs list = ChannelList(data, *scanLists[i], static_cast<unsigned>(i + 1), settings);
        AppendSettingList(rows, list, true, 2 * list.size());
    }
}

} // namespace report
} // namespace qrv
