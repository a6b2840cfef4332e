// The program's own column set: the channel list's columns under fixed
// names, values as the channel pages show them (a spacing or power code the
// list does not name as "0x" and its hex digit).
#include "csv/csv_columns.h"

#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "records/personality_data.h"

#include <array>
#include <cstdio>

namespace qrv {

namespace {

enum Column : std::size_t {
    kNumber,
    kRxFrequency,
    kRxType,
    kRxCtcss,
    kRxCdcss,
    kTxFrequency,
    kTxType,
    kTxCtcss,
    kTxCdcss,
    kSpacing,
    kPower,
    kPersonality,
    kAutoStartScan,
    kColumnCount
};

// The names export writes: one per column, the same in every language.
constexpr std::array<const char*, kColumnCount> kNames{
    "No",      "RxFrequency", "RxType",  "RxCtcss", "RxCdcss",     "TxFrequency",  "TxType",
    "TxCtcss", "TxCdcss",     "Spacing", "Power",   "Personality", "AutoStartScan"};

// The captions earlier versions wrote (the channel list's, in the shipped
// languages); receive and transmit may share one, so their order tells them apart.
constexpr std::array<const char*, kColumnCount> kOldEnglish{"No.",
                                                            "Frequency[MHz]",
                                                            "RX Type",
                                                            "CTCSS",
                                                            "CDCSS",
                                                            "Frequency[MHz]",
                                                            "TX Type",
                                                            "CTCSS",
                                                            "CDCSS",
                                                            "Channel Spacing",
                                                            "Power Level",
                                                            "Personality List",
                                                            "Auto Start Scan"};
constexpr std::array<const char*, kColumnCount> kOldChinese{
    "序号",   "接收频率[MHz]", "接收亚音类型", "亚音频",   "数码亚音", "发射频率[MHz]", "发射亚音类型",
    "亚音频", "数码亚音",      "信道间隔",     "功率级别", "特性列表", "自动开始扫描"};

// Spacing and power are a nibble each.
constexpr std::uint8_t kMaxCode = 0x0F;

struct CSide {
    Column frequency, type, ctcss, cdcss;
    int list;
};
constexpr CSide kReceive{kRxFrequency, kRxType, kRxCtcss, kRxCdcss, CChannelData::kRxTypeList};
constexpr CSide kTransmit{kTxFrequency, kTxType, kTxCtcss, kTxCdcss, CChannelData::kTxTypeList};

} // namespace

std::vector<std::vector<std::string>> CNativeColumns::Headers() const
{
    std::vector<std::vector<std::string>> headers;
    for (const auto* names : {&kNames, &kOldEnglish, &kOldChinese})
        headers.emplace_back(names->begin(), names->end());
    return headers;
}

std::string CNativeColumns::CodeText(int list, std::uint8_t entry) const
{
    for (const CComboLine& line : m_settings.FillCombo(list))
        if (line.data == entry)
            return m_settings.GetItemText(list, entry);
    char text[8];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(entry));
    return text;
}

bool CNativeColumns::Usable(const CColumnMap& map) const
{
    return map.Has(kRxFrequency);
}

std::vector<std::string> CNativeColumns::Row(CChannelData& channel, std::size_t position) const
{
    CChannelEditRecord edit;
    channel.FillEditRecord(edit);
    const auto list = [this](int number, std::uint8_t entry) { return m_settings.GetItemText(number, entry); };
    return {std::to_string(position + 1),
            FrequencyText(edit.rxFrequency),
            list(CChannelData::kRxTypeList, edit.rxType),
            ShownToneText(edit.rxCtcss, true, m_settings),
            ShownToneText(edit.rxCdcss, false, m_settings),
            FrequencyText(edit.txFrequency),
            list(CChannelData::kTxTypeList, edit.txType),
            ShownToneText(edit.txCtcss, true, m_settings),
            ShownToneText(edit.txCdcss, false, m_settings),
            CodeText(CChannelData::kSpacingList, edit.spacing),
            CodeText(CChannelData::kPowerList, edit.power),
            std::to_string(edit.personalityPosition + 1),
            std::to_string(edit.autoStartScan)};
}

std::optional<CRowError> CNativeColumns::ReadSide(const CCsvRow& row, const CColumnMap& map, bool receive,
                                                  CChannelEditRecord& edit) const
{
    const CSide& side = receive ? kReceive : kTransmit;
    std::uint32_t& word = receive ? edit.rxFrequency : edit.txFrequency;
    std::uint8_t& step = receive ? edit.rxStepCode : edit.txStepCode;
    const std::string frequency = map.Field(row, side.frequency);
    if (frequency.empty()) {
        if (receive)
            return CRowError{csvmsg::kNoReceiveFrequency, {}};
        word = kNoFrequency;
        step = kNoStepCode;
    } else if (auto error = ReadFrequency(frequency, m_data.Identity().Band(), word, step)) {
        return error;
    }

    std::uint8_t& type = receive ? edit.rxType : edit.txType;
    if (auto error = ReadListEntry(map.Field(row, side.type), receive ? m_rxTypes : m_txTypes, type))
        return error;
    CToneLookup& ctcss = receive ? edit.rxCtcss : edit.txCtcss;
    CToneLookup& cdcss = receive ? edit.rxCdcss : edit.txCdcss;
    ctcss = UnusedCtcss();
    cdcss = UnusedCdcss();
    // Only the tone the type uses must be in its table; the other column is what the page shows.
    std::uint16_t index = 0;
    if (type == CToneWord::kTypeCtcss) {
        if (auto error = ReadCtcss(map.Field(row, side.ctcss), index))
            return error;
        ctcss = {index, false};
    } else if (type == CToneWord::kTypeCdcss || type == CToneWord::kTypeCdcss2) {
        if (auto error = ReadCdcss(map.Field(row, side.cdcss), index))
            return error;
        cdcss = {index, false};
    }
    return std::nullopt;
}

std::optional<CRowError> CNativeColumns::Read(const CCsvRow& row, const CColumnMap& map, CImportedChannel& out) const
{
    CChannelEditRecord& edit = out.edit;
    if (auto error = ReadSide(row, map, true, edit))
        return error;
    if (auto error = ReadSide(row, map, false, edit))
        return error;
    // A code is read before the lists so that no language's entry text can shadow it.
    const auto code = [&row, &map](Column column, std::uint8_t& entry) {
        const auto raw = ReadRawCode(map.Field(row, column), kMaxCode);
        if (raw)
            entry = *raw;
        return raw.has_value();
    };
    if (!code(kSpacing, edit.spacing))
        if (auto error = ReadListEntry(map.Field(row, kSpacing), m_spacings, edit.spacing))
            return error;
    if (!code(kPower, edit.power))
        if (auto error = ReadListEntry(map.Field(row, kPower), m_powers, edit.power))
            return error;

    const std::string personality = map.Field(row, kPersonality);
    if (!personality.empty()) {
        const auto& personalities = m_data.Personalities();
        const bool digits = personality.size() <= 3 && personality.find_first_not_of("0123456789") == std::string::npos;
        const std::size_t n = digits ? static_cast<std::size_t>(std::stoul(personality)) : 0;
        if (n < 1 || n > personalities.size() || !personalities[n - 1] || !personalities[n - 1]->IsValid())
            return CRowError{csvmsg::kNoPersonality, personality};
        edit.personalityPosition = static_cast<std::uint32_t>(n - 1);
        out.hasPersonality = true;
    }
    const std::string autoStartScan = map.Field(row, kAutoStartScan);
    if (autoStartScan == "0" || autoStartScan == "1") {
        edit.autoStartScan = autoStartScan == "1" ? 1 : 0;
        out.hasAutoStartScan = true;
    } else if (!autoStartScan.empty()) {
        return CRowError{csvmsg::kNotAllowedValue, autoStartScan};
    }
    return std::nullopt;
}

} // namespace qrv
