// The CTCSS and CDCSS tables, the tone word and the tone texts.
#include "records/tones.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

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

TEST(TonesWord, FieldsAndSetters)
{
    // Word, index, not in table, type.
    const std::tuple<std::uint16_t, std::uint16_t, bool, std::uint8_t> cases[] = {
        {0x500C, 12, false, 1}, {0x60FF, 0xFF, true, 1}, {0x806B, 107, false, 2}, {0xFFFF, 0xFFF, true, 3}};
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

} // namespace
} // namespace qrv
