// The radio information block: model, serial number, range, last-programmed date, factory marker.
#include "records/radio_info_data.h"

#include "record_test_support.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

namespace qrv {
namespace {

using test::Bytes;

Bytes BlockBytes(const CRadioInfoData& data, std::size_t offset, std::size_t count)
{
    return test::Slice(data.Block(), offset, count);
}

CRadioInfoData WithStamp(const Bytes& stamp)
{
    CRadioInfoData data;
    data.LoadFromImage(test::ImageWith(0x020, stamp));
    return data;
}

TEST(RadioInfoBlock, NewBlockIsErased)
{
    CRadioInfoData data;
    data.SetModelName("QL-210");
    data.SetDefaults();
    EXPECT_EQ(BlockBytes(data, 0, 104), Bytes(104, 0xFF));
    EXPECT_EQ(data.ModelName(), "");
    EXPECT_EQ(data.SerialNumber(), "");
    EXPECT_FALSE(data.LowerFrequency().has_value());
    EXPECT_FALSE(data.HasFactoryMarker());
    EXPECT_EQ(data.LastProgrammedText(), "2037-12-31 00:59:59");
}

TEST(RadioInfoBlock, LoadAndStoreKeepEveryByte)
{
    EXPECT_TRUE(test::BlockRoundTrips<CRadioInfoData>(0x010, 104));
}

TEST(RadioInfoDate, PartsAreBroughtIntoTheirRanges)
{
    struct Case {
        Bytes stamp;
        const char* text;
    };
    const std::vector<Case> cases = {
        {{0x09, 0x07, 0x0E, 0x05, 0x03, 0x0B, 0x14, 0x00}, "2011-03-05 14:07:09"},
        {{0x00, 0x00, 0x19, 0x28, 0x0D, 0x0B, 0x14, 0x00}, "2011-12-31 00:00:00"},
        {{0x3C, 0x3C, 0x17, 0x1F, 0x0C, 0x25, 0x14, 0x00}, "2037-12-31 23:59:59"},
        {{0x00, 0x00, 0x18, 0x01, 0x01, 0x26, 0x14, 0x00}, "2037-01-01 00:00:00"},
        {{0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00}, "2000-01-01 00:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithStamp(c.stamp).LastProgrammedText(), c.text) << c.text;
}

TEST(RadioInfoDate, StampOfTheLocalTime)
{
    std::tm t{};
    t.tm_year = 2011 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 14;
    t.tm_min = 7;
    t.tm_sec = 9;
    CRadioInfoData data;
    data.WriteStamp(t);
    EXPECT_EQ(BlockBytes(data, 15, 10), (Bytes{0xFF, 0x09, 0x07, 0x0E, 0x05, 0x03, 0x0B, 0x14, 0x00, 0xFF}));
    EXPECT_EQ(data.LastProgrammedText(), "2011-03-05 14:07:09");

    t.tm_year = 2100 - 1900;
    const auto stamp = CRadioInfoData::MakeStamp(t);
    EXPECT_EQ(stamp[5], 0x00);
    EXPECT_EQ(stamp[6], 0x15);
}

TEST(RadioInfoText, ModelNameAndSerialNumberFields)
{
    CRadioInfoData data;
    data.SetModelName("QL-210");
    EXPECT_EQ(BlockBytes(data, 0, 13), (Bytes{'Q', 'L', '-', '2', '1', '0', 0, 0, 0, 0, 0, 0, 0xFF}));
    EXPECT_EQ(data.ModelName(), "QL-210");
    data.SetModelName("ABCDEFGHIJKLMNOP");
    EXPECT_EQ(BlockBytes(data, 0, 13), (Bytes{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 0xFF}));
    EXPECT_EQ(data.ModelName(), "ABCDEFGHIJKL");

    data.SetSerialNumber("SN0001");
    EXPECT_EQ(BlockBytes(data, 56, 17), (Bytes{'S', 'N', '0', '0', '0', '1', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF}));
    EXPECT_EQ(data.SerialNumber(), "SN0001");
    data.SetSerialNumber("0123456789ABCDEFXYZ");
    EXPECT_EQ(data.SerialNumber(), "0123456789ABCDEF");
    EXPECT_EQ(BlockBytes(data, 72, 1), Bytes{0xFF});
}

TEST(RadioInfoRange, LimitsAreBcdWordsAndFlagsSplitInTwo)
{
    CRadioInfoData data;
    ASSERT_TRUE(data.SetRangeLimits(136, 174));
    EXPECT_EQ(BlockBytes(data, 24, 8), (Bytes{0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17}));
    EXPECT_EQ(data.LowerFrequency(), 13600000u);
    EXPECT_EQ(data.UpperFrequency(), 17400000u);
    EXPECT_FALSE(data.SetRangeLimits(136, 1000));
    EXPECT_FALSE(data.SetUpperFrequency(100000000));
    EXPECT_EQ(data.UpperFrequency(), 17400000u);

    data.SetRangeFlags(0x85);
    EXPECT_EQ(BlockBytes(data, 12, 4), (Bytes{0x01, 0x05, 0xFF, 0xFF}));
    EXPECT_EQ(data.RangeFlags(), 0x85);
    data.SetRangeFlags(0x07);
    EXPECT_EQ(data.RangeFlags(), 0x07);
    data.SetSignallingType(2);
    EXPECT_EQ(BlockBytes(data, 12, 4), (Bytes{0x00, 0x07, 0x02, 0xFF}));
}

TEST(RadioInfoFactory, MarkerAndRadioBlocks)
{
    CRadioInfoData data;
    data.WriteFactoryMarker();
    EXPECT_EQ(BlockBytes(data, 87, 6), (Bytes{0xFF, 0x55, 0xAA, 0xAA, 0x55, 0xFF}));
    EXPECT_TRUE(data.HasFactoryMarker());

    const Bytes serial(16, 'S');
    EXPECT_TRUE(data.SetBytesAt(0x048, serial));
    EXPECT_EQ(BlockBytes(data, 56, 16), serial);
    EXPECT_TRUE(data.SetBytesAt(0x070, Bytes(8, 0x11)));
    EXPECT_FALSE(data.SetBytesAt(0x071, Bytes(8, 0x22)));
    EXPECT_FALSE(data.SetBytesAt(0x00F, Bytes(1, 0x22)));
    EXPECT_EQ(BlockBytes(data, 96, 8), Bytes(8, 0x11));
}

} // namespace
} // namespace qrv
