// The CTCSS and CDCSS tables, the tone word and the tone texts.
#include "records/tones.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

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

TEST(TonesTexts, EveryIndexShowsItsTableValueAndIsFoundByIt)
{
    // Kind (true: CTCSS), index, text; none outside the tables.
    const std::tuple<bool, std::size_t, const char*> cases[] = {
        {true, 1, "63.0"},   {true, 2, "67.0"}, {true, 14, "100.0"}, {true, 51, "254.1"},
        {true, 0, ""},       {true, 52, ""},    {false, 1, "017"},   {false, 2, "023"},
        {false, 107, "754"}, {false, 0, ""},    {false, 108, ""},
    };
    for (const auto& [ctcss, index, text] : cases)
        EXPECT_EQ(ctcss ? CtcssText(index) : CdcssText(index), text) << index;
    for (std::size_t i = 1; i <= kCtcssCount; ++i) {
        EXPECT_EQ(CtcssText(i), Format("%.1f", CtcssTable()[i - 1].value / 10.0));
        EXPECT_EQ(CtcssFromText(CtcssText(i)), (CToneLookup{static_cast<std::uint16_t>(i), false}));
    }
    for (std::size_t i = 1; i <= kCdcssCount; ++i) {
        EXPECT_EQ(CdcssText(i), Format("%03d", static_cast<int>(CdcssTable()[i - 1].value)));
        EXPECT_EQ(CdcssFromText(CdcssText(i)), (CToneLookup{static_cast<std::uint16_t>(i), false}));
    }
}

TEST(TonesLookup, ValuesAreClampedBeforeTheLookup)
{
    // CTCSS: tenths + 0.001, truncated, within 40.0-300.0 Hz; CDCSS: 777 at most.
    const std::tuple<bool, const char*, long long> values[] = {
        {true, "20.0", 400},        {true, "40.0", 400}, {true, "300.0", 3000},
        {true, "9999999999", 3000}, {true, "69.3", 693}, {false, "800", 777},
        {false, "777", 777},        {false, "776", 776}, {false, "0", 0},
    };
    for (const auto& [ctcss, text, value] : values)
        EXPECT_EQ(ctcss ? CtcssValueFromText(text) : CdcssValueFromText(text), value) << text;
    // Kind, text, index found, not in the table.
    const std::tuple<bool, const char*, std::uint16_t, bool> cases[] = {
        {true, "67.0", 2, false},     {true, "66.6", 0xFF, true}, {true, "20.0", 0xFF, true}, // clamped to 40.0
        {true, "69.3", 3, false},     {true, "254.1", 51, false}, {true, "100", 14, false},
        {true, "4000", 0xFF, true},   {true, "", 0xFF, true},     {true, "162.2", 29, false},
        {true, "69.29995", 3, false}, // + 0.001 before truncating
        {false, "023", 2, false},     {false, "23", 2, false},    {false, "800", 0xFF, true}, // looked up as 777
        {false, "754", 107, false},   {false, "017", 1, false},   {false, "777", 0xFF, true},
        {false, "024", 0xFF, true},   {false, "", 0xFF, true},
    };
    for (const auto& [ctcss, text, index, notInTable] : cases)
        EXPECT_EQ(ctcss ? CtcssFromText(text) : CdcssFromText(text), (CToneLookup{index, notInTable})) << text;
}

TEST(TonesWord, FieldsAndSetters)
{
    // Word, index, not in table, type.
    const std::tuple<std::uint16_t, std::uint16_t, bool, std::uint8_t> cases[] = {
        {0x500C, 12, false, 1}, {0x60FF, 0xFF, true, 1}, {0x806B, 107, false, 2},
        {0xC001, 1, false, 3},  {0x0000, 0, false, 0},   {0xFFFF, 0xFFF, true, 3},
    };
    for (const auto& [word, index, notInTable, type] : cases) {
        const CToneWord tone(word);
        EXPECT_EQ(std::tuple(tone.Index(), tone.NotInTable(), tone.Type()), std::tuple(index, notInTable, type))
            << word;
    }
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
    EXPECT_EQ(tone.Word(), 0xF0FF);
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
