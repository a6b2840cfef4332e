#include "records/frequency.h"

#include "util/bytes.h"
#include "util/text_format.h"

namespace qrv {

namespace {
constexpr std::uint32_t kMaxUnits = 99999999; // eight BCD digits
} // namespace

std::uint32_t FrequencyWordFromUnits(std::uint32_t units)
{
    return ToBcd32(units);
}

std::optional<std::uint32_t> UnitsFromFrequencyWord(std::uint32_t word)
{
    if (word == kNoFrequency || !IsBcd32(word))
        return std::nullopt;
    return FromBcd32(word);
}

std::string FrequencyTextFromUnits(std::uint32_t units)
{
    // Integer formatting gives the same text as "%.5f" of units x 0.00001, without rounding noise.
    return Format("%u.%05u", static_cast<unsigned>(units / kUnitsPerMHz), static_cast<unsigned>(units % kUnitsPerMHz));
}

std::string FrequencyText(std::uint32_t word)
{
    const auto units = UnitsFromFrequencyWord(word);
    return units ? FrequencyTextFromUnits(*units) : std::string();
}

std::uint32_t UnitsFromMHz(int mhz)
{
    if (mhz <= 0)
        return 0;
    const auto units = static_cast<unsigned long long>(mhz) * kUnitsPerMHz;
    return units > kMaxUnits ? kMaxUnits : static_cast<std::uint32_t>(units);
}

std::uint8_t ApplyRaster(std::uint32_t& units)
{
    if (units % kRaster6k25 == 0)
        return kStepCode6k25;
    if (units % kRaster5k == 0)
        return kStepCode5k;
    units -= units % kRaster6k25;
    return kStepCode6k25;
}

CFreqEntry EnterFrequency(std::string_view text, std::uint32_t lowerUnits, std::uint32_t upperUnits, bool emptyAllowed)
{
    CFreqEntry entry;
    if (Trim(text).empty() && emptyAllowed)
        return entry;

    // The edit accepts at most 9 digits and points, but the core takes any text:
    // bound the number before it becomes an integer.
    const double value = ParseLeadingDouble(text) * kUnitsPerMHz + 0.5;
    std::uint32_t units = 0;
    if (value >= static_cast<double>(kMaxUnits))
        units = kMaxUnits;
    else if (value > 0.0)
        units = static_cast<std::uint32_t>(value);

    if (units < lowerUnits) {
        units = lowerUnits;
        entry.clamped = true;
    } else if (units > upperUnits) {
        units = upperUnits;
        entry.clamped = true;
    }
    entry.stepCode = ApplyRaster(units);
    entry.word = FrequencyWordFromUnits(units);
    return entry;
}

std::uint32_t ClampFrequencyWord(std::uint32_t word, std::uint32_t lowerUnits, std::uint32_t upperUnits, bool& clamped)
{
    const std::uint32_t lower = FrequencyWordFromUnits(lowerUnits);
    const std::uint32_t upper = FrequencyWordFromUnits(upperUnits);
    if (word < lower) {
        clamped = true;
        return lower;
    }
    if (word > upper) {
        clamped = true;
        return upper;
    }
    return word;
}

} // namespace qrv
