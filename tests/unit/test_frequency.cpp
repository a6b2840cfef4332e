// The frequency word, the raster rule and the frequency-edit entry.
#include "records/frequency.h"
#include "util/bytes.h"

#include <gtest/gtest.h>

#include <array>

namespace qrv {
namespace {

constexpr std::uint32_t kLower = 40000000; // 400 MHz
constexpr std::uint32_t kUpper = 47000000; // 470 MHz

TEST(FrequencyWord, UnitsWordAndText)
{
    struct Case {
        std::uint32_t units, word;
        const char* text; // five decimals of MHz
    };
    const Case cases[] = {
        {44600625, 0x44600625, "446.00625"}, {44600500, 0x44600500, "446.00500"}, {0, 0x00000000, "0.00000"},
        {13600000, 0x13600000, "136.00000"}, {99999999, 0x99999999, "999.99999"}, {1, 0x00000001, "0.00001"},
        {40000000, 0x40000000, "400.00000"}, {13612500, 0x13612500, "136.12500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FrequencyWordFromUnits(c.units), c.word);
        EXPECT_EQ(UnitsFromFrequencyWord(c.word), c.units);
        EXPECT_EQ(FrequencyText(c.word), c.text);
    }
    std::array<std::uint8_t, 4> bytes{}; // as the record stores it
    PutLe32(bytes, 0, FrequencyWordFromUnits(44600625));
    EXPECT_EQ(bytes, (std::array<std::uint8_t, 4>{0x25, 0x06, 0x60, 0x44}));
}

TEST(FrequencyWord, NoFrequencyAndNonBcdWordsHaveNoUnits)
{
    for (const std::uint32_t word : {kNoFrequency, 0x4460062Au, 0xA0000000u, 0x000000F0u}) {
        SCOPED_TRACE(word);
        EXPECT_FALSE(UnitsFromFrequencyWord(word).has_value());
        EXPECT_EQ(FrequencyText(word), "");
    }
}

TEST(FrequencyRaster, StepCodes)
{
    struct Case {
        std::uint32_t units, after;
        std::uint8_t code;
    };
    const Case cases[] = {
        {44600625, 44600625, 3}, // 6.25 kHz raster
        {44600500, 44600500, 2}, // 5 kHz raster only
        {44602500, 44602500, 3}, // on both: 6.25 kHz wins
        {44600520, 44600000, 3}, // on neither: rounded down to 6.25 kHz
        {44600624, 44600000, 3}, {44600001, 44600000, 3}, {44601300, 44601250, 3}, {0, 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.units);
        std::uint32_t units = c.units;
        EXPECT_EQ(ApplyRaster(units), c.code);
        EXPECT_EQ(units, c.after);
    }
}

// The one reading of a MHz text: the frequency edits, the grids, the test
// frequencies and CSV import all take it.
TEST(ParseMHz, OneRuleForSeparatorsAndRounding)
{
    struct Case {
        const char* text;
        std::optional<std::uint32_t> units;
    };
    const Case cases[] = {
        {"446.00625", 44600625},    {"446,00625", 44600625},
        {" 446.1 ", 44610000},      {"446", 44600000},
        {"446.", 44600000},         {".5", 50000},
        {"0446.5", 44650000},       {"446.000044", 44600004},
        {"446.000045", 44600005}, // the sixth decimal rounds, half up
        {"446.0000449", 44600004},  {"446.000049", 44600005},
        {"999.99999", 99999999},    {"999.999995", std::nullopt}, // rounds above the largest frequency
        {"1000", std::nullopt},     {"", std::nullopt},
        {".", std::nullopt},        {"1.2.3", std::nullopt},
        {"446.0x", std::nullopt},   {"-446", std::nullopt},
        {"446.00,1", std::nullopt}, {"4 46", std::nullopt},
        {"1e3", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseMHz(c.text), c.units) << '"' << c.text << '"';
}

TEST(FrequencyEntry, Examples)
{
    struct Case {
        const char* text;
        std::uint32_t word;
        bool emptyAllowed;
        std::uint8_t stepCode;
        bool clamped;
    };
    const Case cases[] = {
        {"446.00625", 0x44600625, true, 3, false},
        {"446.005", 0x44600500, true, 2, false},
        {"446.0052", 0x44600000, true, 3, false},
        {"446.006245", 0x44600625, true, 3, false}, // + 0.5 before truncating
        {"446.00624", 0x44600000, true, 3, false},
        {"446", 0x44600000, true, 3, false},
        {"400", 0x40000000, true, 3, false}, // the bounds themselves are inside
        {"470", 0x47000000, true, 3, false},
        {"399.99999", 0x40000000, true, 3, true}, // below: lower bound
        {"136", 0x40000000, true, 3, true},
        {"470.00001", 0x47000000, true, 3, true}, // above: upper bound
        {"999999999", 0x47000000, true, 3, true},
        {".", 0x40000000, true, 3, true},
        {"", kNoFrequency, true, kNoStepCode, false},
        {"", 0x40000000, false, 3, true}, // empty not allowed: 0, then clamped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const CFreqEntry entry = EnterFrequency(c.text, kLower, kUpper, c.emptyAllowed);
        EXPECT_EQ(entry.word, c.word);
        EXPECT_EQ(entry.stepCode, c.stepCode);
        EXPECT_EQ(entry.clamped, c.clamped);
    }
    EXPECT_EQ(FrequencyText(EnterFrequency("446.0052", kLower, kUpper).word), "446.00000");
    EXPECT_EQ(FrequencyText(EnterFrequency("446.005", kLower, kUpper).word), "446.00500");
}

TEST(FrequencyEntry, RangeFromWholeMHz)
{
    EXPECT_EQ(UnitsFromMHz(400), kLower);
    EXPECT_EQ(UnitsFromMHz(136), 13600000u);
    EXPECT_EQ(UnitsFromMHz(0), 0u);
    EXPECT_EQ(UnitsFromMHz(-5), 0u);
    EXPECT_EQ(UnitsFromMHz(5000), 99999999u);
}

TEST(FrequencyEntry, ClampWord)
{
    struct Case {
        std::uint32_t word, result;
        bool clamped;
    };
    const Case cases[] = {
        {0x44600625, 0x44600625, false}, {0x40000000, 0x40000000, false}, {0x47000000, 0x47000000, false},
        {0x39999999, 0x40000000, true},  {0x47000001, 0x47000000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        bool clamped = false;
        EXPECT_EQ(ClampFrequencyWord(c.word, kLower, kUpper, clamped), c.result);
        EXPECT_EQ(clamped, c.clamped);
    }
}

} // namespace
} // namespace qrv
