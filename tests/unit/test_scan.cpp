// The scan list table, its channel references and their check.
#include "records/scan_list_data.h"

#include "radio_data/notification.h"
#include "record_test_support.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using ScanLists = std::vector<std::unique_ptr<CScanListData>>;
using Kind = CNotification::Kind;

TEST(ScanTable, LoadCountsAndRoundTripKeepsEveryBit)
{
    // Byte 4 of the first and the second record (-1: the pattern's), and the lists loaded.
    const std::tuple<int, int, std::size_t> cases[] = {{-1, 0xFF, 1}, {-1, 0x03, 2}, {0xFF, 0xFF, 1}, {0xFF, 0x05, 2}};
    ScanLists lists;
    for (const auto& [first, second, count] : cases) {
        SCOPED_TRACE(testing::Message() << first << " " << second);
        Image image = test::PatternImage(53, 5); // 0x254 is not 0xFF: no third record is read
        if (first >= 0)
            image[0x214] = static_cast<std::uint8_t>(first);
        image[0x234] = static_cast<std::uint8_t>(second);
        LoadScanTable(image, lists);
        ASSERT_EQ(lists.size(), count);
        EXPECT_TRUE(test::StoresBack(StoreScanTable, lists, image, 0x210, 32));
    }
    lists.resize(3); // two at most are stored
    lists[2] = std::make_unique<CScanListData>();
    Image stored = test::FilledImage(0xFF);
    std::uint16_t tableStart = 0;
    StoreScanTable(stored, lists, tableStart);
    EXPECT_EQ(test::Slice(stored, 0x250, 32), test::Bytes(32, 0xFF));
}

TEST(ScanReferences, ResolveAndStoreFollowTheChannels)
{
    test::Records channels(5);
    channels.owned[2].SetValid(false);
    // Slot 8, designated and priority number, and the channel they resolve to.
    const std::pair<std::uint8_t, std::uint32_t> cases[] = {{0, 0}, {0xFF, 0},           {6, 0},
                                                            {3, 0}, {1, channels.Id(0)}, {5, channels.Id(4)}};
    for (const auto& [number, expected] : cases) {
        CScanListData s;
        s.Record()[16 + 7] = s.Record()[11] = s.Record()[8] = number;
        s.Resolve(channels.refs);
        EXPECT_EQ((std::vector<std::uint32_t>{s.MemberId(7), s.DesignatedId(), s.PriorityId(), s.SecondPriorityId()}),
                  (std::vector<std::uint32_t>{expected, expected, expected, 0}))
            << int(number);
    }
    channels.owned[2].SetValid(true);
    CScanListData s;
    s.Record()[11] = 4; // designated: channel 4
    s.Record()[8] = 2;  // priority: channel 2
    s.Resolve(channels.refs);
    channels.refs.erase(channels.refs.begin() + 1); // channel 2 goes, 3..5 move up
    channels.owned[0].SetValid(false);              // an invalid channel is no channel
    s.StoreIdentities(channels.refs);
    // Slot 2 lost its channel; the numbers 6..16 named no channel; byte 9 is not edited.
    EXPECT_EQ(test::Slice(s.Record(), 8),
              test::Padded({0xFF, 0x02, 0xF8, 0x03, 0x03, 0x0F, 0xFE, 0xFF, 0xFF, 0xFF, 0x02, 0x03, 0x04}, 24));
}

// Kinds 5, 7 and 8 check the slots in use; other notices do not.
TEST(ScanCheck, MemberSlotEntries)
{
    std::string texts = "S0203800=Configuration\r\nS0203801=Scan\r\nS0203803=Channel List\r\n";
    for (int k = 1; k <= 16; ++k)
        texts += Format("S02%05d=Slot %d\r\n", CScanListData::kFirstSlotLabel + k, k);
    test::CTestTexts program(texts);
    const CSettings& settings = program.Settings();
    constexpr int kSlot2 = CScanListData::kFirstSlotControl + 2;
    constexpr int kSlot3 = CScanListData::kFirstSlotControl + 3;
    test::Records channels(16);
    CScanListData s;
    s.SetEntryCount(3);
    s.Resolve(channels.refs);
    CInvalidLog log;
    s.Check(CNotification{Kind::Deleted, 0}, channels.refs, log, settings);
    channels.refs.erase(channels.refs.begin() + 1); // slot 2's channel
    channels.owned[10].SetValid(false);             // slot 11's channel, beyond the used slots
    channels.owned[2].SetValid(false);              // slot 3's channel
    for (const Kind kind : {Kind::Edited, Kind::Navigated, Kind::Added, Kind::CellEdited, Kind::VoxChanged})
        s.Check(CNotification{kind, 0}, channels.refs, log, settings);
    EXPECT_EQ(log.Count(), 0);
    for (const Kind kind : {Kind::Deleted, Kind::CheckAll, Kind::ValidChanged}) {
        log.Clear();
        s.Check(CNotification{kind, 0}, channels.refs, log, settings);
        ASSERT_EQ(log.Count(), 2) << static_cast<int>(kind);
    }
    EXPECT_EQ(test::Fields(log.Entries()[0]), test::EntryFields(kSlot2, "Slot 2", "Scan : Channel List",
                                                                s.TreeId() + kSlot2 + CScanListData::kKeyOffset));
    EXPECT_EQ(test::Fields(log.Entries()[1]), test::EntryFields(kSlot3, "Slot 3", "Scan : Channel List",
                                                                s.TreeId() + kSlot3 + CScanListData::kKeyOffset));
    for (const int slot : {0, 2, 17}) // 0 and 17: no such slot
        s.WithdrawSlotEntry(slot, log);
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.Entries()[0].control, kSlot3);
    s.WithdrawCheckEntries(log);
    EXPECT_EQ(log.Count(), 0);
}

} // namespace
} // namespace qrv
