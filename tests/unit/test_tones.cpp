// The CTCSS and CDCSS tables, the tone word and the tone texts.
#include "records/tones.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

#include <set>

namespace qrv {
namespace {

TEST(TonesTables, ExtendedFlags)
{
    const std::set<std::size_t> ctcss{1, 3, 28, 30, 32, 34, 36, 38, 40, 41, 43, 47, 51};
    const std::set<std::size_t> cdcss{1,  7,  10, 12, 22, 28, 37, 39, 44, 46, 47, 51,
                                      53, 57, 59, 63, 74, 75, 76, 77, 78, 85, 86, 96};
    for (std::size_t i = 1; i <= kCtcssCount; ++i)
        EXPECT_EQ(CtcssTable()[i - 1].extended, ctcss.count(i) == 1) << "CTCSS " << i;
    for (std::size_t i = 1; i <= kCdcssCount; ++i)
        EXPECT_EQ(CdcssTable()[i - 1].extended, cdcss.count(i) == 1) << "CDCSS " << i;
}

TEST(TonesTables, AscendingAndCdcssCodesAreOctal)
{
    for (std::size_t i = 1; i < kCtcssCount; ++i)
        EXPECT_LT(CtcssTable()[i - 1].value, CtcssTable()[i].value) << i;
    for (std::size_t i = 1; i < kCdcssCount; ++i)
        EXPECT_LT(CdcssTable()[i - 1].value, CdcssTable()[i].value) << i;
    for (const auto& entry : CdcssTable())
        for (unsigned v = entry.value; v != 0; v /= 10)
            EXPECT_LE(v % 10, 7u) << entry.value;
}

TEST(TonesTexts, Examples)
{
    struct Case {
        bool ctcss;
        std::size_t index;
        const char* text;
    };
    const Case cases[] = {
        {true, 1, "63.0"},   {true, 2, "67.0"}, {true, 14, "100.0"}, {true, 51, "254.1"},
        {true, 0, ""},       {true, 52, ""},    {false, 1, "017"},   {false, 2, "023"},
        {false, 107, "754"}, {false, 0, ""},    {false, 108, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.ctcss ? CtcssText(c.index) : CdcssText(c.index), c.text);
    }
}

TEST(TonesTexts, EveryIndexShowsItsTableValueAndIsFoundByIt)
{
    for (std::size_t i = 1; i <= kCtcssCount; ++i) {
        EXPECT_EQ(CtcssText(i), Format("%.1f", CtcssTable()[i - 1].value / 10.0));
        EXPECT_EQ(CtcssFromText(CtcssText(i)), (CToneLookup{static_cast<std::uint16_t>(i), false}));
    }
    for (std::size_t i = 1; i <= kCdcssCount; ++i) {
        EXPECT_EQ(CdcssText(i), Format("%03d", static_cast<int>(CdcssTable()[i - 1].value)));
        EXPECT_EQ(CdcssFromText(CdcssText(i)), (CToneLookup{static_cast<std::uint16_t>(i), false}));
    }
}

TEST(TonesLookup, StoringExamples)
{
    struct Case {
        bool ctcss;
        const char* text;
        std::uint16_t index;
        bool notInTable;
    };
    const Case cases[] = {
        {true, "67.0", 2, false},     {true, "66.6", 0xFF, true}, {true, "20.0", 0xFF, true}, // clamped to 40.0
        {true, "69.3", 3, false},     {true, "254.1", 51, false}, {true, "100", 14, false},
        {true, "4000", 0xFF, true},   {true, "", 0xFF, true},     {true, "162.2", 29, false},
        {true, "69.29995", 3, false}, // + 0.001 before truncating
        {false, "023", 2, false},     {false, "23", 2, false},    {false, "800", 0xFF, true}, // looked up as 777
        {false, "754", 107, false},   {false, "017", 1, false},   {false, "777", 0xFF, true},
        {false, "024", 0xFF, true},   {false, "", 0xFF, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.ctcss ? CtcssFromText(c.text) : CdcssFromText(c.text), (CToneLookup{c.index, c.notInTable}));
    }
}

TEST(TonesLookup, ValuesAreClampedBeforeTheLookup)
{
    EXPECT_EQ(CtcssValueFromText("20.0"), 400);
    EXPECT_EQ(CtcssValueFromText("40.0"), 400);
    EXPECT_EQ(CtcssValueFromText("300.0"), 3000);
    EXPECT_EQ(CtcssValueFromText("9999999999"), 3000);
    EXPECT_EQ(CtcssValueFromText("69.3"), 693);
    EXPECT_EQ(CdcssValueFromText("800"), 777);
    EXPECT_EQ(CdcssValueFromText("777"), 777);
    EXPECT_EQ(CdcssValueFromText("776"), 776);
}

TEST(TonesWord, Fields)
{
    struct Case {
        std::uint16_t word, index;
        bool notInTable;
        std::uint8_t type;
    };
    const Case cases[] = {
        {0x500C, 12, false, 1}, {0x60FF, 0xFF, true, 1}, {0x806B, 107, false, 2},
        {0xC001, 1, false, 3},  {0x0000, 0, false, 0},   {0xFFFF, 0xFFF, true, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        const CToneWord tone(c.word);
        EXPECT_EQ(tone.Index(), c.index);
        EXPECT_EQ(tone.NotInTable(), c.notInTable);
        EXPECT_EQ(tone.Type(), c.type);
    }
}

TEST(TonesWord, SettersKeepTheOtherBits)
{
    CToneWord tone(0xFFFF);
    tone.SetIndex(2);
    EXPECT_EQ(tone.Word(), 0xF002);
    tone.SetNotInTable(false);
    EXPECT_EQ(tone.Word(), 0xD002);
    tone.SetType(CToneWord::kTypeCtcss);
    EXPECT_EQ(tone.Word(), 0x5002); // bit 12 carried
    tone.SetLookup(CToneLookup{});
    EXPECT_EQ(tone.Word(), 0x70FF);
    tone.SetType(0xFF); // an unmatched type text: cut to the two bits
    EXPECT_EQ(tone.Type(), 3);
    EXPECT_TRUE(tone.IsCdcss());
}

TEST(TonesLines, ExtendedEntriesOnlyAtFactoryLevel)
{
    for (const bool ctcss : {true, false}) {
        const auto table =
            ctcss ? std::span<const CToneEntry>(CtcssTable()) : std::span<const CToneEntry>(CdcssTable());
        for (const bool factory : {true, false}) {
            SCOPED_TRACE(testing::Message() << ctcss << factory);
            const auto lines = ChannelToneLines(ctcss, factory);
            EXPECT_EQ(lines.size(), factory ? table.size() : (ctcss ? 38u : 83u));
            long long previous = 0; // in table order, each with its index as data and its text
            for (const auto& line : lines) {
                const auto index = static_cast<std::size_t>(line.data);
                EXPECT_GT(line.data, previous);
                previous = line.data;
                EXPECT_EQ(line.text, ctcss ? CtcssText(index) : CdcssText(index));
                EXPECT_TRUE(factory || !table[index - 1].extended) << line.text;
            }
        }
    }
}

} // namespace
} // namespace qrv
