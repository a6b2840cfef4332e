// The blocks the factory sets: the tune data and its base-band fields, the
// radio information's areas, and the test frequencies of a range.
#include "records/adjustment_data.h"
#include "records/radio_info_data.h"
#include "records/test_frequency_data.h"

#include "record_test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using test::Bytes;
using test::Slice;

// The radio reads and writes its blocks by address inside the tune data and the radio information.
TEST(FactoryBlocks, RadioBlocksInsideTheirArea)
{
    CAdjustmentData tune;
    EXPECT_TRUE(tune.SetBytesAt(0x3E9, Bytes(16, 0x11)));
    EXPECT_TRUE(tune.SetBytesAt(0x3F9, Bytes(7, 0x22)));
    EXPECT_FALSE(tune.SetBytesAt(0x3FA, Bytes(7, 0x33)));
    EXPECT_FALSE(tune.SetBytesAt(0x33F, Bytes(1, 0x33)));
    EXPECT_EQ(Slice(tune.Block(), 0x3E8 - 0x340), test::Padded(test::Padded({0xFF}, 17, 0x11), 24, 0x22));
    EXPECT_EQ(Slice(tune.BytesAt(0x3F9, 7)), Bytes(7, 0x22));
    EXPECT_TRUE(tune.BytesAt(0x3FA, 7).empty());

    CRadioInfoData info;
    EXPECT_TRUE(info.SetBytesAt(0x048, Bytes(16, 'S')));
    EXPECT_TRUE(info.SetBytesAt(0x070, Bytes(8, 0x11)));
    EXPECT_FALSE(info.SetBytesAt(0x071, Bytes(8, 0x22)));
    EXPECT_FALSE(info.SetBytesAt(0x00F, Bytes(1, 0x22)));
    EXPECT_EQ(info.SerialNumber(), std::string(16, 'S'));
    EXPECT_EQ(Slice(info.Block(), 96), Bytes(8, 0x11));
}

TEST(FactoryBlocks, BaseBandTextsGoThroughTheirLists)
{
    test::CTestTexts texts("S0207116=0:-3:-24:1:0:1:0\r\nS0207125=0.Off;1.Slow;2.Fast\r\n");
    const CSettings& settings = texts.Settings();
    CAdjustmentData data;
    data.LoadFromImage(test::FilledImage(0x00));
    const CBaseBandField& gain = CAdjustmentData::kReceiveFields[0];
    const CBaseBandField& compandor = CAdjustmentData::kReceiveFields[7];
    EXPECT_EQ(data.FieldText(gain, settings), "0");
    EXPECT_TRUE(data.SetFieldText(gain, "-15", settings));
    EXPECT_TRUE(data.SetFieldText(compandor, "Fast", settings));
    EXPECT_EQ(data.FieldText(compandor, settings), "Fast");
    EXPECT_FALSE(data.SetFieldText(compandor, "Medium", settings));
    EXPECT_FALSE(data.SetFieldText(gain, "-24", settings)); // entry 8 does not fit three bits
    EXPECT_FALSE(data.SetFieldText(CAdjustmentData::kTransmitFields[2], "1", settings)); // a check box
    EXPECT_EQ((Bytes{data.Block()[0x3F5 - 0x340], data.Block()[0x3F9 - 0x340]}), (Bytes{0x05, 0x40}));
}

TEST(TestFrequencyDefaults, PointsAndChannelsOfTheRange136To174)
{
    CTestFrequencyData data;
    ASSERT_TRUE(data.MakeDefaultTestFrequencies("136-174"));
    std::vector<std::string> points; // receive / transmit
    for (std::size_t p = 0; p < 5; ++p)
        points.push_back(data.PointRxText(p) + "/" + data.PointTxText(p));
    EXPECT_EQ(points, (std::vector<std::string>{"136.15000/136.00000", "145.15000/145.00000", "155.15000/155.00000",
                                                "164.15000/164.00000", "173.85000/174.00000"}));
    std::vector<std::string> channels; // transmit / receive
    for (std::size_t k = 0; k < 9; ++k)
        channels.push_back(data.ChannelTxText(k) + "/" + data.ChannelRxText(k));
    EXPECT_EQ(channels,
              (std::vector<std::string>{"136.00000/136.15000", "140.00000/140.15000", "145.00000/144.85000",
                                        "150.00000/149.85000", "155.00000/155.15000", "159.00000/159.15000",
                                        "164.00000/163.85000", "169.00000/168.85000", "174.00000/173.85000"}));
    for (std::size_t k = 0; k < 9; ++k)
        EXPECT_EQ(data.ChannelRxStep(k) * 16 + data.ChannelTxStep(k), 0x33) << k;
    // Channel 2 as the radio reads it; channels 9 to 15 all zero; the points' words.
    EXPECT_EQ(Slice(data.Block(), 20, 10), (Bytes{0x00, 0x50, 0x48, 0x14, 0x00, 0x00, 0x50, 0x14, 0x03, 0x03}));
    EXPECT_EQ(Slice(data.Block(), 90, 70), Bytes(70, 0x00));
    EXPECT_EQ(Slice(data.Block(), 160, 4), (Bytes{0x00, 0x50, 0x61, 0x13}));
    EXPECT_EQ(Slice(data.Block(), 196, 4), (Bytes{0x00, 0x00, 0x40, 0x17}));
}

TEST(TestFrequencyDefaults, OtherRangesUseTruncatingHalvesAndBadOnesErase)
{
    CTestFrequencyData data;
    ASSERT_TRUE(data.MakeDefaultTestFrequencies("400-470"));
    EXPECT_EQ(data.PointTxText(1), "417.00000");   // (435 + 400) / 2
    EXPECT_EQ(data.PointTxText(3), "452.00000");   // (435 + 470) / 2
    EXPECT_EQ(data.ChannelTxText(1), "408.00000"); // (417 + 400) / 2
    EXPECT_EQ(data.ChannelRxText(7), "460.85000"); // (452 + 470) / 2 - 0.15
    for (const char* range : {"", "abc", "174-136", "0-100", "400-1000", "x-y"}) {
        ASSERT_TRUE(data.MakeDefaultTestFrequencies("136-174"));
        EXPECT_FALSE(data.MakeDefaultTestFrequencies(range)) << range;
        EXPECT_EQ(Slice(data.Block()), Bytes(200, 0xFF)) << range;
    }
}

} // namespace
} // namespace qrv
