// The frequency word, the raster rule and the frequency-edit entry.
#include "records/frequency.h"

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

TEST(FrequencyEntry, RangeAndClamps)
{
    // Whole MHz as units, within 0 to 999.99999.
    const std::pair<int, std::uint32_t> mhz[] = {{400, kLower}, {136, 13600000}, {0, 0}, {-5, 0}, {5000, 99999999}};
    for (const auto& [whole, units] : mhz)
        EXPECT_EQ(UnitsFromMHz(whole), units) << whole;
    // Word, word after the clamp, clamped.
    const std::tuple<std::uint32_t, std::uint32_t, bool> cases[] = {
        {0x44600625, 0x44600625, false}, {0x40000000, 0x40000000, false}, {0x47000000, 0x47000000, false},
        {0x39999999, 0x40000000, true},  {0x47000001, 0x47000000, true},
    };
    for (const auto& [word, result, expected] : cases) {
        bool clamped = false;
        EXPECT_EQ(ClampFrequencyWord(word, kLower, kUpper, clamped), result) << word;
        EXPECT_EQ(clamped, expected) << word;
    }
}

} // namespace
} // namespace qrv
