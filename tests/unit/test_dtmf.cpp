#include "records/dtmf.h"

#include "radio_data/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace qrv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Image PatternImage()
{
    Image image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

Image ErasedImage()
{
    Image image{};
    image.fill(0xFF);
    return image;
}

Bytes At(const Image& image, std::size_t offset, std::size_t count)
{
    return Bytes(image.begin() + static_cast<std::ptrdiff_t>(offset),
                 image.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

Bytes RecordOf(const CDTMFSystemData& data)
{
    return Bytes(data.Record().begin(), data.Record().end());
}

TEST(DtmfRecord, NewRecordHasTheDefaultBytes)
{
    const CDTMFSystemData data;
    EXPECT_EQ(RecordOf(data),
              (Bytes{0x12, 0x34, 0x56, 0x78, 0x08, 0x01, 0xFE, 0x19, 0x05, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(data.GetIdText(), "12345678");
}

TEST(DtmfRecord, StoredDefaultCarriesCountCodeZero)
{
    CDTMFSystemArray systems;
    systems.push_back(std::make_unique<CDTMFSystemData>());
    Image image = ErasedImage();
    StoreDTMFTable(image, systems);
    EXPECT_EQ(At(image, 0x1B0, 16),
              (Bytes{0x12, 0x34, 0x56, 0x78, 0x08, 0x01, 0x3E, 0x19, 0x05, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(At(image, 0x1C0, 16), Bytes(16, 0xFF));
    // Storing writes the code into the image only.
    EXPECT_EQ(systems[0]->Record()[6], 0xFE);
}

struct IdCase {
    const char* typed;
    Bytes digits;
    std::uint8_t length;
    const char* shown;
};

class DtmfIdText : public ::testing::TestWithParam<IdCase> {};

TEST_P(DtmfIdText, StoresDigitsAndLength)
{
    const IdCase& c = GetParam();
    CDTMFSystemData data;
    ASSERT_TRUE(data.SetIdText(c.typed));
    EXPECT_EQ(Bytes(data.Record().begin(), data.Record().begin() + 4), c.digits);
    EXPECT_EQ(data.IdLength(), c.length);
    EXPECT_EQ(data.GetIdText(), c.shown);
    // The rest of the record is untouched.
    EXPECT_EQ(Bytes(data.Record().begin() + 5, data.Record().end()),
              Bytes(CDTMFSystemData::kDefaultRecord.begin() + 5, CDTMFSystemData::kDefaultRecord.end()));
}

INSTANTIATE_TEST_SUITE_P(Cases, DtmfIdText,
                         ::testing::Values(IdCase{"12*#", {0x12, 0xEF, 0x00, 0x00}, 4, "12*#"},
                                           IdCase{"4 5 6", {0x45, 0x60, 0x00, 0x00}, 3, "456"},
                                           IdCase{"a1b2c3d", {0xA1, 0xB2, 0xC3, 0xD0}, 7, "A1B2C3D"},
                                           IdCase{"#9876543", {0xF9, 0x87, 0x65, 0x43}, 8, "#9876543"},
                                           IdCase{" 1 2 3 4 5 6 7 8 ", {0x12, 0x34, 0x56, 0x78}, 8, "12345678"}));

TEST(DtmfIdText, EmptyIdKeepsDigitBytes)
{
    CDTMFSystemData data;
    ASSERT_TRUE(data.SetIdText("   "));
    EXPECT_EQ(data.IdLength(), 0);
    EXPECT_EQ(Bytes(data.Record().begin(), data.Record().begin() + 4), (Bytes{0x12, 0x34, 0x56, 0x78}));
    EXPECT_EQ(data.GetIdText(), "");
}

TEST(DtmfIdText, RefusedTextChangesNothing)
{
    for (const char* bad : {"12E", "12x", "123456789", "1-2"}) {
        CDTMFSystemData data;
        EXPECT_FALSE(data.SetIdText(bad)) << bad;
        EXPECT_EQ(RecordOf(data), Bytes(CDTMFSystemData::kDefaultRecord.begin(), CDTMFSystemData::kDefaultRecord.end()))
            << bad;
    }
}

TEST(DtmfIdText, LengthAboveEightShowsEightDigits)
{
    CDTMFSystemData::RecordBytes record = CDTMFSystemData::kDefaultRecord;
    record[4] = 0xFF;
    const CDTMFSystemData data(record);
    EXPECT_EQ(data.GetIdText(), "12345678");
}

TEST(DtmfTable, LoadsExactlyOneRecordWhateverTheImageHolds)
{
    const Image image = PatternImage();
    CDTMFSystemArray systems;
    systems.push_back(std::make_unique<CDTMFSystemData>());
    systems.push_back(std::make_unique<CDTMFSystemData>());
    LoadDTMFTable(image, systems);
    ASSERT_EQ(systems.size(), 1u);
    EXPECT_EQ(RecordOf(*systems[0]), At(image, 0x1B0, 16));
}

TEST(DtmfTable, RoundTripKeepsEveryBitButTheCountCode)
{
    const Image pattern = PatternImage();
    CDTMFSystemArray systems;
    LoadDTMFTable(pattern, systems);
    Image out = ErasedImage();
    StoreDTMFTable(out, systems);

    Bytes expected = At(pattern, 0x1B0, 16);
    expected[6] = static_cast<std::uint8_t>(expected[6] & 0x3F); // one record: count code 0
    EXPECT_EQ(At(out, 0x1B0, 16), expected);
    EXPECT_EQ(At(out, 0x1C0, 0x50), Bytes(0x50, 0xFF));
}

TEST(DtmfTable, CountCodeFollowsTheNumberOfRecords)
{
    CDTMFSystemArray systems;
    systems.push_back(std::make_unique<CDTMFSystemData>());
    systems.push_back(nullptr);
    systems.push_back(std::make_unique<CDTMFSystemData>());
    Image image = ErasedImage();
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
    Image image = ErasedImage();
    StoreDTMFTable(image, systems);
    EXPECT_EQ(image[0x200], 0x12);
    EXPECT_EQ(At(image, 0x210, 0x40), Bytes(0x40, 0xFF));
}

class DtmfEditRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::WriteText(m_dir / "QRV_E.lng", "[Setting]\r\nLanguage=English\r\nLanguageList=English\r\n"
                                             "S0205308=0.Off;1.BOT;2.EOT;3.Both\r\n"
                                             "S0205343=0:100:2500:1:0:1:0\r\n"
                                             "S0205349=5.80;6.100\r\n"
                                             "S0205351=5.80;6.100\r\n");
        m_settings = std::make_unique<CSettings>(m_dir.Path());
        m_settings->SetReadOnly(true);
        m_settings->SelectLanguage(0);
    }

    test::CTempDir m_dir;
    std::unique_ptr<CSettings> m_settings;
};

TEST_F(DtmfEditRecord, FillShowsTheListTexts)
{
    CDTMFEditRecord edit;
    edit.Fill(CDTMFSystemData(), *m_settings);
    EXPECT_EQ(edit.primaryId, "12345678");
    EXPECT_EQ(edit.pttIdType, "BOT");
    EXPECT_FALSE(edit.sideTone);
    EXPECT_TRUE(edit.shortBeep);
    EXPECT_TRUE(edit.transmitTone);
    EXPECT_EQ(edit.pretime, "2500");
    EXPECT_EQ(edit.digitDuration, "80");
    EXPECT_EQ(edit.digitIntervalDuration, "80");
}

TEST_F(DtmfEditRecord, TakeStoresEntryNumbersAndKeepsOtherBits)
{
    CDTMFSystemData data;
    CDTMFEditRecord edit;
    edit.Fill(data, *m_settings);
    edit.primaryId = "9#";
    edit.pttIdType = "Both";
    edit.sideTone = true;
    edit.shortBeep = false;
    edit.pretime = "300";
    edit.digitDuration = "100";
    edit.digitIntervalDuration = "100";
    EXPECT_TRUE(edit.Take(data, *m_settings));
    EXPECT_EQ(RecordOf(data),
              (Bytes{0x9F, 0x00, 0x00, 0x00, 0x02, 0x03, 0xFD, 0x03, 0x06, 0x06, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(DtmfEditRecord, TextOutsideItsListStoresNoEntry)
{
    CDTMFSystemData data;
    CDTMFEditRecord edit;
    edit.Fill(data, *m_settings);
    edit.digitIntervalDuration = "no such entry";
    EXPECT_FALSE(edit.Take(data, *m_settings));
    EXPECT_EQ(data.Record()[9], 0xFF);
    EXPECT_EQ(data.Record()[8], 0x05);
}

TEST_F(DtmfEditRecord, UnusableIdKeepsTheStoredIdButTakesTheRest)
{
    CDTMFSystemData data;
    CDTMFEditRecord edit;
    edit.Fill(data, *m_settings);
    edit.primaryId = "12G4";
    edit.pttIdType = "Off";
    EXPECT_FALSE(edit.Take(data, *m_settings));
    EXPECT_EQ(Bytes(data.Record().begin(), data.Record().begin() + 5), (Bytes{0x12, 0x34, 0x56, 0x78, 0x08}));
    EXPECT_EQ(data.PttIdType(), 0);
}

} // namespace
} // namespace qrv
