#include "fleet/radio_compare.h"

#include "radio_data/change_log.h"
#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "radio_link/codeplug_transfer.h"
#include "util/text_format.h"

namespace qrv {

namespace {

std::string HexBytes(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    for (const std::uint8_t b : bytes)
        text += (text.empty() ? "" : " ") + Format("%02X", b);
    return text;
}

} // namespace

std::string CFieldDifference::Line() const
{
    if (!place)
        return CByteChange{first, radio.front(), file.front()}.ListLine();
    return Format("%s, %s (0x%X): ", place->record.c_str(), place->field.c_str(), first) + HexBytes(radio) + " -> " +
           HexBytes(file);
}

std::vector<CFieldDifference> CompareWithRadio(const Image& radio, const Image& file, bool factoryLevel)
{
    using T = CCodeplugTransfer;
    Image sent = file;
    constexpr std::size_t switchByte = T::kTuneSwitchAddress + 1;
    sent[switchByte] =
        static_cast<std::uint8_t>((sent[switchByte] & ~T::kTuneSwitchMask) | (radio[switchByte] & T::kTuneSwitchMask));

    std::vector<CFieldDifference> differences;
    for (const T::CRange& range : T::WriteRanges(factoryLevel)) {
        for (std::uint32_t address = range.first; address <= range.last; ++address) {
            if (radio[address] == sent[address])
                continue;
            CFieldDifference difference;
            difference.place = PlaceOf(static_cast<std::uint16_t>(address));
            difference.first = difference.place ? difference.place->first : static_cast<std::uint16_t>(address);
            const std::size_t width = difference.place ? difference.place->width : 1;
            difference.radio.assign(radio.begin() + difference.first, radio.begin() + difference.first + width);
            difference.file.assign(sent.begin() + difference.first, sent.begin() + difference.first + width);
            address = static_cast<std::uint32_t>(difference.first + width - 1); // the field is listed whole
            differences.push_back(std::move(difference));
        }
    }
    return differences;
}

std::vector<std::string> ComparisonLines(const CSettings& settings, const CDocumentIdentity& document,
                                         const FreqRangeRec& radioRange, const Image& radio, const Image& file)
{
    std::vector<std::string> lines;
    if (!CCodeplugTransfer::RangeFitsRadio(document, radioRange))
        lines.push_back(FormatMessageText(settings.GetMessage(msg::kRangeOutsideRadio),
                                          MakeRangeText(radioRange.lower, radioRange.upper)));
    for (const CFieldDifference& difference : CompareWithRadio(radio, file, settings.IsFactoryLevel()))
        lines.push_back(difference.Line());
    return lines;
}

} // namespace qrv
