// The common column set of the free programming tools for analogue radios.
// Read leniently: any column order, headers in any case, unknown columns
// ignored, missing optional columns defaulted.
#include "csv/csv_columns.h"

#include "radio_data/settings.h"
#include "records/frequency.h"
#include "util/text_format.h"

#include <algorithm>
#include <array>

namespace qrv {

namespace {

enum Column : std::size_t {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
    kComment,
    kUrCall,
    kRpt1Call,
    kRpt2Call,
    kDvCode,
    kColumnCount
};

constexpr std::array<const char*, kColumnCount> kCaptions{
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

constexpr const char* kDefaultCtcss = "88.5";
constexpr const char* kDefaultCdcss = "023";
constexpr const char* kDefaultCrossMode = "Tone->Tone";

// A tone side as the tools name it: "" none, "Tone" CTCSS, "DTCS" CDCSS.
std::string ToolSide(std::uint8_t type)
{
    if (type == CToneWord::kTypeCtcss)
        return "Tone";
    if (type == CToneWord::kTypeCdcss || type == CToneWord::kTypeCdcss2)
        return "DTCS";
    return {};
}

// The tools' polarity letter N is our CDCSS, R our CDCSS Invert.
char Polarity(std::uint8_t type)
{
    return type == CToneWord::kTypeCdcss2 ? 'R' : 'N';
}

std::uint8_t CdcssType(char polarity)
{
    return polarity == 'R' || polarity == 'r' ? CToneWord::kTypeCdcss2 : CToneWord::kTypeCdcss;
}

// Narrow and wide are the entries of the smallest and the largest spacing
// of the list, whatever the language calls them.
struct CSpacings {
    std::optional<std::uint8_t> narrow, wide;
};

CSpacings Spacings(const std::vector<CComboLine>& lines)
{
    CSpacings result;
    double narrow = 0;
    double wide = 0;
    for (const CComboLine& line : lines) {
        if (line.data < 0 || line.data > 0xFF)
            continue;
        const auto entry = static_cast<std::uint8_t>(line.data);
        const double kHz = ParseLeadingDouble(line.text);
        if (!result.narrow || kHz < narrow) {
            narrow = kHz;
            result.narrow = entry;
        }
        if (!result.wide || kHz > wide) {
            wide = kHz;
            result.wide = entry;
        }
    }
    return result;
}

struct CSideTone {
    std::uint8_t type = CToneWord::kTypeNone;
    std::uint16_t index = 0; // the tone's table index, when a type is set
};

void SetSide(CChannelEditRecord& edit, bool receive, const CSideTone& tone)
{
    (receive ? edit.rxType : edit.txType) = tone.type;
    CToneLookup& ctcss = receive ? edit.rxCtcss : edit.txCtcss;
    CToneLookup& cdcss = receive ? edit.rxCdcss : edit.txCdcss;
    const bool usesCdcss = tone.type == CToneWord::kTypeCdcss || tone.type == CToneWord::kTypeCdcss2;
    ctcss = tone.type == CToneWord::kTypeCtcss ? CToneLookup{tone.index, false} : UnusedCtcss();
    cdcss = usesCdcss ? CToneLookup{tone.index, false} : UnusedCdcss();
}

std::optional<CRowError> CtcssSide(const std::string& text, CSideTone& side)
{
    std::uint16_t index = 0;
    if (auto error = ReadCtcss(text.empty() ? kDefaultCtcss : text, index))
        return error;
    side = {CToneWord::kTypeCtcss, index};
    return std::nullopt;
}

std::optional<CRowError> CdcssSide(const std::string& text, char polarity, CSideTone& side)
{
    std::uint16_t index = 0;
    if (auto error = ReadCdcss(text.empty() ? kDefaultCdcss : text, index))
        return error;
    side = {CdcssType(polarity), index};
    return std::nullopt;
}

} // namespace

std::vector<std::vector<std::string>> CCommonColumns::Headers() const
{
    return {{kCaptions.begin(), kCaptions.end()}};
}

bool CCommonColumns::Usable(const CColumnMap& map) const
{
    return map.Has(kFrequency);
}

std::vector<std::string> CCommonColumns::Row(CChannelData& channel, std::size_t position) const
{
    CChannelEditRecord edit;
    channel.FillEditRecord(edit);
    std::vector<std::string> row(kColumnCount);
    row[kLocation] = std::to_string(position + 1);

    const auto rx = UnitsFromFrequencyWord(edit.rxFrequency);
    const auto tx = UnitsFromFrequencyWord(edit.txFrequency);
    row[kFrequency] = rx ? MHzText6(*rx) : std::string();
    row[kOffset] = MHzText6(0);
    if (!tx) {
        row[kDuplex] = "off";
    } else if (rx && *tx > *rx) {
        row[kDuplex] = "+";
        row[kOffset] = MHzText6(*tx - *rx);
    } else if (rx && *tx < *rx) {
        row[kDuplex] = "-";
        row[kOffset] = MHzText6(*rx - *tx);
    }

    const CToneWord rxTone(channel.RxTone());
    const CToneWord txTone(channel.TxTone());
    const std::uint8_t rxType = rxTone.Type();
    const std::uint8_t txType = txTone.Type();
    row[kRToneFreq] = kDefaultCtcss;
    row[kCToneFreq] = kDefaultCtcss;
    row[kDtcsCode] = kDefaultCdcss;
    row[kRxDtcsCode] = kDefaultCdcss;
    row[kCrossMode] = kDefaultCrossMode;
    row[kDtcsPolarity] = std::string{Polarity(txType), Polarity(rxType)};
    const std::string rxSide = ToolSide(rxType);
    const std::string txSide = ToolSide(txType);
    if (txSide == "Tone")
        row[kRToneFreq] = ShownToneText(edit.txCtcss, true, m_settings);
    if (rxSide == "Tone")
        row[kCToneFreq] = ShownToneText(edit.rxCtcss, true, m_settings);
    if (txSide == "DTCS")
        row[kDtcsCode] = ShownToneText(edit.txCdcss, false, m_settings);
    if (rxSide == "DTCS")
        row[kRxDtcsCode] = ShownToneText(edit.rxCdcss, false, m_settings);

    if (rxSide.empty() && txSide.empty()) {
        row[kTone] = "";
    } else if (rxSide.empty() && txSide == "Tone") {
        row[kTone] = "Tone";
    } else if (rxSide == "Tone" && txSide == "Tone" && rxTone.Index() == txTone.Index()) {
        row[kTone] = "TSQL";
        row[kRToneFreq] = ShownToneText(edit.txCtcss, true, m_settings);
    } else if (rxSide == "DTCS" && txSide == "DTCS" && rxTone.Index() == txTone.Index()) {
        row[kTone] = "DTCS";
    } else {
        row[kTone] = "Cross";
        row[kCrossMode] = txSide + "->" + rxSide;
    }

    row[kMode] = edit.spacing == Spacings(m_spacings).narrow ? "NFM" : "FM";
    row[kTStep] = edit.rxStepCode == kStepCode5k ? "5.00" : "6.25";
    row[kPower] = m_settings.GetItemText(CChannelData::kPowerList, edit.power);
    return row;
}

std::optional<CRowError> CCommonColumns::ReadFrequencies(const CCsvRow& row, const CColumnMap& map,
                                                         CChannelEditRecord& edit) const
{
    const std::string frequency = map.Field(row, kFrequency);
    if (frequency.empty())
        return CRowError{csvmsg::kNoReceiveFrequency, {}};
    const auto rx = ParseMHz(frequency);
    if (!rx)
        return CRowError{csvmsg::kNotFrequency, frequency};
    if (auto error = FrequencyFromUnits(*rx, m_band, edit.rxFrequency, edit.rxStepCode))
        return error;

    const std::string duplex = ToUpperAscii(map.Field(row, kDuplex));
    const std::string offsetText = map.Field(row, kOffset);
    const auto offset = offsetText.empty() ? std::optional<std::uint32_t>(0) : ParseMHz(offsetText);
    if (!offset && duplex != "OFF" && !duplex.empty())
        return CRowError{csvmsg::kNotFrequency, offsetText};
    if (duplex == "OFF") {
        edit.txFrequency = kNoFrequency;
        edit.txStepCode = kNoStepCode;
        return std::nullopt;
    }
    std::uint32_t tx = *rx;
    if (duplex == "+")
        tx = *rx + *offset;
    else if (duplex == "-")
        tx = *rx >= *offset ? *rx - *offset : 0;
    else if (duplex == "SPLIT")
        tx = *offset;
    else if (!duplex.empty())
        return CRowError{csvmsg::kNotAllowedValue, map.Field(row, kDuplex)};
    return FrequencyFromUnits(tx, m_band, edit.txFrequency, edit.txStepCode);
}

std::optional<CRowError> CCommonColumns::ReadTones(const CCsvRow& row, const CColumnMap& map,
                                                   CChannelEditRecord& edit) const
{
    const std::string tone = map.Field(row, kTone);
    const std::string polarity = map.Field(row, kDtcsPolarity);
    const char txPolarity = polarity.size() > 0 ? polarity[0] : 'N';
    const char rxPolarity = polarity.size() > 1 ? polarity[1] : txPolarity;
    if (!polarity.empty() && (polarity.size() != 2 || polarity.find_first_not_of("NRnr") != std::string::npos))
        return CRowError{csvmsg::kNotAllowedValue, polarity};

    CSideTone rx;
    CSideTone tx;
    std::optional<CRowError> error;
    if (EqualsNoCase(tone, "Tone")) {
        error = CtcssSide(map.Field(row, kRToneFreq), tx);
    } else if (EqualsNoCase(tone, "TSQL")) {
        error = CtcssSide(map.Field(row, kCToneFreq), tx);
        rx = tx;
    } else if (EqualsNoCase(tone, "DTCS")) {
        const std::string code = map.Field(row, kDtcsCode);
        error = CdcssSide(code, txPolarity, tx);
        if (!error)
            error = CdcssSide(code, rxPolarity, rx);
    } else if (EqualsNoCase(tone, "Cross")) {
        std::string cross = map.Field(row, kCrossMode);
        if (cross.empty())
            cross = kDefaultCrossMode;
        const auto arrow = cross.find("->");
        if (arrow == std::string::npos)
            return CRowError{csvmsg::kNotAllowedValue, cross};
        const std::string txSide = cross.substr(0, arrow);
        const std::string rxSide = cross.substr(arrow + 2);
        if (EqualsNoCase(txSide, "Tone"))
            error = CtcssSide(map.Field(row, kRToneFreq), tx);
        else if (EqualsNoCase(txSide, "DTCS"))
            error = CdcssSide(map.Field(row, kDtcsCode), txPolarity, tx);
        else if (!txSide.empty())
            return CRowError{csvmsg::kNotAllowedValue, cross};
        if (!error && EqualsNoCase(rxSide, "Tone"))
            error = CtcssSide(map.Field(row, kCToneFreq), rx);
        else if (!error && EqualsNoCase(rxSide, "DTCS"))
            error = CdcssSide(map.Field(row, kRxDtcsCode), rxPolarity, rx);
        else if (!error && !rxSide.empty())
            return CRowError{csvmsg::kNotAllowedValue, cross};
    } else if (!tone.empty()) {
        return CRowError{csvmsg::kNotAllowedValue, tone};
    }
    if (error)
        return error;
    SetSide(edit, true, rx);
    SetSide(edit, false, tx);
    return std::nullopt;
}

std::optional<CRowError> CCommonColumns::ReadMode(const CCsvRow& row, const CColumnMap& map,
                                                  CChannelEditRecord& edit) const
{
    const std::string mode = map.Field(row, kMode);
    const CSpacings spacings = Spacings(m_spacings);
    if (mode.empty() || EqualsNoCase(mode, "FM"))
        edit.spacing = spacings.wide.value_or(edit.spacing);
    else if (EqualsNoCase(mode, "NFM"))
        edit.spacing = spacings.narrow.value_or(edit.spacing);
    else
        return CRowError{csvmsg::kNotAllowedValue, mode}; // the radio has FM only

    // A power the list does not name (a wattage) takes the list's first entry.
    const std::string power = map.Field(row, kPower);
    const std::vector<CComboLine>& lines = m_powers;
    const auto entryOf = [](const CComboLine& line) { return static_cast<std::uint8_t>(line.data & 0xFF); };
    if (!lines.empty())
        edit.power = entryOf(lines.front());
    for (const CComboLine& line : lines)
        if (EqualsNoCase(Trim(line.text), power))
            edit.power = entryOf(line);
    return std::nullopt;
}

std::optional<CRowError> CCommonColumns::Read(const CCsvRow& row, const CColumnMap& map, CImportedChannel& out) const
{
    if (auto error = ReadFrequencies(row, map, out.edit))
        return error;
    if (auto error = ReadTones(row, map, out.edit))
        return error;
    return ReadMode(row, map, out.edit);
}

} // namespace qrv
