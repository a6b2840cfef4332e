#pragma once
// The sub-audio tones of the channel records: the CTCSS table
// (51 tones in 0.1 Hz), the CDCSS table (107 codes, the three octal digits
// read as a decimal number), each entry with its extended flag; the 16-bit
// tone word; and the conversions between texts and table indices.
#include "radio_data/list_spec.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

class CSettings;

struct CToneEntry {
    std::uint16_t value = 0; // CTCSS: 0.1 Hz (67.0 Hz = 670); CDCSS: the code (023 = 23)
    bool extended = false;   // offered only at the factory level
};

inline constexpr std::size_t kCtcssCount = 51;
inline constexpr std::size_t kCdcssCount = 107;
inline constexpr std::uint16_t kToneNotFound = 0xFF; // index stored for a value not in its table

// Tables in index order: entry i (0-based) has tone index i + 1.
std::span<const CToneEntry, kCtcssCount> CtcssTable();
std::span<const CToneEntry, kCdcssCount> CdcssTable();

// The shown texts of a 1-based index: "%.1f" Hz and "%03d"; empty when the
// index is outside the table.
std::string CtcssText(std::size_t index);
std::string CdcssText(std::size_t index);

// The texts the channel pages show on the side of the tone type that is not selected.
inline constexpr std::string_view kUnusedCtcssText = "67.0";
inline constexpr std::string_view kUnusedCdcssText = "023";

// Reading a shown text the way the storing rule does: CTCSS x 10 + 0.001,
// truncated, clamped to 400..3000; CDCSS as a decimal integer, 777 and above -> 777.
int CtcssValueFromText(std::string_view text);
long long CdcssValueFromText(std::string_view text);

struct CToneLookup {
    std::uint16_t index = kToneNotFound; // 1-based, or kToneNotFound
    bool notInTable = true;
    bool operator==(const CToneLookup&) const = default;
};

CToneLookup FindCtcss(long long tenths);
CToneLookup FindCdcss(long long code);
CToneLookup CtcssFromText(std::string_view text);
CToneLookup CdcssFromText(std::string_view text);

// What a stored tone word stands for: its index, and not in the table when
// the word says so or the index lies outside the table of its type (a code
// from a damaged file or another program, shown as it is, never as another tone).
CToneLookup LookupOfWord(std::uint16_t word);
// The text of a tone as the windows show it and a report or a CSV file holds
// it: the table's text, or the language file's "not in the table" text with
// the raw code.
std::string ShownToneText(const CToneLookup& tone, bool ctcss, const CSettings& settings);

// A view of a 16-bit tone word: bits 0-11 index, bit 12 carried unchanged,
// bit 13 not in table, bits 14-15 type (entry number of lists 3668 / 3677).
class CToneWord {
public:
    static constexpr std::uint16_t kIndexMask = 0x0FFF;
    static constexpr std::uint16_t kCarriedBit = 0x1000;
    static constexpr std::uint16_t kNotInTableBit = 0x2000;
    static constexpr std::uint16_t kTypeMask = 0xC000;
    static constexpr int kTypeShift = 14;

    static constexpr std::uint8_t kTypeNone = 0;
    static constexpr std::uint8_t kTypeCtcss = 1;
    static constexpr std::uint8_t kTypeCdcss = 2; // both CDCSS variants use the CDCSS table
    static constexpr std::uint8_t kTypeCdcss2 = 3;

    constexpr CToneWord() = default;
    constexpr explicit CToneWord(std::uint16_t word) : m_word(word) {}

    constexpr std::uint16_t Word() const { return m_word; }
    constexpr std::uint16_t Index() const { return static_cast<std::uint16_t>(m_word & kIndexMask); }
    constexpr bool NotInTable() const { return (m_word & kNotInTableBit) != 0; }
    constexpr std::uint8_t Type() const { return static_cast<std::uint8_t>((m_word & kTypeMask) >> kTypeShift); }
    constexpr bool IsCtcss() const { return Type() == kTypeCtcss; }
    constexpr bool IsCdcss() const { return Type() == kTypeCdcss || Type() == kTypeCdcss2; }

    // Each setter changes only its own bits; values are cut to the field's width.
    constexpr void SetIndex(unsigned index)
    {
        m_word = static_cast<std::uint16_t>((m_word & ~kIndexMask) | (index & kIndexMask));
    }
    constexpr void SetNotInTable(bool notInTable)
    {
        m_word = static_cast<std::uint16_t>(notInTable ? (m_word | kNotInTableBit) : (m_word & ~kNotInTableBit));
    }
    constexpr void SetType(unsigned type)
    {
        m_word = static_cast<std::uint16_t>((m_word & ~kTypeMask) | ((type << kTypeShift) & kTypeMask));
    }
    // Index and not-in-table bit from a look-up.
    constexpr void SetLookup(const CToneLookup& lookup)
    {
        SetIndex(lookup.index);
        SetNotInTable(lookup.notInTable);
    }

private:
    std::uint16_t m_word = 0;
};

// The lines of a tone combo (text, item data = 1-based table index), in table
// order; extended entries only when factoryLevel is set.
std::vector<CComboLine> ChannelToneLines(bool ctcss, bool factoryLevel);

} // namespace qrv
