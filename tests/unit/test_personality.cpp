// The personality record and table.
#include "records/personality.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qrv {
namespace {

using Record = std::array<std::uint8_t, CPersonalityData::kRecordSize>;
constexpr std::size_t kAreaEnd = 0x1B0;

Image FilledImage(std::uint8_t value)
{
    Image image;
    image.fill(value);
    return image;
}

// Every byte different from its neighbours, and byte 1 of each record not 0xFF.
Image PatternImage()
{
    Image image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * 37 + 11) & 0xFF);
    for (std::size_t r = 0; r < CPersonalityData::kMaxPersonalities; ++r)
        if (image[0x130 + 8 * r + 1] == 0xFF)
            image[0x130 + 8 * r + 1] = 0x7E;
    return image;
}

TEST(PersonalityRecord, DefaultRecord)
{
    const CPersonalityData p;
    EXPECT_EQ(p.Record(), (Record{0xFF, 0x01, 0x3C, 0x00, 0x00, 0x00, 0xC0, 0xFF}));
    EXPECT_TRUE(p.IsValid());
    EXPECT_EQ(p.TxAdmit(), 1);
    EXPECT_EQ(p.TimeOut(), 60);
    EXPECT_EQ(p.PreAlert(), 0);
    EXPECT_EQ(p.ReKey(), 0);
    EXPECT_EQ(p.Reset(), 0);
    EXPECT_EQ(p.TxOptionalSignalling(), 0);
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
        std::uint8_t byte6;
        std::uint8_t value;
        std::uint8_t after;
    };
    const Case cases[] = {{0xC0, 5, 0xC5}, {0xF0, 0, 0xF0}, {0x3A, 1, 0x31}, {0xC0, 0xFF, 0xCF}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.byte6);
        CPersonalityData p;
        p.Record()[6] = c.byte6;
        p.SetTxOptionalSignalling(c.value);
        EXPECT_EQ(p.Record()[6], c.after);
    }
    CPersonalityData p;
    p.SetTxAdmit(0);
    p.SetTimeOut(3);
    p.SetPreAlert(1);
    p.SetReKey(2);
    p.SetReset(4);
    EXPECT_EQ(p.Record(), (Record{0xFF, 0x00, 0x03, 0x01, 0x02, 0x04, 0xC0, 0xFF}));
}

TEST(PersonalityTable, LoadCounts)
{
    struct Case {
        const char* name;
        std::size_t validRecords; // records with byte 1 not 0xFF from 0x130 on
        std::size_t expected;
    };
    const Case cases[] = {{"blank", 0, 1}, {"one", 1, 1}, {"three", 3, 3}, {"fifteen", 15, 15}, {"sixteen", 16, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Image image = FilledImage(0xFF);
        for (std::size_t r = 0; r < c.validRecords; ++r)
            image[0x130 + 8 * r + 1] = 0x01;
        std::vector<std::unique_ptr<CPersonalityData>> personalities;
        LoadPersonalityTable(image, personalities);
        EXPECT_EQ(personalities.size(), c.expected);
    }
}

TEST(PersonalityTable, BlankFirstRecordStillLoads)
{
    const Image image = FilledImage(0xFF);
    std::vector<std::unique_ptr<CPersonalityData>> personalities;
    LoadPersonalityTable(image, personalities);
    ASSERT_EQ(personalities.size(), 1u);
    EXPECT_EQ(personalities[0]->TxAdmit(), 0xFF);
}

TEST(PersonalityTable, NeverReadsPastTheArea)
{
    // Whatever lies from 0x1B0 on, sixteen records are the most and nothing there is taken.
    for (const std::uint8_t beyond : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
        Image image = PatternImage();
        std::fill(image.begin() + kAreaEnd, image.end(), beyond);
        std::vector<std::unique_ptr<CPersonalityData>> personalities;
        LoadPersonalityTable(image, personalities);
        ASSERT_EQ(personalities.size(), 16u);
        EXPECT_TRUE(
            std::equal(personalities[15]->Record().begin(), personalities[15]->Record().end(), image.begin() + 0x1A8));
    }
}

TEST(PersonalityTable, RoundTripKeepsEveryBit)
{
    for (const std::size_t count : {std::size_t{1}, std::size_t{5}, std::size_t{16}}) {
        SCOPED_TRACE(count);
        Image image = PatternImage();
        if (count < 16)
            image[0x130 + 8 * count + 1] = 0xFF; // end marker
        std::vector<std::unique_ptr<CPersonalityData>> personalities;
        LoadPersonalityTable(image, personalities);
        ASSERT_EQ(personalities.size(), count);

        Image stored = FilledImage(0xFF);
        std::uint16_t tableStart = 0;
        StorePersonalityTable(stored, personalities, tableStart);
        EXPECT_EQ(tableStart, 0x130);
        for (std::size_t i = 0; i < stored.size(); ++i) {
            const bool inRecords = i >= 0x130 && i < 0x130 + 8 * count;
            ASSERT_EQ(stored[i], inRecords ? image[i] : 0xFF) << "offset " << i;
        }
    }
}

TEST(PersonalityTable, StoreNeverWritesPastTheArea)
{
    std::vector<std::unique_ptr<CPersonalityData>> personalities;
    for (int i = 0; i < 17; ++i)
        personalities.push_back(std::make_unique<CPersonalityData>());
    Image stored = FilledImage(0xFF);
    std::uint16_t tableStart = 0;
    StorePersonalityTable(stored, personalities, tableStart);
    EXPECT_EQ(stored[0x1A9], 0x01);
    EXPECT_TRUE(std::all_of(stored.begin() + kAreaEnd, stored.end(), [](auto b) { return b == 0xFF; }));
}

TEST(PersonalityTable, NewPersonalityStoresTheDefaultBytes)
{
    std::vector<std::unique_ptr<CPersonalityData>> personalities;
    personalities.push_back(std::make_unique<CPersonalityData>());
    Image stored = FilledImage(0xFF);
    std::uint16_t tableStart = 0;
    StorePersonalityTable(stored, personalities, tableStart);
    EXPECT_TRUE(std::equal(stored.begin() + 0x130, stored.begin() + 0x138, CPersonalityData::kDefaultRecord.begin()));
    EXPECT_EQ(stored[0x139], 0xFF); // the next load ends here
}

} // namespace
} // namespace qrv
