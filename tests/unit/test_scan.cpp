// The scan list record, its table, its channel references and their check.
#include "records/scan_list_data.h"

#include "radio_data/invalid_log.h"
#include "radio_data/notification.h"
#include "record_test_support.h"
#include "records/channel_data.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qrv {
namespace {

using test::FilledImage;
using Record = std::array<std::uint8_t, CScanListData::kRecordSize>;
using Channels = std::vector<std::unique_ptr<CChannelData>>;
using ScanLists = std::vector<std::unique_ptr<CScanListData>>;

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
    // The fields that share a byte with others read their own bits only.
    EXPECT_EQ(s.ScanMode(), 3);
    EXPECT_EQ(s.PriorityMode(), 0);
    EXPECT_EQ(s.TxMode(), 0);
    EXPECT_TRUE(s.Talkback());
    EXPECT_TRUE(s.StartAlert());
    EXPECT_TRUE(s.EndAlert());
    EXPECT_FALSE(s.IncludeCurrentChannel());
    EXPECT_EQ(s.MemberNumber(15), 16);
    EXPECT_EQ(s.MemberNumber(16), 0xFF); // no such slot
}

TEST(ScanRecord, SettersChangeOnlyTheirBits)
{
    struct Case {
        const char* name;
        void (*set)(CScanListData&);
        std::size_t byte;
        std::uint8_t before, after;
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

TEST(ScanRecord, ModesPutChannelsToUse)
{
    // Byte 10 (transmit mode in bits 0-2), byte 6 (priority mode in bits 0-1), and what they put to use.
    struct Case {
        std::uint8_t byte10, byte6;
        bool designated, priority, sweep;
    };
    const Case cases[] = {
        {0xF8, 0xC0, false, false, false}, {0xF9, 0xC1, true, true, true},   {0x0A, 0x02, false, false, true},
        {0xF1, 0xFD, true, true, true},    {0xFB, 0xC3, false, false, true}, {0x09, 0xFC, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.byte10) << " " << int(c.byte6));
        CScanListData s;
        s.Record()[10] = c.byte10;
        s.Record()[6] = c.byte6;
        EXPECT_EQ(s.DesignatedInUse(), c.designated);
        EXPECT_EQ(s.PriorityChannelInUse(), c.priority);
        EXPECT_EQ(s.SweepTimeInUse(), c.sweep);
    }
}

TEST(ScanTable, LoadCountsAndRoundTripKeepsEveryBit)
{
    // Byte 4 of the first and the second record (-1: the pattern's), and the lists loaded.
    struct Case {
        int first, second;
        std::size_t count;
    };
    for (const Case& c : {Case{-1, 0xFF, 1}, Case{-1, 0x03, 2}, Case{0xFF, 0xFF, 1}, Case{0xFF, 0x05, 2}}) {
        SCOPED_TRACE(testing::Message() << c.first << " " << c.second);
        Image image = test::PatternImage(53, 5); // 0x254 is not 0xFF: no third record is read
        if (c.first >= 0)
            image[0x214] = static_cast<std::uint8_t>(c.first);
        image[0x234] = static_cast<std::uint8_t>(c.second);
        ScanLists lists;
        LoadScanTable(image, lists);
        ASSERT_EQ(lists.size(), c.count);
        Image stored = FilledImage(0xFF);
        std::uint16_t tableStart = 0;
        StoreScanTable(stored, lists, tableStart);
        EXPECT_EQ(tableStart, 0x210);
        EXPECT_TRUE(test::OnlyCopied(stored, image, 0x210, 0x210 + 32 * c.count));
    }
}

TEST(ScanTable, NewListsStoreTheDefaultRecordTwoAtMost)
{
    ScanLists lists;
    for (int i = 0; i < 3; ++i)
        lists.push_back(std::make_unique<CScanListData>());
    Channels channels = MakeChannels(16);
    lists[0]->Resolve(Refs(channels)); // the numbers of a new list name the same channels again
    lists[0]->StoreIdentities(Refs(channels));
    Image stored = FilledImage(0xFF);
    std::uint16_t tableStart = 0;
    StoreScanTable(stored, lists, tableStart);
    Image expected = FilledImage(0xFF);
    for (const std::ptrdiff_t at : {0x210, 0x230})
        std::copy(CScanListData::kDefaultRecord.begin(), CScanListData::kDefaultRecord.end(), expected.begin() + at);
    EXPECT_EQ(stored, expected);
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
    // Slot 2 lost its channel; the numbers 6..16 named no channel.
    EXPECT_EQ(test::Slice(r, 16), (test::Bytes{0x01, 0xFF, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                               0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(r[11], 3);
    EXPECT_EQ(r[8], 0xFF);
    EXPECT_EQ(r[9], 0x02); // byte 9 is not edited

    channels[0]->SetValid(false);
    s.StoreIdentities(Refs(channels));
    EXPECT_EQ(s.Record()[16], 0xFF); // an invalid channel is no channel
}

std::string CheckTexts()
{
    std::string texts = "S0203800=Configuration\r\nS0203801=Scan\r\nS0203803=Channel List\r\n"
                        "S0203835=Priority Channel\r\nS0203849=Designated Channel\r\n";
    for (int k = 1; k <= 16; ++k)
        texts += Format("S02%05d=Slot %d\r\n", CScanListData::kFirstSlotLabel + k, k);
    return texts;
}

class ScanCheck : public ::testing::Test {
protected:
    const CSettings& Settings() { return m_texts.Settings(); }

    test::CTestTexts m_texts{CheckTexts()};
};

TEST_F(ScanCheck, ReactsOnlyToDeletionsFullChecksAndValidChanges)
{
    Channels channels = MakeChannels(2); // slots 3..16 name no channel
    CScanListData s;
    s.Resolve(Refs(channels));
    CInvalidLog log;
    using Kind = CNotification::Kind;
    for (const Kind kind : {Kind::Edited, Kind::Navigated, Kind::Added, Kind::CellEdited, Kind::VoxChanged}) {
        s.Check(CNotification{kind, 0}, Refs(channels), log, Settings());
        EXPECT_EQ(log.Count(), 0) << static_cast<int>(kind);
    }
    for (const Kind kind : {Kind::Deleted, Kind::CheckAll}) {
        s.Check(CNotification{kind, 0}, Refs(channels), log, Settings());
        EXPECT_EQ(log.Count(), 14);
        log.Clear();
    }
    s.Check(CNotification{CNotification::Kind::ValidChanged, 0}, Refs(channels), log, Settings());
    EXPECT_EQ(log.Count(), 14);
}

TEST_F(ScanCheck, MemberSlotEntries)
{
    constexpr int kSlot2 = CScanListData::kFirstSlotControl + 2;
    constexpr int kSlot3 = CScanListData::kFirstSlotControl + 3;
    Channels channels = MakeChannels(16);
    CScanListData s;
    s.SetEntryCount(3);
    s.Resolve(Refs(channels));
    CInvalidLog log;
    s.Check(CNotification{CNotification::Kind::Deleted, 0}, Refs(channels), log, Settings());
    EXPECT_EQ(log.Count(), 0);

    channels.erase(channels.begin() + 1); // slot 2's channel
    channels[9]->SetValid(false);         // slot 11's channel, beyond the used slots
    channels[1]->SetValid(false);         // slot 3's channel
    s.Check(CNotification{CNotification::Kind::Deleted, 0}, Refs(channels), log, Settings());
    ASSERT_EQ(log.Count(), 2);
    EXPECT_EQ(test::Fields(log.Entries()[0]), test::EntryFields(kSlot2, "Slot 2", "Scan : Channel List",
                                                                s.TreeId() + kSlot2 + CScanListData::kKeyOffset));
    EXPECT_EQ(test::Fields(log.Entries()[1]), test::EntryFields(kSlot3, "Slot 3", "Scan : Channel List",
                                                                s.TreeId() + kSlot3 + CScanListData::kKeyOffset));

    s.WithdrawSlotEntry(2, log);
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.Entries()[0].control, kSlot3);
    s.WithdrawSlotEntry(0, log);  // no such slot
    s.WithdrawSlotEntry(17, log); // no such slot
    EXPECT_EQ(log.Count(), 1);
    s.WithdrawCheckEntries(log);
    EXPECT_EQ(log.Count(), 0);
}

TEST_F(ScanCheck, DesignatedAndPriorityOnlyWhenInUse)
{
    constexpr int kDesignated = CScanListData::kDesignatedControl;
    constexpr int kPriority = CScanListData::kPriorityControl;
    struct Case {
        const char* name;
        std::uint8_t txMode, priorityMode;
        std::vector<int> controls;
    };
    const Case cases[] = {
        {"neither in use", 0, 0, {}},    {"tx mode 2, priority mode 2", 2, 2, {}}, {"designated", 1, 0, {kDesignated}},
        {"priority", 0, 1, {kPriority}}, {"both", 1, 1, {kDesignated, kPriority}},
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
        s.Check(CNotification{CNotification::Kind::Deleted, 0}, Refs(channels), log, Settings());
        ASSERT_EQ(log.Count(), static_cast<int>(c.controls.size()));
        for (std::size_t i = 0; i < c.controls.size(); ++i) {
            const int control = c.controls[i];
            EXPECT_EQ(test::Fields(log.Entries()[i]),
                      test::EntryFields(control, control == kDesignated ? "Designated Channel" : "Priority Channel",
                                        "Scan : Configuration",
                                        s.TreeId() + static_cast<std::uint32_t>(control) + 0xFFFF));
        }
        s.WithdrawCheckEntries(log);
        EXPECT_EQ(log.Count(), 0);
    }
}

} // namespace
} // namespace qrv
