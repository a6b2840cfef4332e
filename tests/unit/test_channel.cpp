// The frequency word, the raster rule and the frequency-edit entry; the
// CTCSS and CDCSS tables and the tone texts; the channel table and its
// links, the edit record (whose rows pin the tone word's bits) and the
// channel check. The scan list, personality and DTMF system tables: what
// loads and is stored back, the references and their check, the timer rules
// and the edit record.
#include "records/channel_data.h"

#include "radio_data/notification.h"
#include "record_test_support.h"
#include "records/dtmf_system_data.h"
#include "records/frequency.h"
#include "records/personality_data.h"
#include "records/scan_list_data.h"
#include "records/tones.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

constexpr std::uint32_t kLower = 40000000; // 400 MHz
constexpr std::uint32_t kUpper = 47000000; // 470 MHz

TEST(FrequencyWord, UnitsWordAndText)
{
    // 10 Hz units, the BCD word, its text with five decimals of MHz.
    const std::tuple<std::uint32_t, std::uint32_t, const char*> cases[] = {
        {44600625, 0x44600625, "446.00625"}, {0, 0x00000000, "0.00000"}, {99999999, 0x99999999, "999.99999"}};
    for (const auto& [units, word, text] : cases) {
        EXPECT_EQ(FrequencyWordFromUnits(units), word) << text;
        EXPECT_EQ(UnitsFromFrequencyWord(word), units) << text;
        EXPECT_EQ(FrequencyText(word), text);
    }
    // No frequency and words that are not BCD have no units and no text.
    for (const std::uint32_t word : {kNoFrequency, 0x4460062Au, 0xA0000000u, 0x000000F0u}) {
        EXPECT_FALSE(UnitsFromFrequencyWord(word).has_value()) << word;
        EXPECT_EQ(FrequencyText(word), "") << word;
    }
}

// The one reading of a MHz text: the frequency edits, the grids, the test
// frequencies and CSV import all take it. The sixth decimal rounds, half up;
// nothing that rounds above 999.99999 is read.
TEST(ParseMHz, OneRuleForSeparatorsAndRounding)
{
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"446.00625", 44600625}, {"446,00625", 44600625},      {" 446.1 ", 44610000},    {"446.", 44600000},
        {".5", 50000},           {"0446.5", 44650000},         {"446.000044", 44600004}, {"446.000045", 44600005},
        {"999.99999", 99999999}, {"999.999995", std::nullopt}, {"1000", std::nullopt},   {"", std::nullopt},
        {".", std::nullopt},     {"1.2.3", std::nullopt},      {"-446", std::nullopt},   {"446.00,1", std::nullopt},
        {"4 46", std::nullopt},  {"1e3", std::nullopt}};
    for (const auto& [text, units] : cases)
        EXPECT_EQ(ParseMHz(text), units) << '"' << text << '"';
}

TEST(FrequencyEntry, Examples)
{
    // Text, word, empty allowed, step code, clamped. 6.25 kHz wins on both rasters;
    // on neither, the frequency rounds down to 6.25 kHz.
    // clang-format off
    const std::tuple<const char*, std::uint32_t, bool, std::uint8_t, bool> cases[] = {
        {"446.00625", 0x44600625, true, 3, false},
        {"446.005", 0x44600500, true, 2, false},
        {"446.025", 0x44602500, true, 3, false},
        {"446.013", 0x44601250, true, 3, false},
        {"446.006245", 0x44600625, true, 3, false}, // + 0.5 before truncating
        {"400", 0x40000000, true, 3, false},        // the bounds themselves are inside
        {"470", 0x47000000, true, 3, false},
        {"399.99999", 0x40000000, true, 3, true},   // below: lower bound
        {"470.00001", 0x47000000, true, 3, true},   // above: upper bound
        {".", 0x40000000, true, 3, true},
        {"", kNoFrequency, true, kNoStepCode, false},
        {"", 0x40000000, false, 3, true},           // empty not allowed: 0, then clamped
    };
    // clang-format on
    for (const auto& [text, word, emptyAllowed, stepCode, clamped] : cases) {
        const CFreqEntry entry = EnterFrequency(text, kLower, kUpper, emptyAllowed);
        EXPECT_EQ(std::tuple(entry.word, entry.stepCode, entry.clamped), std::tuple(word, stepCode, clamped)) << text;
    }
}

TEST(FrequencyEntry, WholeMHzAsUnits)
{
    // Within 0 to 999.99999; the clamp of a channel's words is the channel edit tests' rows.
    const std::pair<int, std::uint32_t> mhz[] = {{400, kLower}, {136, 13600000}, {0, 0}, {-5, 0}, {5000, 99999999}};
    for (const auto& [whole, units] : mhz)
        EXPECT_EQ(UnitsFromMHz(whole), units) << whole;
}

TEST(TonesTexts, EveryIndexShowsItsTableValueAndIsFoundByIt)
{
    // Kind (true: CTCSS), index, text; none outside the tables.
    const std::tuple<bool, std::size_t, const char*> cases[] = {
        {true, 1, "63.0"}, {true, 51, "254.1"}, {true, 0, ""},    {true, 52, ""},
        {false, 1, "017"}, {false, 107, "754"}, {false, 108, ""},
    };
    for (const auto& [ctcss, index, text] : cases)
        EXPECT_EQ(ctcss ? CtcssText(index) : CdcssText(index), text) << index;
    for (std::size_t i = 1; i <= kCtcssCount; ++i)
        EXPECT_EQ(CtcssFromText(CtcssText(i)), (CToneLookup{static_cast<std::uint16_t>(i), false})) << i;
    for (std::size_t i = 1; i <= kCdcssCount; ++i)
        EXPECT_EQ(CdcssFromText(CdcssText(i)), (CToneLookup{static_cast<std::uint16_t>(i), false})) << i;
}

TEST(TonesLookup, ValuesAreClampedBeforeTheLookup)
{
    // CTCSS: tenths + 0.001, truncated, within 40.0-300.0 Hz; CDCSS: 777 at most.
    const std::tuple<bool, const char*, long long> values[] = {
        {true, "20.0", 400}, {true, "300.1", 3000}, {true, "69.3", 693}, {false, "800", 777}, {false, "776", 776},
    };
    for (const auto& [ctcss, text, value] : values)
        EXPECT_EQ(ctcss ? CtcssValueFromText(text) : CdcssValueFromText(text), value) << text;
    // Kind, text, index found, not in the table.
    const std::tuple<bool, const char*, std::uint16_t, bool> cases[] = {
        {true, "67.0", 2, false},   {true, "66.6", 0xFF, true}, {true, "20.0", 0xFF, true},   // clamped to 40.0
        {true, "100", 14, false},   {true, "", 0xFF, true},     {true, "69.29995", 3, false}, // + 0.001, truncated
        {false, "23", 2, false},    {false, "800", 0xFF, true},                               // looked up as 777
        {false, "754", 107, false}, {false, "024", 0xFF, true},
    };
    for (const auto& [ctcss, text, index, notInTable] : cases)
        EXPECT_EQ(ctcss ? CtcssFromText(text) : CdcssFromText(text), (CToneLookup{index, notInTable})) << text;
}

using Channels = std::vector<std::unique_ptr<CChannelData>>;
constexpr CBand kBand{kLower, kUpper};

std::uint16_t Address(std::size_t i)
{
    return static_cast<std::uint16_t>(0x580 + 20 * i);
}

// A patterned image whose channel area is a list of count records with the
// link words the store writes, so that a round trip must give it back.
Image LinkedImage(std::size_t count)
{
    Image image = test::PatternImage(29, 7);
    for (std::size_t i = 0; i < count; ++i) {
        PutLe16(image, Address(i), i == 0 ? Address(count - 1) : Address(i - 1));
        PutLe16(image, Address(i) + 2, i + 1 == count ? 0x580 : Address(i + 1));
        if (image[Address(i) + 18] == 0xFF)
            image[Address(i) + 18] = 0x07;
    }
    return image;
}

TEST(ChannelTable, ListEndRules)
{
    // Head, record whose next word or byte 18 is changed (-1: kept), and the
    // channels loaded (0: one default channel instead).
    const std::tuple<const char*, std::uint16_t, std::size_t, int, int, std::size_t> cases[] = {
        {"full list", 0x580, 0, -1, -1, 16},
        {"head 0x6C0 is accepted", 0x6C0, 0, -1, -1, 16},
        {"byte 18 = 0xFF ends", 0x580, 2, -1, 0xFF, 3},
        {"byte 18 = 0xFF on the first", 0x580, 0, -1, 0xFF, 1},
        {"next below the table", 0x580, 4, 0x057F, -1, 5},
        {"next above the table", 0x580, 4, 0x06C1, -1, 5},
        {"next 0x6C0 goes on", 0x580, 4, 0x06C0, -1, 16},
        {"next equals the head", 0x580, 6, 0x0580, -1, 7},
        {"a head other than 0x580", 0x6AC, 0, -1, -1, 15}, // record 14 points at it
        {"next does not choose the record", 0x580, 0, 0x0670, -1, 16},
        {"sixteen at most, whatever the links say", 0x580, 15, 0x0594, -1, 16},
        {"head below the table", 0x057F, 0, -1, -1, 0},
        {"head above the table", 0x06C1, 0, -1, -1, 0},
    };
    for (const auto& [name, head, endAt, nextWord, byte18, expected] : cases) {
        SCOPED_TRACE(name);
        Image image = LinkedImage(16);
        if (nextWord >= 0)
            PutLe16(image, Address(endAt) + 2, static_cast<std::uint16_t>(nextWord));
        if (byte18 >= 0)
            image[Address(endAt) + 18] = static_cast<std::uint8_t>(byte18);
        Channels channels;
        LoadChannelTable(image, head, channels);
        ASSERT_EQ(channels.size(), std::max<std::size_t>(expected, 1));
        if (expected == 0) {
            EXPECT_EQ(channels[0]->Record(), CChannelData(std::size_t{0}).Record());
        }
        for (std::size_t i = 0; i < expected; ++i)
            EXPECT_EQ(test::Slice(channels[i]->Record()), test::Slice(image, Address(i), 20)) << i;
    }
}

// The store links the records both ways, the last back to 0x580 (a fault
// once linked each record to itself); sixteen at most, none: nothing written.
TEST(ChannelTable, StoreLinksTheRecordsAndRoundTrips)
{
    for (const std::size_t count : {1, 3, 16}) {
        const Image image = LinkedImage(count);
        Channels channels;
        LoadChannelTable(image, 0x580, channels);
        ASSERT_EQ(channels.size(), count);
        Image stored = test::FilledImage(0xFF);
        std::uint16_t head = 0;
        StoreChannelTable(stored, channels, head);
        EXPECT_EQ(head, 0x580);
        EXPECT_TRUE(test::SameImage(stored, test::ImageWith(0x580, test::Slice(image, 0x580, 20 * count)))) << count;
    }
    Channels channels;
    Image stored = test::FilledImage(0xFF);
    std::uint16_t head = 0x1234;
    StoreChannelTable(stored, channels, head);
    EXPECT_EQ(head, 0x1234);
    EXPECT_TRUE(test::SameImage(stored, test::FilledImage(0xFF)));
    for (std::size_t n = 0; n < 17; ++n)
        channels.push_back(std::make_unique<CChannelData>(n));
    StoreChannelTable(stored, channels, head);
    EXPECT_EQ((std::vector<std::uint16_t>{GetLe16(stored, 0x580), GetLe16(stored, 0x582), GetLe16(stored, 0x594)}),
              (std::vector<std::uint16_t>{0x06AC, 0x0594, 0x0580}));
    EXPECT_EQ(test::Slice(stored, Address(16)), test::Bytes(kImageSize - Address(16), 0xFF));
}

TEST(ChannelCheck, ReportsAMissingOrInvalidPersonalityOnDeletionsOnly)
{
    test::CTestTexts texts("S0203655=Channel\r\nS0203657=Miscellaneous\r\nS0203702=Personality List\r\n");
    using Kind = CNotification::Kind;
    std::vector<std::unique_ptr<CPersonalityData>> personalities(2);
    personalities[0] = std::make_unique<CPersonalityData>();
    personalities[1] = std::make_unique<CPersonalityData>();
    CChannelData channel(std::size_t{0});
    channel.SetPersonalityPosition(1);
    channel.ResolvePersonality(personalities);
    EXPECT_EQ(channel.PersonalityId(), personalities[1]->TreeId());
    CInvalidLog log;
    channel.Check({Kind::Deleted, 0}, 3, personalities, log, texts.Settings());
    personalities.pop_back();
    for (const Kind kind : {Kind::Edited, Kind::Added, Kind::CellEdited, Kind::ValidChanged, Kind::VoxChanged})
        channel.Check({kind, 0}, 3, personalities, log, texts.Settings());
    EXPECT_EQ(log.Count(), 0);
    channel.Check({Kind::Deleted, 0}, 3, personalities, log, texts.Settings());
    channel.Check({Kind::Deleted, 0}, 3, personalities, log, texts.Settings());
    ASSERT_EQ(log.Count(), 1); // one entry per key
    EXPECT_EQ(test::Fields(log.Entries()[0]),
              test::EntryFields(CChannelData::kPersonalityControl, "Personality List", "Channel - 3 : Miscellaneous",
                                channel.TreeId() + CChannelData::kPersonalityKeyOffset));
    EXPECT_EQ(channel.PersonalityPosition(), 1); // the channel keeps its byte 18
    channel.WithdrawCheckEntries(log);
    EXPECT_EQ(log.Count(), 0);
    personalities[0]->SetValid(false); // there, but not valid: resolves to none and is reported
    channel.SetPersonalityPosition(0);
    channel.ResolvePersonality(personalities);
    EXPECT_EQ(channel.PersonalityId(), 0u);
    channel.Check({Kind::Deleted, 0}, 16, personalities, log, texts.Settings());
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.Entries()[0].text, "Channel - 16 : Miscellaneous");
}

class ChannelEdit : public ::testing::Test {
protected:
    static CChannelEditRecord Filled(const CChannelData& channel)
    {
        CChannelEditRecord edit;
        channel.FillEditRecord(edit);
        return edit;
    }

    test::CTestTexts m_texts{"S0101322=not in table %s\r\n"};
};

// A code outside the tables (a damaged file, another program) is shown as
// it is, never as another tone, and storing the channel keeps it.
TEST_F(ChannelEdit, ToneCodesOutsideTheTablesAreShownAndKept)
{
    // Word, shown CTCSS and CDCSS texts, type.
    const std::tuple<std::uint16_t, const char*, const char*, std::uint8_t> cases[] = {
        {0x4000, "not in table 0x000", "023", 1},  // type 1, index 0
        {0x4034, "not in table 0x034", "023", 1},  // type 1, index 52
        {0x4033, "254.1", "023", 1},               // the last CTCSS tone
        {0x6033, "not in table 0x033", "023", 1},  // the word says: not in the table
        {0x806C, "67.0", "not in table 0x06C", 2}, // type 2, index 108
        {0xC06B, "67.0", "754", 3},
        {0x1FFF, "67.0", "023", 0}, // no tone: the other fields show the defaults
    };
    for (const auto& [word, ctcss, cdcss, type] : cases) {
        CChannelData channel(std::size_t{0});
        channel.SetRxTone(word);
        channel.SetTxTone(word);
        const auto before = channel.Record();
        const CChannelEditRecord edit = Filled(channel);
        EXPECT_EQ(ShownToneText(edit.rxCtcss, true, m_texts.Settings()), ctcss) << word;
        EXPECT_EQ(ShownToneText(edit.rxCdcss, false, m_texts.Settings()), cdcss) << word;
        EXPECT_EQ(std::tuple(edit.rxType, edit.txCtcss, edit.txCdcss), std::tuple(type, edit.rxCtcss, edit.rxCdcss));
        channel.TakeEditRecord(edit, kBand);
        EXPECT_EQ(channel.Record(), before) << word;
    }
}

TEST_F(ChannelEdit, TakeStoresTones)
{
    // Type, CTCSS and CDCSS texts, and the word stored from 0x500C.
    const std::tuple<std::uint8_t, const char*, const char*, std::uint16_t> cases[] = {
        // A look-up outside the table keeps the stored index (the windows refuse such typing).
        {1, "67.0", "", 0x5002},   {1, "66.6", "", 0x500C}, {1, "254.1", "", 0x5033},   {2, "", "023", 0x9002},
        {3, "", "800", 0xD00C},    {3, "", "754", 0xD06B},  {0, "67.0", "023", 0x100C}, // type 0: the tone bits stay
        {0xFF, "", "023", 0xD002}, // a type beyond the list: cut to the two type bits
    };
    for (const auto& [type, ctcss, cdcss, word] : cases) {
        CChannelData channel(std::size_t{0});
        CChannelEditRecord edit = Filled(channel);
        edit.rxType = edit.txType = type;
        edit.rxCtcss = edit.txCtcss = CtcssFromText(ctcss);
        edit.rxCdcss = edit.txCdcss = CdcssFromText(cdcss);
        channel.TakeEditRecord(edit, kBand);
        EXPECT_EQ(std::pair(channel.RxTone(), channel.TxTone()), std::pair(word, word)) << ctcss << cdcss;
    }
}

TEST_F(ChannelEdit, TakeStoresFrequenciesClampedStepsAndLists)
{
    // Receive and transmit words taken, stored, whether clamped and valid.
    const std::tuple<const char*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, bool, bool> cases[] = {
        {"both inside", 0x44600625, 0x44000000, 0x44600625, 0x44000000, false, true},
        {"both outside", 0x39999375, 0x47000625, 0x40000000, 0x47000000, true, true},
        {"the bounds are inside", 0x40000000, 0x47000000, 0x40000000, 0x47000000, false, true},
        {"rx only is not clamped", 0x13600000, kNoFrequency, 0x13600000, kNoFrequency, false, true},
        {"no rx empties tx", kNoFrequency, 0x44600625, kNoFrequency, kNoFrequency, false, false},
    };
    for (const auto& [name, rx, tx, storedRx, storedTx, clamped, valid] : cases) {
        CChannelData channel(std::size_t{0});
        CChannelEditRecord edit = Filled(channel);
        edit.rxFrequency = rx;
        edit.txFrequency = tx;
        EXPECT_EQ(channel.TakeEditRecord(edit, kBand), clamped) << name;
        EXPECT_EQ(std::tuple(channel.RxFrequency(), channel.TxFrequency(), channel.IsValid()),
                  std::tuple(storedRx, storedTx, valid))
            << name;
    }
    // List entries and step codes (none: 0xF) go into bytes 16 and 17.
    CChannelData channel(std::size_t{3});
    CChannelEditRecord edit = Filled(channel);
    edit.rxStepCode = 2;
    edit.txStepCode = kNoStepCode;
    edit.spacing = 1; // "25K"
    edit.power = 1;   // "High"
    EXPECT_FALSE(channel.TakeEditRecord(edit, kBand));
    EXPECT_EQ(test::Slice(channel.Record(), 16, 2), (test::Bytes{0xF2, 0x11}));
}

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
