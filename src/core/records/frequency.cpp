#include "records/frequency.h"

#include "util/bytes.h"
#include "util/text_format.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr std::size_t kDecimals = 5; // 10 Hz is the fifth decimal of a MHz
constexpr std::uint64_t kSaturated = 10000000000ULL;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value of a well-formed MHz text in 10 Hz units, rounded; not bounded
// (a long text saturates far above any frequency). nullopt when malformed.
std::optional<std::uint64_t> ParseUnits(std::string_view text)
{
    const std::string t = Trim(text);
    std::size_t i = 0;
    std::uint64_t whole = 0;
    std::size_t digits = 0;
    for (; i < t.size() && IsDigit(t[i]); ++i, ++digits)
        whole = std::min(whole * 10 + static_cast<std::uint64_t>(t[i] - '0'), kSaturated);
    std::uint64_t fraction = 0;
    std::size_t decimals = 0;
    bool roundUp = false;
    if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
        for (++i; i < t.size() && IsDigit(t[i]); ++i, ++digits) {
            if (decimals < kDecimals) {
                fraction = fraction * 10 + static_cast<std::uint64_t>(t[i] - '0');
                ++decimals;
            } else if (decimals++ == kDecimals) {
                roundUp = t[i] >= '5';
            }
        }
    }
    if (i != t.size() || digits == 0)
        return std::nullopt;
    for (; decimals < kDecimals; ++decimals)
        fraction *= 10;
    return whole * kUnitsPerMHz + fraction + (roundUp ? 1 : 0);
}

} // namespace

std::optional<std::uint32_t> ParseMHz(std::string_view text)
{
    const auto units = ParseUnits(text);
    if (!units || *units > kMaxFrequencyUnits)
        return std::nullopt;
    return static_cast<std::uint32_t>(*units);
}

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
    return units > kMaxFrequencyUnits ? kMaxFrequencyUnits : static_cast<std::uint32_t>(units);
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

    std::uint32_t units =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(ParseUnits(text).value_or(0), kMaxFrequencyUnits));

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
