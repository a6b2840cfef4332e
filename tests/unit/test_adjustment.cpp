// The tune data block: its values, the base-band fields and their texts.
#include "records/adjustment_data.h"

#include "record_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace qrv {
namespace {

using test::Bytes;

constexpr std::size_t kArea = 0x340;

CAdjustmentData Filled(std::uint8_t value)
{
    CAdjustmentData data;
    data.LoadFromImage(test::FilledImage(value));
    return data;
}

TEST(AdjustmentBlock, NewBlockIsErased)
{
    CAdjustmentData data = Filled(0x00);
    data.SetDefaults();
    EXPECT_EQ(test::Slice(data.Block()), Bytes(192, 0xFF));
    EXPECT_EQ(data.Value(0), 0xFFFF);
}

TEST(AdjustmentBlock, LoadAndStoreKeepEveryByte)
{
    EXPECT_TRUE(test::BlockRoundTrips<CAdjustmentData>(kArea, 192));
}

TEST(AdjustmentValues, SixteenBitLittleEndianByIndex)
{
    CAdjustmentData data;
    EXPECT_TRUE(data.SetValue(0, 0x1234));
    EXPECT_TRUE(data.SetValue(95, 0xABCD));
    EXPECT_FALSE(data.SetValue(96, 0x0000));
    EXPECT_EQ(test::Slice(data.Block(), 0, 3), (Bytes{0x34, 0x12, 0xFF}));
    EXPECT_EQ(test::Slice(data.Block(), 189), (Bytes{0xFF, 0xCD, 0xAB}));
    EXPECT_EQ(data.Value(95), 0xABCD);
    EXPECT_EQ(data.Value(96), 0xFFFF);
}

TEST(AdjustmentBaseBand, AllowBitIsBitZeroOf0x3E9)
{
    CAdjustmentData data = Filled(0x00);
    EXPECT_FALSE(data.AllowBaseBandTune());
    data.SetAllowBaseBandTune(true);
    EXPECT_EQ(data.Block()[0x3E9 - kArea], 0x01);
    data = Filled(0xFF);
    data.SetAllowBaseBandTune(false);
    EXPECT_EQ(data.Block()[0x3E9 - kArea], 0xFE);
}

// Every field, set to its widest value in a zero block, lights exactly its
// own bits; cleared in an erased block, it clears exactly them.
TEST(AdjustmentBaseBand, FieldsSitOnTheirBits)
{
    struct Expected {
        std::uint16_t offset;
        std::uint8_t mask;
    };
    const std::vector<Expected> transmit = {{0x3EA, 0x07}, {0x3EA, 0x08}, {0x3EB, 0x01}, {0x3EB, 0x1E}, {0x3EB, 0xE0},
                                            {0x3EC, 0x01}, {0x3EC, 0x02}, {0x3EC, 0x04}, {0x3EC, 0x08}, {0x3ED, 0x07},
                                            {0x3EE, 0xFF}, {0x3EF, 0xFF}, {0x3F0, 0x03}, {0x3F0, 0x0C}};
    const std::vector<Expected> receive = {{0x3F5, 0x07}, {0x3F5, 0x70}, {0x3F6, 0x07}, {0x3F6, 0x38},
                                           {0x3F7, 0xFF}, {0x3F8, 0xFF}, {0x3F9, 0x03}, {0x3F9, 0xE0}};
    ASSERT_EQ(CAdjustmentData::kTransmitFields.size(), transmit.size());
    ASSERT_EQ(CAdjustmentData::kReceiveFields.size(), receive.size());

    const auto check = [](const CBaseBandField& field, const Expected& e) {
        EXPECT_EQ(field.imageOffset, e.offset);
        EXPECT_EQ(field.mask, e.mask);
        unsigned widest = e.mask;
        while ((widest & 1) == 0)
            widest >>= 1;
        CAdjustmentData zero = Filled(0x00);
        ASSERT_TRUE(zero.SetField(field, widest));
        Bytes expected(192, 0x00);
        expected[e.offset - kArea] = e.mask;
        EXPECT_EQ(test::Slice(zero.Block()), expected) << std::hex << e.offset << " " << int(e.mask);
        EXPECT_EQ(zero.GetField(field), widest);
        EXPECT_FALSE(zero.SetField(field, widest + 1));

        CAdjustmentData erased = Filled(0xFF);
        ASSERT_TRUE(erased.SetField(field, 0));
        Bytes cleared(192, 0xFF);
        cleared[e.offset - kArea] = static_cast<std::uint8_t>(~e.mask);
        EXPECT_EQ(test::Slice(erased.Block()), cleared) << std::hex << e.offset << " " << int(e.mask);
    };
    for (std::size_t i = 0; i < transmit.size(); ++i)
        check(CAdjustmentData::kTransmitFields[i], transmit[i]);
    for (std::size_t i = 0; i < receive.size(); ++i)
        check(CAdjustmentData::kReceiveFields[i], receive[i]);
}

TEST(AdjustmentBaseBand, FieldListsAndCheckBoxes)
{
    using A = CAdjustmentData;
    const auto& tx = A::kTransmitFields;
    const auto& rx = A::kReceiveFields;
    EXPECT_EQ(tx[0].list, A::kWidthAafGainCombo);
    EXPECT_EQ(tx[1].list, A::kLpfCombo);
    EXPECT_TRUE(tx[2].checkBox);
    EXPECT_EQ(tx[4].list, A::kCompandorControlCombo);
    EXPECT_EQ((std::vector<int>{tx[5].list, tx[6].list, tx[7].list, tx[8].list}),
              (std::vector<int>{A::kWidthPreEmphasisCheck, A::kWidthDeEmphasisCheck, A::kNarrowPreEmphasisCheck,
                                A::kNarrowDeEmphasisCheck}));
    EXPECT_EQ(tx[9].list, A::kTxGainCombo);
    EXPECT_EQ(rx[1].list, A::kNarrowAafGainCombo);
    EXPECT_EQ(rx[3].list, A::kNarrowVolumeCombo);
    EXPECT_EQ(rx[7].list, A::kCompandorControlCombo);
}

TEST(AdjustmentBaseBand, RadioBlocksInsideTheTuneData)
{
    CAdjustmentData data;
    const Bytes first(16, 0x11);
    const Bytes second(7, 0x22);
    EXPECT_TRUE(data.SetBytesAt(0x3E9, first));
    EXPECT_TRUE(data.SetBytesAt(0x3F9, second));
    EXPECT_FALSE(data.SetBytesAt(0x3FA, second));
    EXPECT_FALSE(data.SetBytesAt(0x33F, Bytes(1, 0)));
    EXPECT_EQ(data.Block()[0x3E8 - kArea], 0xFF);
    EXPECT_EQ(test::Slice(data.Block(), 0x3E9 - kArea),
              (Bytes{0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
                     0x11, 0x11, 0x11, 0x11, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22}));
    EXPECT_EQ(test::Slice(data.BytesAt(0x3F9, 7)), second);
    EXPECT_TRUE(data.BytesAt(0x3FA, 7).empty());
}

TEST(AdjustmentBaseBand, FieldTextsGoThroughTheirLists)
{
    test::CTestTexts texts("S0207116=0:-3:-24:1:0:1:0\r\nS0207125=0.Off;1.Slow;2.Fast\r\n");
    const CSettings& settings = texts.Settings();

    CAdjustmentData data = Filled(0x00);
    const CBaseBandField& gain = CAdjustmentData::kReceiveFields[0];
    const CBaseBandField& compandor = CAdjustmentData::kReceiveFields[7];
    EXPECT_EQ(data.FieldText(gain, settings), "0");
    EXPECT_TRUE(data.SetFieldText(gain, "-15", settings));
    EXPECT_TRUE(data.SetFieldText(compandor, "Fast", settings));
    EXPECT_EQ(data.Block()[0x3F5 - kArea], 0x05);
    EXPECT_EQ(data.Block()[0x3F9 - kArea], 0x40);
    EXPECT_EQ(data.FieldText(compandor, settings), "Fast");
    EXPECT_FALSE(data.SetFieldText(compandor, "Medium", settings));
    EXPECT_FALSE(data.SetFieldText(gain, "-24", settings)); // entry 8 does not fit three bits
    EXPECT_FALSE(data.SetFieldText(CAdjustmentData::kTransmitFields[2], "1", settings));
    EXPECT_EQ(data.Block()[0x3F5 - kArea], 0x05);
    EXPECT_EQ(data.Block()[0x3F9 - kArea], 0x40);
}

} // namespace
} // namespace qrv
