// The scan list, personality and DTMF system tables: what loads and is stored
// back, the references and their check, the timer rules and the edit record.
#include "records/dtmf_system_data.h"
#include "records/personality_data.h"
#include "records/scan_list_data.h"

#include "radio_data/notification.h"
#include "record_test_support.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using ScanLists = std::vector<std::unique_ptr<CScanListData>>;
using Kind = CNotification::Kind;
using test::Bytes;
using test::Slice;

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
    EXPECT_EQ(Slice(stored, 0x250, 32), Bytes(32, 0xFF));
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
    EXPECT_EQ(Slice(s.Record(), 8),
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

TEST(PersonalityRecord, TimerRulesAndPreAlertChoices)
{
    // Tx Admit, time-out, the size of the full pre-alert list, and what the rules give.
    const std::tuple<std::uint8_t, std::uint8_t, std::size_t, bool, bool, std::size_t> cases[] = {
        {0x01, 0x00, 11, true, false, 1},   // timer off: the first entry only
        {0x01, 0x00, 0, true, false, 0},    // no list at all
        {0x01, 0x03, 11, true, true, 3},    // the first T entries
        {0x02, 0x0F, 11, true, true, 11},   // fewer when the list is shorter
        {0x00, 0x3C, 11, false, true, 11},  // admission 0 leaves the list alone
        {0xFF, 0xFF, 300, true, true, 255}, // a blank record
    };
    for (const auto& [admit, timeOut, fullList, admitted, timerOn, choices] : cases) {
        CPersonalityData p;
        p.SetTxAdmit(admit);
        p.SetTimeOut(timeOut);
        EXPECT_EQ(std::tuple(p.TimersAdmitted(), p.TimeOutOn(), p.PreAlertChoices(fullList)),
                  std::tuple(admitted, timerOn, choices))
            << int(admit) << " " << int(timeOut) << " " << fullList;
    }
}

// Records load from 0x130 while byte 1 is not 0xFF, sixteen at most and never
// past 0x1B0 (a blank first record still loads), and store back bit for bit.
TEST(PersonalityTable, LoadCountsAndRoundTrip)
{
    for (const std::size_t count : {1, 3, 15, 16}) {
        for (const std::uint8_t beyond : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
            SCOPED_TRACE(testing::Message() << count << " " << int(beyond));
            Image image = test::PatternImage(37, 11);
            for (std::size_t r = 0; r < 16; ++r)
                image[0x130 + 8 * r + 1] = r < count ? 0x7E : 0xFF;
            std::fill(image.begin() + 0x1B0, image.end(), beyond);
            std::vector<std::unique_ptr<CPersonalityData>> personalities;
            LoadPersonalityTable(image, personalities);
            ASSERT_EQ(personalities.size(), count);
            EXPECT_TRUE(test::StoresBack(StorePersonalityTable, personalities, image, 0x130, 8));
        }
    }
    Image blank = test::FilledImage(0xFF);
    std::vector<std::unique_ptr<CPersonalityData>> personalities;
    LoadPersonalityTable(blank, personalities);
    ASSERT_EQ(personalities.size(), 1u);
    for (int i = 0; i < 16; ++i) // seventeen: the last is not stored
        personalities.push_back(std::make_unique<CPersonalityData>());
    std::uint16_t tableStart = 0;
    StorePersonalityTable(blank, personalities, tableStart);
    EXPECT_EQ(Slice(blank, 0x130, 8), Bytes(8, 0xFF));
    EXPECT_EQ(Slice(blank, 0x1A8, 8), Slice(CPersonalityData::kDefaultRecord));
    EXPECT_EQ(blank[0x1B0], 0xFF);
}

// Exactly one record loads, whatever the image holds. Bits 6-7 of byte 6 hold
// (records stored + 3) mod 4, in the image only; the records stop before the
// scan list table.
TEST(DtmfTable, LoadsOneRecordAndStoresTheCountCode)
{
    const Image image = test::PatternImage(7, 3);
    CDTMFSystemArray systems(2);
    LoadDTMFTable(image, systems);
    ASSERT_EQ(systems.size(), 1u);
    EXPECT_EQ(Slice(systems[0]->Record()), Slice(image, 0x1B0, 16));
    // Records (false: null), bytes 0x1B6, 0x1C6 and 0x200 (the sixth record) stored.
    const std::pair<std::vector<bool>, Bytes> cases[] = {
        {{true}, {0x3E, 0xFF, 0xFF}},
        {{true, false, true}, {0x7E, 0x7E, 0xFF}},
        {std::vector<bool>(9, true), {0x7E, 0x7E, 0x12}},
    };
    for (const auto& [records, codes] : cases) {
        systems.clear();
        for (const bool record : records)
            systems.push_back(record ? std::make_unique<CDTMFSystemData>() : nullptr);
        Image stored = test::FilledImage(0xFF);
        StoreDTMFTable(stored, systems);
        EXPECT_EQ((Bytes{stored[0x1B6], stored[0x1C6], stored[0x200]}), codes) << records.size();
        EXPECT_EQ(Slice(stored, 0x210, 0x40), Bytes(0x40, 0xFF)) << records.size();
        EXPECT_EQ(systems[0]->Record()[6], 0xFE);
    }
}

// No window takes this record; its texts, and what an unusable text keeps.
TEST(DtmfEditRecord, FillAndTakeTheTexts)
{
    test::CTestTexts texts("S0205308=0.Off;1.BOT;2.EOT;3.Both\r\nS0205343=0:100:2500:1:0:1:0\r\n"
                           "S0205349=5.80;6.100\r\nS0205351=5.80;6.100\r\n");
    CDTMFSystemData data;
    CDTMFEditRecord edit;
    edit.Fill(data, texts.Settings());
    EXPECT_EQ((std::vector<std::string>{edit.primaryId, edit.pttIdType, edit.pretime, edit.digitDuration}),
              (std::vector<std::string>{"12345678", "BOT", "2500", "80"}));
    EXPECT_EQ((std::vector<bool>{edit.sideTone, edit.shortBeep, edit.transmitTone}),
              (std::vector<bool>{false, true, true}));
    edit.primaryId = "9#";
    edit.sideTone = true;
    edit.pretime = "300";
    EXPECT_TRUE(edit.Take(data, texts.Settings()));
    // An unusable ID keeps the stored one; a text outside its list stores no entry; the rest is taken.
    edit.primaryId = "12G4";
    edit.pttIdType = "Both";
    edit.digitIntervalDuration = "no such entry";
    EXPECT_FALSE(edit.Take(data, texts.Settings()));
    EXPECT_EQ(Slice(data.Record()), test::Padded({0x9F, 0x00, 0x00, 0x00, 0x02, 0x03, 0xFF, 0x03, 0x05, 0xFF}, 16));
}

} // namespace
} // namespace qrv
