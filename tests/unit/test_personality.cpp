// The personality record and table.
#include "records/personality_data.h"

#include "record_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qrv {
namespace {

using test::FilledImage;
using Record = std::array<std::uint8_t, CPersonalityData::kRecordSize>;
using Personalities = std::vector<std::unique_ptr<CPersonalityData>>;

// Every byte different from its neighbours, and byte 1 of each record not 0xFF.
Image PatternImage()
{
    Image image = test::PatternImage(37, 11);
    for (std::size_t r = 0; r < CPersonalityData::kMaxPersonalities; ++r)
        if (image[0x130 + 8 * r + 1] == 0xFF)
            image[0x130 + 8 * r + 1] = 0x7E;
    return image;
}

bool RecordsAre(const Personalities& personalities, const Image& image)
{
    for (std::size_t i = 0; i < personalities.size(); ++i)
        if (!std::equal(personalities[i]->Record().begin(), personalities[i]->Record().end(),
                        image.begin() + 0x130 + 8 * static_cast<std::ptrdiff_t>(i)))
            return false;
    return true;
}

TEST(PersonalityRecord, DefaultRecord)
{
    const CPersonalityData p;
    EXPECT_EQ(p.Record(), (Record{0xFF, 0x01, 0x3C, 0x00, 0x00, 0x00, 0xC0, 0xFF}));
    EXPECT_TRUE(p.IsValid());
}

TEST(PersonalityRecord, FieldsFromBytes)
{
    const Record bytes{0x12, 0x00, 0x05, 0x02, 0x03, 0x04, 0xA7, 0x34};
    const CPersonalityData p(bytes);
    EXPECT_EQ(p.Record(), bytes);
    EXPECT_EQ(p.TxAdmit(), 0);
    EXPECT_EQ(p.TimeOut(), 5);
    EXPECT_EQ(p.PreAlert(), 2);
    EXPECT_EQ(p.ReKey(), 3);
    EXPECT_EQ(p.Reset(), 4);
    EXPECT_EQ(p.TxOptionalSignalling(), 7);
}

TEST(PersonalityRecord, SettersKeepUntouchedBits)
{
    struct Case {
        std::uint8_t byte6, value, after;
    };
    for (const Case& c : {Case{0xC0, 5, 0xC5}, Case{0xF0, 0, 0xF0}, Case{0x3A, 1, 0x31}, Case{0xC0, 0xFF, 0xCF}}) {
        CPersonalityData p;
        p.Record()[6] = c.byte6;
        p.SetTxOptionalSignalling(c.value);
        EXPECT_EQ(p.Record()[6], c.after) << int(c.byte6) << " " << int(c.value);
    }
    CPersonalityData p;
    p.SetTxAdmit(0);
    p.SetTimeOut(3);
    p.SetPreAlert(1);
    p.SetReKey(2);
    p.SetReset(4);
    EXPECT_EQ(p.Record(), (Record{0xFF, 0x00, 0x03, 0x01, 0x02, 0x04, 0xC0, 0xFF}));
}

TEST(PersonalityRecord, TimerRulesAndPreAlertChoices)
{
    // Tx Admit, time-out, the size of the full pre-alert list, and what the rules give.
    struct Case {
        std::uint8_t admit, timeOut;
        std::size_t fullList;
        bool admitted, timerOn;
        std::size_t choices;
    };
    const Case cases[] = {
        {0x01, 0x00, 11, true, false, 1},   // timer off: the first entry only
        {0x01, 0x00, 0, true, false, 0},    // no list at all
        {0x01, 0x03, 11, true, true, 3},    // the first T entries
        {0x02, 0x0F, 11, true, true, 11},   // fewer when the list is shorter
        {0x00, 0x3C, 11, false, true, 11},  // admission 0 leaves the list alone
        {0xFF, 0xFF, 300, true, true, 255}, // a blank record
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.admit) << " " << int(c.timeOut) << " " << c.fullList);
        CPersonalityData p;
        p.SetTxAdmit(c.admit);
        p.SetTimeOut(c.timeOut);
        EXPECT_EQ(p.TimersAdmitted(), c.admitted);
        EXPECT_EQ(p.TimeOutOn(), c.timerOn);
        EXPECT_EQ(p.PreAlertChoices(c.fullList), c.choices);
    }
}

TEST(PersonalityTable, LoadCounts)
{
    // Records with byte 1 not 0xFF from 0x130 on, and the count loaded; a blank first record still loads.
    const std::pair<std::size_t, std::size_t> cases[] = {{0, 1}, {1, 1}, {3, 3}, {15, 15}, {16, 16}};
    for (const auto& [validRecords, expected] : cases) {
        SCOPED_TRACE(validRecords);
        Image image = FilledImage(0xFF);
        for (std::size_t r = 0; r < validRecords; ++r)
            image[0x130 + 8 * r + 1] = 0x01;
        Personalities personalities;
        LoadPersonalityTable(image, personalities);
        ASSERT_EQ(personalities.size(), expected);
        EXPECT_TRUE(RecordsAre(personalities, image));
    }
}

TEST(PersonalityTable, NeverReadsPastTheArea)
{
    // Whatever lies from 0x1B0 on, sixteen records are the most and nothing there is taken.
    for (const std::uint8_t beyond : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
        Image image = PatternImage();
        std::fill(image.begin() + 0x1B0, image.end(), beyond);
        Personalities personalities;
        LoadPersonalityTable(image, personalities);
        ASSERT_EQ(personalities.size(), 16u);
        EXPECT_TRUE(RecordsAre(personalities, image));
    }
}

TEST(PersonalityTable, RoundTripKeepsEveryBit)
{
    for (const std::size_t count : {std::size_t{1}, std::size_t{5}, std::size_t{16}}) {
        SCOPED_TRACE(count);
        Image image = PatternImage();
        if (count < 16)
            image[0x130 + 8 * count + 1] = 0xFF; // end marker
        Personalities personalities;
        LoadPersonalityTable(image, personalities);
        ASSERT_EQ(personalities.size(), count);

        Image stored = FilledImage(0xFF);
        std::uint16_t tableStart = 0;
        StorePersonalityTable(stored, personalities, tableStart);
        EXPECT_EQ(tableStart, 0x130);
        EXPECT_TRUE(test::OnlyCopied(stored, image, 0x130, 0x130 + 8 * count));
    }
}

TEST(PersonalityTable, NewPersonalitiesStoreTheDefaultBytesSixteenAtMost)
{
    Personalities personalities;
    for (int i = 0; i < 17; ++i)
        personalities.push_back(std::make_unique<CPersonalityData>());
    Image stored = FilledImage(0xFF);
    std::uint16_t tableStart = 0;
    StorePersonalityTable(stored, personalities, tableStart);
    Image expected = FilledImage(0xFF);
    for (std::ptrdiff_t at = 0x130; at < 0x1B0; at += 8)
        std::copy(CPersonalityData::kDefaultRecord.begin(), CPersonalityData::kDefaultRecord.end(),
                  expected.begin() + at);
    EXPECT_EQ(stored, expected);
}

} // namespace
} // namespace qrv
