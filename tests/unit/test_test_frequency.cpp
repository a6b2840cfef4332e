// The test frequency block: its defaults for a range, its channels and points.
#include "records/test_frequency_data.h"

#include "record_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace qrv {
namespace {

using test::Bytes;
using test::Slice;

TEST(TestFrequencyDefaults, PointsAndChannelsOfTheRange136To174)
{
    CTestFrequencyData data;
    ASSERT_TRUE(data.MakeDefaultTestFrequencies("136-174"));
    using Pair = std::pair<const char*, const char*>;
    const Pair points[] = {{"136.15000", "136.00000"}, // receive, transmit
                           {"145.15000", "145.00000"},
                           {"155.15000", "155.00000"},
                           {"164.15000", "164.00000"},
                           {"173.85000", "174.00000"}};
    for (std::size_t p = 0; p < std::size(points); ++p) {
        EXPECT_EQ(data.PointRxText(p), points[p].first) << p;
        EXPECT_EQ(data.PointTxText(p), points[p].second) << p;
    }
    // The point words as the radio reads them.
    EXPECT_EQ(Slice(data.Block(), 160, 4), (Bytes{0x00, 0x50, 0x61, 0x13}));
    EXPECT_EQ(Slice(data.Block(), 196, 4), (Bytes{0x00, 0x00, 0x40, 0x17}));

    const Pair channels[] = {
        {"136.00000", "136.15000"}, {"140.00000", "140.15000"}, {"145.00000", "144.85000"}, // transmit, receive
        {"150.00000", "149.85000"}, {"155.00000", "155.15000"}, {"159.00000", "159.15000"},
        {"164.00000", "163.85000"}, {"169.00000", "168.85000"}, {"174.00000", "173.85000"},
    };
    for (std::size_t k = 0; k < std::size(channels); ++k) {
        EXPECT_EQ(data.ChannelTxText(k), channels[k].first) << k;
        EXPECT_EQ(data.ChannelRxText(k), channels[k].second) << k;
        EXPECT_EQ(data.ChannelRxStep(k), 3) << k;
        EXPECT_EQ(data.ChannelTxStep(k), 3) << k;
    }
    // Channel 2: receive 144.85000, transmit 145.00000, both step code 3.
    EXPECT_EQ(Slice(data.Block(), 20, 10), (Bytes{0x00, 0x50, 0x48, 0x14, 0x00, 0x00, 0x50, 0x14, 0x03, 0x03}));
    // Channels 9 to 15 are all zero.
    EXPECT_EQ(Slice(data.Block(), 90, 70), Bytes(70, 0x00));
}

TEST(TestFrequencyDefaults, OtherRangesUseTruncatingHalves)
{
    CTestFrequencyData data;
    ASSERT_TRUE(data.MakeDefaultTestFrequencies("400-470"));
    EXPECT_EQ(data.PointTxText(1), "417.00000");   // (435 + 400) / 2
    EXPECT_EQ(data.PointTxText(3), "452.00000");   // (435 + 470) / 2
    EXPECT_EQ(data.ChannelTxText(1), "408.00000"); // (417 + 400) / 2
    EXPECT_EQ(data.ChannelRxText(7), "460.85000"); // (452 + 470) / 2 - 0.15
}

TEST(TestFrequencyDefaults, UnusableRangeGivesAnErasedBlock)
{
    for (const char* range : {"", "abc", "174-136", "0-100", "400-1000", "x-y"}) {
        CTestFrequencyData data;
        ASSERT_TRUE(data.MakeDefaultTestFrequencies("136-174"));
        EXPECT_FALSE(data.MakeDefaultTestFrequencies(range)) << range;
        EXPECT_EQ(Slice(data.Block()), Bytes(200, 0xFF)) << range;
    }
}

TEST(TestFrequencyChannel, FrequenciesGoOnTheirRaster)
{
    struct Case {
        const char *typed, *stored;
        std::uint8_t step;
    };
    for (const Case& c :
         {Case{"146.01200", "146.00625", 3}, Case{"146.01000", "146.01000", 2}, Case{"146.01250", "146.01250", 3},
          Case{"146.015", "146.01500", 2}, Case{"146.02500", "146.02500", 3}, Case{"146.0123999", "146.00625", 3},
          Case{" 146 ", "146.00000", 3}}) {
        CTestFrequencyData data;
        ASSERT_TRUE(data.MakeDefaultTestFrequencies("136-174"));
        ASSERT_TRUE(data.SetChannelRxText(4, c.typed)) << c.typed;
        EXPECT_EQ(data.ChannelRxText(4), c.stored) << c.typed;
        EXPECT_EQ(data.ChannelRxStep(4), c.step) << c.typed;
        // The transmit side of the channel is not touched.
        EXPECT_EQ(data.ChannelTxText(4), "155.00000") << c.typed;
        EXPECT_EQ(data.ChannelTxStep(4), 3) << c.typed;
    }
}

TEST(TestFrequencyChannel, StoredWordAndStepCodeBytes)
{
    CTestFrequencyData data;
    ASSERT_TRUE(data.SetChannelTxText(15, "146.01500"));
    EXPECT_EQ(Slice(data.Block(), 154, 6), (Bytes{0x00, 0x15, 0x60, 0x14, 0xFF, 0x02}));
    ASSERT_TRUE(data.SetChannelRxText(15, "146.012"));
    EXPECT_EQ(Slice(data.Block(), 150, 10), (Bytes{0x25, 0x06, 0x60, 0x14, 0x00, 0x15, 0x60, 0x14, 0x03, 0x02}));
}

TEST(TestFrequencyChannel, BadTextsAndIndexesAreRefused)
{
    CTestFrequencyData data;
    ASSERT_TRUE(data.MakeDefaultTestFrequencies("136-174"));
    const Bytes before = Slice(data.Block());
    EXPECT_FALSE(data.SetChannelRxText(0, "146.0x"));
    EXPECT_FALSE(data.SetChannelRxText(16, "146.00000"));
    EXPECT_FALSE(data.SetPointTxText(5, "146.00000"));
    EXPECT_FALSE(data.SetPointRx(0, 100000000));
    EXPECT_EQ(Slice(data.Block()), before);
    EXPECT_EQ(data.ChannelRxText(16), "");
    EXPECT_EQ(data.PointRxText(5), "");
}

TEST(TestFrequencyPoint, PointsAreNotRounded)
{
    CTestFrequencyData data;
    EXPECT_EQ(data.ChannelRxText(0), ""); // erased words show no text
    EXPECT_FALSE(data.PointTx(0).has_value());
    ASSERT_TRUE(data.SetPointRxText(2, "146.01200"));
    ASSERT_TRUE(data.SetPointTx(4, 43012345));
    EXPECT_EQ(data.PointRxText(2), "146.01200");
    EXPECT_EQ(data.PointRx(2), 14601200u);
    EXPECT_EQ(Slice(data.Block(), 168, 4), (Bytes{0x00, 0x12, 0x60, 0x14}));
    EXPECT_EQ(Slice(data.Block(), 196, 4), (Bytes{0x45, 0x23, 0x01, 0x43}));
    EXPECT_EQ(data.PointTxText(4), "430.12345");
    // Only the point words changed.
    EXPECT_EQ(Slice(data.Block(), 0, 160), Bytes(160, 0xFF));
}

TEST(TestFrequencyBlock, LoadAndStoreKeepEveryByte)
{
    EXPECT_TRUE(test::BlockRoundTrips<CTestFrequencyData>(0x270, 200));
}

} // namespace
} // namespace qrv
