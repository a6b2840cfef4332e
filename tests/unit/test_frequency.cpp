// The frequency word, the raster rule and the frequency-edit entry; the
// CTCSS and CDCSS tables and the tone texts (the tone word's bits are the
// channel edit tests' rows).
#include "records/frequency.h"
#include "records/tones.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

constexpr std::uint32_t kLower = 40000000; // 400 MHz
constexpr std::uint32_t kUpper = 47000000; // 470 MHz

TEST(FrequencyWord, UnitsWordAndText)
{
    // 10 Hz units, the BCD word, its text with five decimals of MHz.
    const std::tuple<std::uint32_t, std::uint32_t, const char*> cases[] = {{44600625, 0x44600625, "446.00625"},
                                                                           {0, 0x00000000, "0.00000"},
                                                                           {99999999, 0x99999999, "999.99999"},
                                                                           {13612500, 0x13612500, "136.12500"}};
    for (const auto& [units, word, text] : cases) {
        EXPECT_EQ(FrequencyWordFromUnits(units), word) << text;
        EXPECT_EQ(UnitsFromFrequencyWord(word), units) << text;
        EXPECT_EQ(FrequencyText(word), text);
    }
    // No frequency and words that are not BCD have no units and no text.
    for (const std::uint32_t word : {kNoFrequency, 0x4460062Au, 0xA0000000u, 0x000000F0u}) {
        EXPECT_FALSE(UnitsFromFrequencyWord(word).has_value()) << word;
        EXPECT_EQ(FrequencyText(word), "") << word;
    }
}

// The one reading of a MHz text: the frequency edits, the grids, the test
// frequencies and CSV import all take it. The sixth decimal rounds, half up;
// nothing that rounds above 999.99999 is read.
TEST(ParseMHz, OneRuleForSeparatorsAndRounding)
{
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"446.00625", 44600625}, {"446,00625", 44600625},      {" 446.1 ", 44610000},    {"446.", 44600000},
        {".5", 50000},           {"0446.5", 44650000},         {"446.000044", 44600004}, {"446.000045", 44600005},
        {"999.99999", 99999999}, {"999.999995", std::nullopt}, {"1000", std::nullopt},   {"", std::nullopt},
        {".", std::nullopt},     {"1.2.3", std::nullopt},      {"-446", std::nullopt},   {"446.00,1", std::nullopt},
        {"4 46", std::nullopt},  {"1e3", std::nullopt}};
    for (const auto& [text, units] : cases)
        EXPECT_EQ(ParseMHz(text), units) << '"' << text << '"';
}

TEST(FrequencyEntry, Examples)
{
    // Text, word, empty allowed, step code, clamped. 6.25 kHz wins on both rasters;
    // on neither, the frequency rounds down to 6.25 kHz.
    const std::tuple<const char*, std::uint32_t, bool, std::uint8_t, bool> cases[] = {
        {"446.00625", 0x44600625, true, 3, false},
        {"446.005", 0x44600500, true, 2, false},
        {"446.025", 0x44602500, true, 3, false},
        {"446.0052", 0x44600000, true, 3, false},
        {"446.013", 0x44601250, true, 3, false},
        {"446.006245", 0x44600625, true, 3, false}, // + 0.5 before truncating
        {"400", 0x40000000, true, 3, false},        // the bounds themselves are inside
        {"470", 0x47000000, true, 3, false},
        {"399.99999", 0x40000000, true, 3, true}, // below: lower bound
        {"470.00001", 0x47000000, true, 3, true}, // above: upper bound
        {".", 0x40000000, true, 3, true},
        {"", kNoFrequency, true, kNoStepCode, false},
        {"", 0x40000000, false, 3, true}, // empty not allowed: 0, then clamped
    };
    for (const auto& [text, word, emptyAllowed, stepCode, clamped] : cases) {
        const CFreqEntry entry = EnterFrequency(text, kLower, kUpper, emptyAllowed);
        EXPECT_EQ(std::tuple(entry.word, entry.stepCode, entry.clamped), std::tuple(word, stepCode, clamped)) << text;
    }
}

TEST(FrequencyEntry, WholeMHzAsUnits)
{
    // Within 0 to 999.99999; the clamp of a channel's words is the channel edit tests' rows.
    const std::pair<int, std::uint32_t> mhz[] = {{400, kLower}, {136, 13600000}, {0, 0}, {-5, 0}, {5000, 99999999}};
    for (const auto& [whole, units] : mhz)
        EXPECT_EQ(UnitsFromMHz(whole), units) << whole;
}

TEST(TonesTexts, EveryIndexShowsItsTableValueAndIsFoundByIt)
{
    // Kind (true: CTCSS), index, text; none outside the tables.
    const std::tuple<bool, std::size_t, const char*> cases[] = {
        {true, 1, "63.0"}, {true, 51, "254.1"}, {true, 0, ""},    {true, 52, ""},
        {false, 1, "017"}, {false, 107, "754"}, {false, 108, ""},
    };
    for (const auto& [ctcss, index, text] : cases)
        EXPECT_EQ(ctcss ? CtcssText(index) : CdcssText(index), text) << index;
    for (std::size_t i = 1; i <= kCtcssCount; ++i)
        EXPECT_EQ(CtcssFromText(CtcssText(i)), (CToneLookup{static_cast<std::uint16_t>(i), false})) << i;
    for (std::size_t i = 1; i <= kCdcssCount; ++i)
        EXPECT_EQ(CdcssFromText(CdcssText(i)), (CToneLookup{static_cast<std::uint16_t>(i), false})) << i;
}

TEST(TonesLookup, ValuesAreClampedBeforeTheLookup)
{
    // CTCSS: tenths + 0.001, truncated, within 40.0-300.0 Hz; CDCSS: 777 at most.
    const std::tuple<bool, const char*, long long> values[] = {
        {true, "20.0", 400}, {true, "300.1", 3000}, {true, "69.3", 693}, {false, "800", 777}, {false, "776", 776},
    };
    for (const auto& [ctcss, text, value] : values)
        EXPECT_EQ(ctcss ? CtcssValueFromText(text) : CdcssValueFromText(text), value) << text;
    // Kind, text, index found, not in the table.
    const std::tuple<bool, const char*, std::uint16_t, bool> cases[] = {
        {true, "67.0", 2, false},   {true, "66.6", 0xFF, true}, {true, "20.0", 0xFF, true},   // clamped to 40.0
        {true, "100", 14, false},   {true, "", 0xFF, true},     {true, "69.29995", 3, false}, // + 0.001, truncated
        {false, "23", 2, false},    {false, "800", 0xFF, true},                               // looked up as 777
        {false, "754", 107, false}, {false, "024", 0xFF, true},
    };
    for (const auto& [ctcss, text, index, notInTable] : cases)
        EXPECT_EQ(ctcss ? CtcssFromText(text) : CdcssFromText(text), (CToneLookup{index, notInTable})) << text;
}

} // namespace
} // namespace qrv
