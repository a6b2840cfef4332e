// The channel table: header rows in the program's language, then one row per
// channel with the texts the channel editor shows.
#include "presentation/form_numbers.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "report/report_builders.h"
#include "util/text_format.h"

#include <array>

namespace qrv {

namespace {

using HeaderRow = std::array<const char*, kTableColumns>;

// The table's own headers: the language file has no texts for them.
constexpr std::array<HeaderRow, 3> kEnglishHeader{{
    {"Channel", "Channel", "Power", "RX", "RX", "RX", "TX", "TX", "TX", "Personality", "Auto"},
    {"Number", "Spacing", "Level", "Frequency", "Type", "CTCSS", "Frequency", "Type", "CTCSS", "List", "Start"},
    {"", "", "", "[MHz]", "", "/CDCSS", "[MHz]", "", "/CDCSS", "", "Scan"},
}};
constexpr std::array<HeaderRow, 2> kChineseHeader{{
    {"信道号", "信道间隔", "发射功", "接收频率", "接收亚音类型", "接收亚音", "发射频率", "发射亚音类型", "发射亚音",
     "特性列表", "自动"},
    {"", "", "率级别", "[MHz]", "", "频/数码", "[MHz]", "", "频/数码", "", "扫描"},
}};

constexpr const char* kNoToneText = "---";

template <std::size_t N> void AppendHeader(ReportRows& rows, const std::array<HeaderRow, N>& header)
{
    for (const HeaderRow& row : header)
        rows.push_back(TableHeaderRow({row.begin(), row.end()}));
}

// The tone as the channel page shows it, a code outside its table included.
std::string ToneText(std::uint16_t word, const CSettings& settings)
{
    const CToneWord tone(word);
    if (!tone.IsCtcss() && !tone.IsCdcss())
        return kNoToneText;
    return ShownToneText(LookupOfWord(word), tone.IsCtcss(), settings);
}

// The position the Miscellaneous page shows for the channel's personality.
std::string PersonalityText(const CRadioData& data, const CChannelData& channel)
{
    const auto& personalities = data.Personalities();
    for (std::size_t i = 0; i < personalities.size(); ++i)
        if (channel.PersonalityId() != 0 && personalities[i]->TreeId() == channel.PersonalityId())
            return personalities[i]->IsValid() ? Format("%d", static_cast<int>(i + 1)) : std::string();
    return {};
}

} // namespace

namespace report {

void BuildChannels(ReportRows& rows, const CRadioData& data, const CSettings& settings)
{
    AppendSectionStart(rows, form::kChannel, settings);
    const bool firstLanguage = settings.LanguageIndex() == 0;
    if (firstLanguage)
        AppendHeader(rows, kEnglishHeader);
    else
        AppendHeader(rows, kChineseHeader);

    const auto& channels = data.Channels();
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const CChannelData& channel = *channels[i];
        const auto number = static_cast<unsigned>(i + 1);
        rows.push_back(TableRow(CReportRow::kNormal,
                                {
                                    firstLanguage ? Format("CH %u", number) : Format("信道%u", number),
                                    settings.GetItemText(CChannelData::kSpacingList, channel.Spacing()),
                                    settings.GetItemText(CChannelData::kPowerList, channel.Power()),
                                    FrequencyText(channel.RxFrequency()),
                                    settings.GetItemText(CChannelData::kRxTypeList, CToneWord(channel.RxTone()).Type()),
                                    ToneText(channel.RxTone(), settings),
                                    FrequencyText(channel.TxFrequency()),
                                    settings.GetItemText(CChannelData::kTxTypeList, CToneWord(channel.TxTone()).Type()),
                                    ToneText(channel.TxTone(), settings),
                                    PersonalityText(data, channel),
                                    OnOffText(channel.AutoStartScan(), settings),
                                }));
    }
}

} // namespace report
} // namespace qrv
