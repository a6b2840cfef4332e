// The scan list record, its table, its channel references and their check.
#include "records/scan.h"

#include "radio_data/invalid_log.h"
#include "radio_data/notification.h"
#include "records/channel.h"
#include "test_support.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qrv {
namespace {

using Record = std::array<std::uint8_t, CScanListData::kRecordSize>;
using Channels = std::vector<std::unique_ptr<CChannelData>>;
using ScanLists = std::vector<std::unique_ptr<CScanListData>>;
constexpr std::size_t kAreaEnd = 0x250;

Image FilledImage(std::uint8_t value)
{
    Image image;
    image.fill(value);
    return image;
}

Image PatternImage()
{
    Image image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * 53 + 5) & 0xFF);
    for (std::size_t r = 0; r < 3; ++r)
        if (image[0x210 + 32 * r + 4] == 0xFF)
            image[0x210 + 32 * r + 4] = 0x03;
    return image;
}

CRecordRefs Refs(const Channels& channels)
{
    CRecordRefs refs;
    for (const auto& c : channels)
        refs.push_back(c.get());
    return refs;
}

Channels MakeChannels(std::size_t count)
{
    Channels channels;
    for (std::size_t n = 0; n < count; ++n)
        channels.push_back(std::make_unique<CChannelData>(n));
    return channels;
}

TEST(ScanRecord, DefaultRecord)
{
    const CScanListData s;
    EXPECT_EQ(s.Record(),
              (Record{0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0xE6, 0xC0, 0x08, 0x01, 0x02, 0xF8, 0x01, 0x03, 0x0F, 0xFE, 0xFF,
                      0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10}));
    EXPECT_EQ(s.EntryCount(), 16);
    EXPECT_EQ(s.ScanMode(), 3);
    EXPECT_EQ(s.PriorityMode(), 0);
    EXPECT_EQ(s.SweepTime(), 8);
    EXPECT_EQ(s.PriorityChannelNumber(), 1);
    EXPECT_EQ(s.SecondPriorityChannelNumber(), 2);
    EXPECT_EQ(s.TxMode(), 0);
    EXPECT_TRUE(s.Talkback());
    EXPECT_EQ(s.DesignatedChannelNumber(), 1);
    EXPECT_EQ(s.HangTime(), 3);
    EXPECT_TRUE(s.StartAlert());
    EXPECT_TRUE(s.EndAlert());
    EXPECT_FALSE(s.IncludeCurrentChannel());
    for (std::size_t slot = 0; slot < 16; ++slot) {
        EXPECT_EQ(s.MemberNumber(slot), slot + 1);
        EXPECT_EQ(s.MemberId(slot), 0u);
    }
    EXPECT_EQ(s.MemberNumber(16), 0xFF);
}

TEST(ScanRecord, SettersChangeOnlyTheirBits)
{
    struct Case {
        const char* name;
        void (*set)(CScanListData&);
        std::size_t byte;
        std::uint8_t before;
        std::uint8_t after;
    };
    const Case cases[] = {
        {"scan mode", [](CScanListData& s) { s.SetScanMode(1); }, 5, 0xFF, 0xFB},
        {"scan mode 0", [](CScanListData& s) { s.SetScanMode(0); }, 5, 0xE6, 0xE0},
        {"priority mode", [](CScanListData& s) { s.SetPriorityMode(2); }, 6, 0xFF, 0xFE},
        {"tx mode", [](CScanListData& s) { s.SetTxMode(1); }, 10, 0xF8, 0xF9},
        {"talkback off", [](CScanListData& s) { s.SetTalkback(false); }, 10, 0xFF, 0xF7},
        {"start alert off", [](CScanListData& s) { s.SetStartAlert(false); }, 13, 0x0F, 0x0E},
        {"end alert off", [](CScanListData& s) { s.SetEndAlert(false); }, 13, 0x0F, 0x0D},
        {"include current", [](CScanListData& s) { s.SetIncludeCurrentChannel(true); }, 13, 0x0F, 0x1F},
        {"entry count", [](CScanListData& s) { s.SetEntryCount(3); }, 4, 0x10, 0x03},
        {"sweep time", [](CScanListData& s) { s.SetSweepTime(2); }, 7, 0x08, 0x02},
        {"hang time", [](CScanListData& s) { s.SetHangTime(9); }, 12, 0x03, 0x09},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CScanListData s;
        s.Record()[c.byte] = c.before;
        Record expected = s.Record();
        expected[c.byte] = c.after;
        c.set(s);
        EXPECT_EQ(s.Record(), expected);
    }
}

TEST(ScanTable, LoadCounts)
{
    struct Case {
        const char* name;
        std::uint8_t first;  // byte 4 of the first record
        std::uint8_t second; // byte 4 of the second record
        std::uint8_t third;  // byte 4 of what would be a third (0x250 belongs to another area)
        std::size_t expected;
    };
    const Case cases[] = {
        {"blank first still loads", 0xFF, 0xFF, 0xFF, 1},
        {"one", 0x10, 0xFF, 0x10, 1},
        {"two", 0x10, 0x03, 0xFF, 2},
        {"never more than two", 0x10, 0x03, 0x10, 2},
        {"blank first, second follows", 0xFF, 0x05, 0xFF, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Image image = FilledImage(0xFF);
        image[0x214] = c.first;
        image[0x234] = c.second;
        image[0x254] = c.third;
        ScanLists lists;
        LoadScanTable(image, lists);
        EXPECT_EQ(lists.size(), c.expected);
    }
}

TEST(ScanTable, RoundTripKeepsEveryBit)
{
    for (const std::size_t count : {std::size_t{1}, std::size_t{2}}) {
        SCOPED_TRACE(count);
        Image image = PatternImage();
        if (count == 1)
            image[0x234] = 0xFF;
        ScanLists lists;
        LoadScanTable(image, lists);
        ASSERT_EQ(lists.size(), count);
        Image stored = FilledImage(0xFF);
        std::uint16_t tableStart = 0;
        StoreScanTable(stored, lists, tableStart);
        EXPECT_EQ(tableStart, 0x210);
        for (std::size_t i = 0; i < stored.size(); ++i) {
            const bool inRecords = i >= 0x210 && i < 0x210 + 32 * count;
            ASSERT_EQ(stored[i], inRecords ? image[i] : 0xFF) << "offset " << i;
        }
    }
}

TEST(ScanTable, StoreNeverWritesPastTheArea)
{
    ScanLists lists;
    for (int i = 0; i < 3; ++i)
        lists.push_back(std::make_unique<CScanListData>());
    Image stored = FilledImage(0xFF);
    std::uint16_t tableStart = 0;
    StoreScanTable(stored, lists, tableStart);
    EXPECT_TRUE(std::equal(stored.begin() + 0x230, stored.begin() + kAreaEnd, CScanListData::kDefaultRecord.begin()));
    EXPECT_TRUE(std::all_of(stored.begin() + kAreaEnd, stored.end(), [](auto b) { return b == 0xFF; }));
}

TEST(ScanTable, NewListStoresTheDefaultRecord)
{
    ScanLists lists;
    lists.push_back(std::make_unique<CScanListData>());
    Channels channels = MakeChannels(16);
    lists[0]->Resolve(Refs(channels));
    lists[0]->StoreIdentities(Refs(channels));
    Image stored = FilledImage(0xFF);
    std::uint16_t tableStart = 0;
    StoreScanTable(stored, lists, tableStart);
    EXPECT_TRUE(std::equal(stored.begin() + 0x210, stored.begin() + 0x230, CScanListData::kDefaultRecord.begin()));
    EXPECT_EQ(stored[0x234], 0xFF); // the next load ends here
}

TEST(ScanReferences, Resolution)
{
    Channels channels = MakeChannels(5);
    channels[2]->SetValid(false);
    struct Case {
        const char* name;
        std::uint8_t number;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"0", 0, 0},
        {"0xFF", 0xFF, 0},
        {"beyond the count", 6, 0},
        {"invalid channel", 3, 0},
        {"first", 1, channels[0]->TreeId()},
        {"last", 5, channels[4]->TreeId()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CScanListData s;
        s.Record()[16 + 7] = c.number;
        s.Record()[11] = c.number;
        s.Record()[8] = c.number;
        s.Resolve(Refs(channels));
        EXPECT_EQ(s.MemberId(7), c.expected);
        EXPECT_EQ(s.DesignatedId(), c.expected);
        EXPECT_EQ(s.PriorityId(), c.expected);
        EXPECT_EQ(s.SecondPriorityId(), 0u);
    }
}

TEST(ScanReferences, StoreIdentitiesFollowsTheChannels)
{
    Channels channels = MakeChannels(5);
    CScanListData s;
    s.Record()[11] = 4; // designated: channel 4
    s.Record()[8] = 2;  // priority: channel 2
    s.Resolve(Refs(channels));

    channels.erase(channels.begin() + 1); // channel 2 goes, 3..5 move up
    s.StoreIdentities(Refs(channels));
    const Record& r = s.Record();
    EXPECT_EQ(r[16], 1);
    EXPECT_EQ(r[17], 0xFF); // the removed channel
    EXPECT_EQ(r[18], 2);
    EXPECT_EQ(r[19], 3);
    EXPECT_EQ(r[20], 4);
    for (std::size_t slot = 5; slot < 16; ++slot)
        EXPECT_EQ(r[16 + slot], 0xFF) << slot; // numbers 6..16 named no channel
    EXPECT_EQ(r[11], 3);
    EXPECT_EQ(r[8], 0xFF);
    EXPECT_EQ(r[9], 0x02); // byte 9 is not edited

    channels[0]->SetValid(false);
    s.StoreIdentities(Refs(channels));
    EXPECT_EQ(s.Record()[16], 0xFF); // an invalid channel is no channel
}

class ScanCheck : public ::testing::Test {
protected:
    ScanCheck() : m_dir(false)
    {
        std::string language = "[Setting]\r\nLanguage=English\r\nLanguageList=English\r\n"
                               "S0203800=Configuration\r\nS0203801=Scan\r\nS0203803=Channel List\r\n"
                               "S0203835=Priority Channel\r\nS0203849=Designated Channel\r\n";
        for (int k = 1; k <= 16; ++k)
            language += Format("S02%05d=Slot %d\r\n", 3904 + k, k);
        test::WriteText(m_dir.Path() / "QRV_E.lng", language);
        m_dir.Reopen();
    }
    const CSettings& Settings() { return m_dir.Settings(); }

    test::CProgramDir m_dir;
};

TEST_F(ScanCheck, ReactsOnlyToKindsFiveAndNine)
{
    Channels channels = MakeChannels(2); // slots 3..16 name no channel
    CScanListData s;
    s.Resolve(Refs(channels));
    CInvalidLog log;
    for (const int kind : {0, 1, 2, 3, 4, 6, 7}) {
        s.Check(CNotification{kind, 0}, Refs(channels), log, Settings());
        EXPECT_EQ(log.Count(), 0) << kind;
    }
    s.Check(CNotification{CNotification::kDeleted, 0}, Refs(channels), log, Settings());
    EXPECT_EQ(log.Count(), 14);
    log.Clear();
    s.Check(CNotification{CNotification::kValidChanged, 0}, Refs(channels), log, Settings());
    EXPECT_EQ(log.Count(), 14);
}

TEST_F(ScanCheck, MemberSlotEntries)
{
    Channels channels = MakeChannels(16);
    CScanListData s;
    s.SetEntryCount(3);
    s.Resolve(Refs(channels));
    CInvalidLog log;
    s.Check(CNotification{CNotification::kDeleted, 0}, Refs(channels), log, Settings());
    EXPECT_EQ(log.Count(), 0);

    channels.erase(channels.begin() + 1); // slot 2's channel
    channels[9]->SetValid(false);         // slot 11's channel, beyond the used slots
    channels[1]->SetValid(false);         // slot 3's channel
    s.Check(CNotification{CNotification::kDeleted, 0}, Refs(channels), log, Settings());
    ASSERT_EQ(log.Count(), 2);
    const CInvalidEntry& second = log.Entries()[0];
    EXPECT_EQ(second.control, 3874);
    EXPECT_EQ(second.title, "Slot 2");
    EXPECT_EQ(second.text, "Scan : Channel List");
    EXPECT_EQ(second.key, s.TreeId() + 3872 + 2 + 0xFFFF);
    const CInvalidEntry& third = log.Entries()[1];
    EXPECT_EQ(third.control, 3875);
    EXPECT_EQ(third.title, "Slot 3");
    EXPECT_EQ(third.key, s.TreeId() + 3872 + 3 + 0xFFFF);

    s.WithdrawSlotEntry(2, log);
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.Entries()[0].control, 3875);
    s.WithdrawSlotEntry(0, log);  // no such slot
    s.WithdrawSlotEntry(17, log); // no such slot
    EXPECT_EQ(log.Count(), 1);
    s.WithdrawCheckEntries(log);
    EXPECT_EQ(log.Count(), 0);
}

TEST_F(ScanCheck, DesignatedAndPriorityOnlyWhenInUse)
{
    struct Case {
        const char* name;
        std::uint8_t txMode;
        std::uint8_t priorityMode;
        std::vector<int> controls;
    };
    const Case cases[] = {
        {"neither in use", 0, 0, {}}, {"tx mode 2, priority mode 2", 2, 2, {}},
        {"designated", 1, 0, {3850}}, {"priority", 0, 1, {3836}},
        {"both", 1, 1, {3850, 3836}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Channels channels = MakeChannels(4);
        CScanListData s;
        s.SetEntryCount(0);
        s.Record()[11] = 4;
        s.Record()[8] = 3;
        s.SetTxMode(c.txMode);
        s.SetPriorityMode(c.priorityMode);
        s.Resolve(Refs(channels));
        channels.erase(channels.begin() + 2, channels.end());
        CInvalidLog log;
        s.Check(CNotification{CNotification::kDeleted, 0}, Refs(channels), log, Settings());
        ASSERT_EQ(log.Count(), static_cast<int>(c.controls.size()));
        for (std::size_t i = 0; i < c.controls.size(); ++i) {
            const CInvalidEntry& e = log.Entries()[i];
            EXPECT_EQ(e.control, c.controls[i]);
            EXPECT_EQ(e.text, "Scan : Configuration");
            EXPECT_EQ(e.title, c.controls[i] == 3850 ? "Designated Channel" : "Priority Channel");
            EXPECT_EQ(e.key, s.TreeId() + static_cast<std::uint32_t>(c.controls[i]) + 0xFFFF);
        }
        s.WithdrawCheckEntries(log);
        EXPECT_EQ(log.Count(), 0);
    }
}

} // namespace
} // namespace qrv
