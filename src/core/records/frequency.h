#pragma once
// The frequency word of the channel records: a frequency in 10 Hz
// units as eight packed BCD digits in a little-endian 32-bit word
// (446.00625 MHz = 44600625 units = 0x44600625), 0xFFFFFFFF for none; the
// step codes of the two rasters; and the frequency-edit entry algorithm.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qrv {

inline constexpr std::uint32_t kNoFrequency = 0xFFFFFFFF;
inline constexpr std::uint32_t kUnitsPerMHz = 100000;         // 10 Hz units per MHz
inline constexpr std::uint32_t kMaxFrequencyUnits = 99999999; // 999.99999 MHz: eight BCD digits

inline constexpr std::uint8_t kStepCode5k = 2;    // on the 5 kHz raster
inline constexpr std::uint8_t kStepCode6k25 = 3;  // on the 6.25 kHz raster
inline constexpr std::uint8_t kNoStepCode = 0xFF; // an empty frequency edit
inline constexpr std::uint32_t kRaster5k = 500;   // in 10 Hz units
inline constexpr std::uint32_t kRaster6k25 = 625; // in 10 Hz units

// Units of 10 Hz -> packed BCD word (only the low eight decimal digits fit).
std::uint32_t FrequencyWordFromUnits(std::uint32_t units);
// nullopt for kNoFrequency or any word with a nibble above 9.
std::optional<std::uint32_t> UnitsFromFrequencyWord(std::uint32_t word);

// MHz with five decimals ("%.5f"); empty for kNoFrequency or a non-BCD word.
std::string FrequencyText(std::uint32_t word);
std::string FrequencyTextFromUnits(std::uint32_t units);

// MHz as a user types it or a file holds it, the one reading of such a text
// in the program: digits, at most one decimal separator ('.' or ','), more
// digits, spaces around; at least one digit. Rounded to the nearest 10 Hz,
// half up (the sixth decimal decides). nullopt for any other text and above
// 999.99999 MHz.
std::optional<std::uint32_t> ParseMHz(std::string_view text);

// Whole MHz (the model's range limits) -> 10 Hz units; negative gives 0.
std::uint32_t UnitsFromMHz(int mhz);

// The band a document's radio covers, in 10 Hz units: what an entered
// frequency is clamped to or refused outside of.
struct CBand {
    std::uint32_t lower = 0;
    std::uint32_t upper = 0;
    static CBand FromMHz(int lowerMHz, int upperMHz) { return {UnitsFromMHz(lowerMHz), UnitsFromMHz(upperMHz)}; }
};

// The step code of units: 3 on the 6.25 kHz raster (also when on both), else
// 2 on the 5 kHz raster, else units is rounded down to 6.25 kHz and 3.
std::uint8_t ApplyRaster(std::uint32_t& units);

// The result of the frequency edit losing the focus.
struct CFreqEntry {
    std::uint32_t word = kNoFrequency;
    std::uint8_t stepCode = kNoStepCode;
    bool clamped = false; // the value was outside the bounds: S01 01164 must be shown
};

// The frequency-edit algorithm: empty text (when allowed) gives no frequency;
// otherwise the text read as ParseMHz does (a text it refuses counts as 0, a
// value too large as the largest), clamped to the bounds (10 Hz units), put
// on a raster, turned into a word. FrequencyText(word) is the
// text the edit shows afterwards.
CFreqEntry EnterFrequency(std::string_view text, std::uint32_t lowerUnits, std::uint32_t upperUnits,
                          bool emptyAllowed = true);

// Clamps a frequency word into [lower, upper] (10 Hz units); BCD words
// compare like their frequencies, so the words are compared as they stand.
// Sets clamped when the word changed.
std::uint32_t ClampFrequencyWord(std::uint32_t word, std::uint32_t lowerUnits, std::uint32_t upperUnits, bool& clamped);

} // namespace qrv
