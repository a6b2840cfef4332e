#include "records/tones.h"

#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "util/text_format.h"

#include <array>

namespace qrv {

namespace {

constexpr bool X = true; // extended entry

constexpr std::array<CToneEntry, kCtcssCount> kCtcss{{
    {630, X},      {670, false},  {693, X},      {719, false},  {744, false},  {770, false},  {797, false},
    {825, false},  {854, false},  {885, false},  {915, false},  {948, false},  {974, false},  {1000, false},
    {1035, false}, {1072, false}, {1109, false}, {1148, false}, {1188, false}, {1230, false}, {1273, false},
    {1318, false}, {1365, false}, {1413, false}, {1462, false}, {1514, false}, {1567, false}, {1598, X},
    {1622, false}, {1655, X},     {1679, false}, {1713, X},     {1738, false}, {1773, X},     {1799, false},
    {1835, X},     {1862, false}, {1899, X},     {1928, false}, {1966, X},     {1995, X},     {2035, false},
    {2065, X},     {2107, false}, {2181, false}, {2257, false}, {2291, X},     {2336, false}, {2418, false},
    {2503, false}, {2541, X},
}};

constexpr std::array<CToneEntry, kCdcssCount> kCdcss{{
    {17, X},      {23, false},  {25, false},  {26, false},  {31, false},  {32, false},  {36, X},      {43, false},
    {47, false},  {50, X},      {51, false},  {53, X},      {54, false},  {65, false},  {71, false},  {72, false},
    {73, false},  {74, false},  {114, false}, {115, false}, {116, false}, {122, X},     {125, false}, {131, false},
    {132, false}, {134, false}, {143, false}, {145, X},     {152, false}, {155, false}, {156, false}, {162, false},
    {165, false}, {172, false}, {174, false}, {205, false}, {212, X},     {223, false}, {225, X},     {226, false},
    {243, false}, {244, false}, {245, false}, {246, X},     {251, false}, {252, X},     {255, X},     {261, false},
    {263, false}, {265, false}, {266, X},     {271, false}, {274, X},     {306, false}, {311, false}, {315, false},
    {325, X},     {331, false}, {332, X},     {343, false}, {346, false}, {351, false}, {356, X},     {364, false},
    {365, false}, {371, false}, {411, false}, {412, false}, {413, false}, {423, false}, {431, false}, {432, false},
    {445, false}, {446, X},     {452, X},     {454, X},     {455, X},     {462, X},     {464, false}, {465, false},
    {466, false}, {503, false}, {506, false}, {516, false}, {523, X},     {526, X},     {532, false}, {546, false},
    {565, false}, {606, false}, {612, false}, {624, false}, {627, false}, {631, false}, {632, false}, {645, X},
    {654, false}, {662, false}, {664, false}, {703, false}, {712, false}, {723, false}, {731, false}, {732, false},
    {734, false}, {743, false}, {754, false},
}};

constexpr int kCtcssMinTenths = 400;
constexpr int kCtcssMaxTenths = 3000;
constexpr long long kCdcssMaxCode = 777;

template <std::size_t N> CToneLookup Find(const std::array<CToneEntry, N>& table, long long value)
{
    for (std::size_t i = 0; i < N; ++i)
        if (table[i].value == value)
            return {static_cast<std::uint16_t>(i + 1), false};
    return {};
}

} // namespace

std::span<const CToneEntry, kCtcssCount> CtcssTable()
{
    return kCtcss;
}

std::span<const CToneEntry, kCdcssCount> CdcssTable()
{
    return kCdcss;
}

std::string CtcssText(std::size_t index)
{
    if (index < 1 || index > kCtcssCount)
        return {};
    const unsigned tenths = kCtcss[index - 1].value;
    return Format("%u.%u", tenths / 10, tenths % 10); // "%.1f" of the value in Hz
}

std::string CdcssText(std::size_t index)
{
    if (index < 1 || index > kCdcssCount)
        return {};
    return Format("%03d", static_cast<int>(kCdcss[index - 1].value));
}

int CtcssValueFromText(std::string_view text)
{
    // The 0.001 keeps a text such as "69.3" from truncating to 692.
    const double value = ParseLeadingDouble(text) * 10.0 + 0.001;
    if (value < kCtcssMinTenths)
        return kCtcssMinTenths;
    if (value > kCtcssMaxTenths)
        return kCtcssMaxTenths;
    return static_cast<int>(value);
}

long long CdcssValueFromText(std::string_view text)
{
    const long long code = ParseLeadingInt(text);
    return code >= kCdcssMaxCode ? kCdcssMaxCode : code;
}

CToneLookup FindCtcss(long long tenths)
{
    return Find(kCtcss, tenths);
}

CToneLookup FindCdcss(long long code)
{
    return Find(kCdcss, code);
}

CToneLookup CtcssFromText(std::string_view text)
{
    return FindCtcss(CtcssValueFromText(text));
}

CToneLookup CdcssFromText(std::string_view text)
{
    return FindCdcss(CdcssValueFromText(text));
}

CToneLookup LookupOfWord(std::uint16_t word)
{
    const CToneWord tone(word);
    const std::size_t count = tone.IsCtcss() ? kCtcssCount : (tone.IsCdcss() ? kCdcssCount : 0);
    const bool inTable = !tone.NotInTable() && tone.Index() >= 1 && tone.Index() <= count;
    return {tone.Index(), !inTable};
}

std::string ShownToneText(const CToneLookup& tone, bool ctcss, const CSettings& settings)
{
    if (tone.notInTable)
        return FormatMessageText(settings.GetMessage(msg::kToneNotInTable), Format("0x%03X", unsigned{tone.index}));
    return ctcss ? CtcssText(tone.index) : CdcssText(tone.index);
}

std::vector<CComboLine> ChannelToneLines(bool ctcss, bool factoryLevel)
{
    std::vector<CComboLine> lines;
    const std::size_t count = ctcss ? kCtcssCount : kCdcssCount;
    for (std::size_t index = 1; index <= count; ++index) {
        const CToneEntry& entry = ctcss ? kCtcss[index - 1] : kCdcss[index - 1];
        if (entry.extended && !factoryLevel)
            continue;
        lines.push_back({ctcss ? CtcssText(index) : CdcssText(index), static_cast<long long>(index)});
    }
    return lines;
}

} // namespace qrv
