#include "radio_data/list_spec.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using Lines = std::vector<CComboLine>;

TEST(ListSpec, ExpandsNamedAndRangeItems)
{
    const std::pair<const char*, Lines> cases[] = {
        {"0.Off;1.On", {{"Off", 0}, {"On", 1}}},
        {"0:5:20:10:0:1:1", {{"0.0", 0}, {"0.5", 1}, {"1.0", 2}, {"1.5", 3}, {"2.0", 4}}},
        {"1:1:3:1:7:1:0", {{"1", 7}, {"2", 8}, {"3", 9}}},
        {"0.Off;15:15:45:1:15:15:0", {{"Off", 0}, {"15", 15}, {"30", 30}, {"45", 45}}},
        {"0.12.5 kHz;1.25 kHz", {{"12.5 kHz", 0}, {"25 kHz", 1}}}, // the number ends at the first full stop
        {"x.bad;.5;7.Seven;1:2:3;1:1:2:1:0:1;1:1:2:1:0:1:0:9", {{"Seven", 7}}}, // neither form: skipped
        {"0:0:10:1:0:1:0;0:1:3:0:0:1:0", {}},                                   // step or divisor 0 cannot be evaluated
        {"", {}},
        {"0:1:2:1:9223372036854775807:1:0;1.One", {{"One", 1}}}, // out of any sensible range
        {"-5:-5:-10:5:-1:-1:0", {{"-1", -1}, {"-2", -2}}},       // counting down
    };
    for (const auto& [listText, lines] : cases)
        EXPECT_EQ(ExpandListSpec(listText), lines) << listText;
}

TEST(ListSpec, TextAndNumberOfAnItem)
{
    // The text of an item number follows the first item that yields one.
    const std::tuple<const char*, long long, const char*> texts[] = {
        {"0.Off;1.On", 1, "On"},          {"0:5:20:10:0:1:1", 3, "1.5"},
        {"1:1:3:1:7:1:0", 9, "3"},        {"1:1:3:1:7:1:0", 10, ""},
        {"1:1:3:1:7:1:0", 6, ""},         {"5.Five;0:1:9:1:0:1:0", 5, "Five"},
        {"0:1:9:1:0:1:0;5.Five", 5, "5"}, {"0.Off", 3, ""},
    };
    for (const auto& [listText, number, text] : texts)
        EXPECT_EQ(ItemTextOf(listText, number), text) << listText << " " << number;
    EXPECT_EQ(ItemNumberOf("0.Off;1.On", "On"), 1);
    EXPECT_EQ(ItemNumberOf("0:5:20:10:0:1:1", "1.5"), 3);
    EXPECT_FALSE(ItemNumberOf("0.Off;1.On", "on").has_value());
    // List boxes take only the named items.
    EXPECT_EQ(NamedItems("0.Off;0:1:3:1:0:1:0;4.Four"), (Lines{{"Off", 0}, {"Four", 4}}));
}

// 953 bytes of range items once gave 5.3 million lines.
TEST(ListSpec, TheWholeExpansionIsBounded)
{
    constexpr const char* kHugeRange = "0:1:999999999:1:0:1:0";
    std::string manyHugeRanges = "0.Off";
    for (int i = 0; i < 45; ++i)
        manyHugeRanges += std::string(";") + kHugeRange;
    // Not one line beyond the limit, named items after a full range included.
    for (const std::string& text : {std::string(kHugeRange), manyHugeRanges, kHugeRange + std::string(";5.Five")}) {
        const auto lines = ExpandListSpec(text);
        EXPECT_EQ(lines.size(), kMaxListLines) << text.substr(0, 30);
    }
    EXPECT_EQ(ExpandListSpec(manyHugeRanges).front(), (CComboLine{"Off", 0}));
}

} // namespace
} // namespace qrv
