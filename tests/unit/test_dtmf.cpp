// The DTMF system record, its ID, its table and its edit record.
#include "records/dtmf_system_data.h"

#include "record_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace qrv {
namespace {

using test::Bytes;
using test::Slice;

const Bytes kDefault = {0x12, 0x34, 0x56, 0x78, 0x08, 0x01, 0xFE, 0x19, 0x05, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

TEST(DtmfRecord, NewRecordHasTheDefaultBytes)
{
    const CDTMFSystemData data;
    EXPECT_EQ(Slice(data.Record()), kDefault);
    EXPECT_EQ(data.GetIdText(), "12345678");
}

TEST(DtmfRecord, StoredDefaultCarriesCountCodeZero)
{
    CDTMFSystemArray systems;
    systems.push_back(std::make_unique<CDTMFSystemData>());
    Image image = test::FilledImage(0xFF);
    StoreDTMFTable(image, systems);
    Bytes expected = kDefault;
    expected[6] = 0x3E;
    EXPECT_TRUE(test::HoldsAt(image, 0x1B0, expected));
    EXPECT_EQ(Slice(image, 0x1C0, 16), Bytes(16, 0xFF));
    EXPECT_EQ(systems[0]->Record()[6], 0xFE); // storing writes the code into the image only
}

TEST(DtmfIdText, StoresDigitsAndLength)
{
    struct Case {
        const char* typed;
        bool accepted;
        Bytes idBytes; // bytes 0 to 4; the rest of the record stays the default
        const char* shown;
    };
    const Case cases[] = {
        {"12*#", true, {0x12, 0xEF, 0x00, 0x00, 4}, "12*#"},
        {"4 5 6", true, {0x45, 0x60, 0x00, 0x00, 3}, "456"},
        {"a1b2c3d", true, {0xA1, 0xB2, 0xC3, 0xD0, 7}, "A1B2C3D"},
        {"#9876543", true, {0xF9, 0x87, 0x65, 0x43, 8}, "#9876543"},
        {" 1 2 3 4 5 6 7 8 ", true, {0x12, 0x34, 0x56, 0x78, 8}, "12345678"},
        {"   ", true, {0x12, 0x34, 0x56, 0x78, 0}, ""},          // an empty ID keeps the digit bytes
        {"12E", false, {0x12, 0x34, 0x56, 0x78, 8}, "12345678"}, // refused: nothing changes
        {"12x", false, {0x12, 0x34, 0x56, 0x78, 8}, "12345678"},
        {"123456789", false, {0x12, 0x34, 0x56, 0x78, 8}, "12345678"},
        {"1-2", false, {0x12, 0x34, 0x56, 0x78, 8}, "12345678"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        CDTMFSystemData data;
        EXPECT_EQ(data.SetIdText(c.typed), c.accepted);
        Bytes expected = kDefault;
        std::copy(c.idBytes.begin(), c.idBytes.end(), expected.begin());
        EXPECT_EQ(Slice(data.Record()), expected);
        EXPECT_EQ(data.GetIdText(), c.shown);
    }
}

TEST(DtmfIdText, LengthAboveEightShowsEightDigits)
{
    CDTMFSystemData::RecordBytes record = CDTMFSystemData::kDefaultRecord;
    record[4] = 0xFF;
    EXPECT_EQ(CDTMFSystemData(record).GetIdText(), "12345678");
}

TEST(DtmfTable, LoadsExactlyOneRecordWhateverTheImageHolds)
{
    const Image image = test::PatternImage(7, 3);
    CDTMFSystemArray systems;
    systems.push_back(std::make_unique<CDTMFSystemData>());
    systems.push_back(std::make_unique<CDTMFSystemData>());
    LoadDTMFTable(image, systems);
    ASSERT_EQ(systems.size(), 1u);
    EXPECT_EQ(Slice(systems[0]->Record()), Slice(image, 0x1B0, 16));
}

TEST(DtmfTable, RoundTripKeepsEveryBitButTheCountCode)
{
    const Image pattern = test::PatternImage(7, 3);
    CDTMFSystemArray systems;
    LoadDTMFTable(pattern, systems);
    Image out = test::FilledImage(0xFF);
    StoreDTMFTable(out, systems);
    Image expected = pattern;
    expected[0x1B6] &= 0x3F; // one record: count code 0
    EXPECT_NE(expected[0x1B6], pattern[0x1B6]);
    EXPECT_TRUE(test::OnlyCopied(out, expected, 0x1B0, 0x1C0));
}

TEST(DtmfTable, CountCodeFollowsTheNumberOfRecords)
{
    CDTMFSystemArray systems;
    systems.push_back(std::make_unique<CDTMFSystemData>());
    systems.push_back(nullptr);
    systems.push_back(std::make_unique<CDTMFSystemData>());
    Image image = test::FilledImage(0xFF);
    StoreDTMFTable(image, systems);
    // Two records stored: (2 + 3) mod 4 = 1 in bits 6-7.
    EXPECT_EQ(image[0x1B6], 0x7E);
    EXPECT_EQ(image[0x1C6], 0x7E);
    EXPECT_EQ(image[0x1D0], 0xFF);
}

TEST(DtmfTable, NeverWritesIntoTheScanListTable)
{
    CDTMFSystemArray systems;
    for (int i = 0; i < 9; ++i)
        systems.push_back(std::make_unique<CDTMFSystemData>());
    Image image = test::FilledImage(0xFF);
    StoreDTMFTable(image, systems);
    EXPECT_EQ(image[0x200], 0x12);
    EXPECT_EQ(Slice(image, 0x210, 0x40), Bytes(0x40, 0xFF));
}

class DtmfEditRecord : public ::testing::Test {
protected:
    const CSettings& Settings() { return m_texts.Settings(); }

    test::CTestTexts m_texts{"S0205308=0.Off;1.BOT;2.EOT;3.Both\r\nS0205343=0:100:2500:1:0:1:0\r\n"
                             "S0205349=5.80;6.100\r\nS0205351=5.80;6.100\r\n"};
};

TEST_F(DtmfEditRecord, FillShowsTheListTexts)
{
    CDTMFEditRecord edit;
    edit.Fill(CDTMFSystemData(), Settings());
    EXPECT_EQ((std::vector<std::string>{edit.primaryId, edit.pttIdType, edit.pretime, edit.digitDuration,
                                        edit.digitIntervalDuration}),
              (std::vector<std::string>{"12345678", "BOT", "2500", "80", "80"}));
    EXPECT_EQ((std::vector<bool>{edit.sideTone, edit.shortBeep, edit.transmitTone}),
              (std::vector<bool>{false, true, true}));
}

TEST_F(DtmfEditRecord, TakeStoresEntryNumbersAndKeepsOtherBits)
{
    CDTMFSystemData data;
    CDTMFEditRecord edit;
    edit.Fill(data, Settings());
    edit.primaryId = "9#";
    edit.pttIdType = "Both";
    edit.sideTone = true;
    edit.shortBeep = false;
    edit.pretime = "300";
    edit.digitDuration = "100";
    edit.digitIntervalDuration = "100";
    EXPECT_TRUE(edit.Take(data, Settings()));
    EXPECT_EQ(Slice(data.Record()),
              (Bytes{0x9F, 0x00, 0x00, 0x00, 0x02, 0x03, 0xFD, 0x03, 0x06, 0x06, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(DtmfEditRecord, TextOutsideItsListStoresNoEntry)
{
    CDTMFSystemData data;
    CDTMFEditRecord edit;
    edit.Fill(data, Settings());
    edit.digitIntervalDuration = "no such entry";
    EXPECT_FALSE(edit.Take(data, Settings()));
    EXPECT_EQ(data.Record()[9], 0xFF);
    EXPECT_EQ(data.Record()[8], 0x05);
}

TEST_F(DtmfEditRecord, UnusableIdKeepsTheStoredIdButTakesTheRest)
{
    CDTMFSystemData data;
    CDTMFEditRecord edit;
    edit.Fill(data, Settings());
    edit.primaryId = "12G4";
    edit.pttIdType = "Off";
    EXPECT_FALSE(edit.Take(data, Settings()));
    EXPECT_EQ(Slice(data.Record(), 0, 5), (Bytes{0x12, 0x34, 0x56, 0x78, 0x08}));
    EXPECT_EQ(data.PttIdType(), 0);
}

} // namespace
} // namespace qrv
