// The channel record, the channel table, the edit record and the channel check.
#include "records/channel_data.h"

#include "radio_data/invalid_log.h"
#include "radio_data/notification.h"
#include "record_test_support.h"
#include "records/personality_data.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qrv {
namespace {

using test::FilledImage;
using Record = std::array<std::uint8_t, CChannelData::kRecordSize>;
using Channels = std::vector<std::unique_ptr<CChannelData>>;
using Personalities = std::vector<std::unique_ptr<CPersonalityData>>;

constexpr const char* kTexts = "S0203655=Channel\r\nS0203657=Miscellaneous\r\nS0203702=Personality List\r\n"
                               "S0203661=0.12.5K;1.25K\r\nS0203663=0.Low;1.High\r\n"
                               "S0203668=0.None;1.CTCSS;2.CDCSS;3.CDCSS Invert\r\n"
                               "S0203677=0.Off;1.CTCSS;2.CDCSS;3.CDCSS Invert\r\n"
                               "S0101322=not in table %s\r\n";

class ChannelEdit : public ::testing::Test {
protected:
    static constexpr CBand kBand{40000000, 47000000}; // 400-470 MHz
    CSettings& Settings() { return m_texts.Settings(); }

    test::CTestTexts m_texts{kTexts};
};

std::uint16_t Address(std::size_t i)
{
    return static_cast<std::uint16_t>(0x580 + 20 * i);
}

bool RecordAt(const CChannelData& channel, const Image& image, std::size_t i)
{
    return std::equal(channel.Record().begin(), channel.Record().end(), image.begin() + Address(i));
}

Channels DefaultChannels(std::size_t count)
{
    Channels channels;
    for (std::size_t n = 0; n < count; ++n)
        channels.push_back(std::make_unique<CChannelData>(n));
    return channels;
}

// A patterned image whose channel area forms a list of count records with
// the link words the store writes, so that a round trip must give it back.
Image PatternImage(std::size_t count)
{
    Image image = test::PatternImage(29, 7);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = Address(i);
        PutLe16(image, at, i == 0 ? Address(count - 1) : Address(i - 1));
        PutLe16(image, at + 2, i + 1 == count ? 0x580 : Address(i + 1));
        if (image[at + 18] == 0xFF)
            image[at + 18] = 0x07;
    }
    return image;
}

TEST(ChannelDefaults, EveryRecordByteExact)
{
    // Frequency word (6.25 kHz raster, step code 3) and CTCSS index of channels 0..15.
    const std::pair<std::uint32_t, std::uint8_t> cases[16] = {
        {0x44600625, 12}, {0x44601875, 13}, {0x44603125, 14}, {0x44604375, 15}, {0x44605625, 16}, {0x44606875, 17},
        {0x44608125, 18}, {0x44609375, 19}, {0x44600625, 20}, {0x44601875, 21}, {0x44603125, 22}, {0x44604375, 23},
        {0x44605625, 24}, {0x44606875, 25}, {0x44608125, 26}, {0x44609375, 27},
    };
    Channels channels;
    MakeDefaultChannels(channels);
    ASSERT_EQ(channels.size(), 16u);
    for (std::size_t n = 0; n < 16; ++n) {
        SCOPED_TRACE(n);
        // Tone words 0x50xx: type 1, bit 12 kept from the 0xFF fill; only channel 15 starts the scan.
        Record expected{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x50, 0, 0x50, 0x33, 0x00, 0x00, 0x00};
        PutLe32(expected, 4, cases[n].first);
        PutLe32(expected, 8, cases[n].first);
        expected[12] = expected[14] = cases[n].second;
        expected[19] = n == 15 ? 0x40 : 0x00;
        EXPECT_EQ(CChannelData(n).Record(), expected);
        EXPECT_EQ(channels[n]->Record(), expected);
        EXPECT_TRUE(channels[n]->IsValid());
    }
    // The documented first and last records.
    EXPECT_EQ(CChannelData(std::size_t{0}).Record(),
              (Record{0xFF, 0xFF, 0xFF, 0xFF, 0x25, 0x06, 0x60, 0x44, 0x25, 0x06,
                      0x60, 0x44, 0x0C, 0x50, 0x0C, 0x50, 0x33, 0x00, 0x00, 0x00}));
    EXPECT_EQ(CChannelData(std::size_t{15}).Record(),
              (Record{0xFF, 0xFF, 0xFF, 0xFF, 0x75, 0x93, 0x60, 0x44, 0x75, 0x93,
                      0x60, 0x44, 0x1B, 0x50, 0x1B, 0x50, 0x33, 0x00, 0x00, 0x40}));
}

TEST(ChannelRecord, SettersKeepTheNeighbouringBits)
{
    Record bytes;
    bytes.fill(0xA5);
    CChannelData c(bytes);
    c.SetRxStepCode(2);
    c.SetTxStepCode(3);
    EXPECT_EQ(c.Record()[16], 0x32);
    c.SetSpacing(1);
    EXPECT_EQ(c.Record()[17], 0xA1);
    c.SetPower(0);
    EXPECT_EQ(c.Record()[17], 0x01);
    c.SetAutoStartScan(true);
    EXPECT_EQ(c.Record()[19], 0xE5);
    c.SetAutoStartScan(false);
    EXPECT_EQ(c.Record()[19], 0xA5);
}

TEST(ChannelTable, BlankAreaGivesOneChannelValidByItsReceiveFrequency)
{
    Channels channels;
    LoadChannelTable(FilledImage(0xFF), 0x580, channels);
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_FALSE(channels[0]->IsValid());
    EXPECT_EQ(test::Slice(channels[0]->Record()), test::Bytes(20, 0xFF));
    LoadChannelTable(test::ImageWith(0x587, {0x44}), 0x580, channels);
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_TRUE(channels[0]->IsValid()); // the top byte of the receive word alone
}

TEST(ChannelTable, HeadOutOfRangeGivesOneDefaultChannel)
{
    for (const std::uint16_t head :
         {std::uint16_t{0x0000}, std::uint16_t{0x057F}, std::uint16_t{0x06C1}, std::uint16_t{0xFFFF}}) {
        SCOPED_TRACE(head);
        Channels channels;
        LoadChannelTable(PatternImage(16), head, channels);
        ASSERT_EQ(channels.size(), 1u);
        EXPECT_EQ(channels[0]->Record(), CChannelData(std::size_t{0}).Record());
        EXPECT_TRUE(channels[0]->IsValid());
    }
}

TEST(ChannelTable, ListEndRules)
{
    struct Case {
        const char* name;
        std::uint16_t head;
        std::size_t endAt;    // record whose next word or byte 18 is changed
        int nextWord, byte18; // -1: keep
        std::size_t expected;
    };
    const Case cases[] = {
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Image image = PatternImage(16);
        if (c.nextWord >= 0)
            PutLe16(image, Address(c.endAt) + 2, static_cast<std::uint16_t>(c.nextWord));
        if (c.byte18 >= 0)
            image[Address(c.endAt) + 18] = static_cast<std::uint8_t>(c.byte18);
        Channels channels;
        LoadChannelTable(image, c.head, channels);
        ASSERT_EQ(channels.size(), c.expected);
        for (std::size_t i = 0; i < channels.size(); ++i)
            EXPECT_TRUE(RecordAt(*channels[i], image, i)) << i;
    }
}

TEST(ChannelTable, StoreWritesTheLinkWordsAndLoadsBack)
{
    std::vector<std::pair<std::uint16_t, std::uint16_t>> sixteen; // previous, next per record
    for (std::size_t i = 0; i < 16; ++i)
        sixteen.emplace_back(i == 0 ? 0x06AC : Address(i - 1), i == 15 ? 0x0580 : Address(i + 1));
    const std::pair<std::size_t, std::vector<std::pair<std::uint16_t, std::uint16_t>>> cases[] = {
        {0, {}}, // writes nothing, not even the head
        {1, {{0x0580, 0x0580}}},
        {3, {{0x05A8, 0x0594}, {0x0580, 0x05A8}, {0x0594, 0x0580}}},
        {16, sixteen},
        {17, sixteen}, // the seventeenth is not written
    };
    for (const auto& [count, links] : cases) {
        SCOPED_TRACE(count);
        Channels channels = DefaultChannels(count);
        Image image = FilledImage(0xFF);
        std::uint16_t head = 0x1234;
        StoreChannelTable(image, channels, head);
        EXPECT_TRUE(std::all_of(image.begin() + Address(links.size()), image.end(), [](auto b) { return b == 0xFF; }));
        EXPECT_TRUE(std::all_of(image.begin(), image.begin() + 0x580, [](auto b) { return b == 0xFF; }));
        if (count == 0) {
            EXPECT_EQ(head, 0x1234);
            continue;
        }
        EXPECT_EQ(head, 0x580);
        for (std::size_t i = 0; i < links.size(); ++i) { // the records carry the link words they were written with
            EXPECT_EQ(GetLe16(image, Address(i)), links[i].first) << i;
            EXPECT_EQ(GetLe16(image, Address(i) + 2), links[i].second) << i;
            EXPECT_TRUE(RecordAt(*channels[i], image, i)) << i;
        }
        Channels loaded;
        LoadChannelTable(image, head, loaded);
        ASSERT_EQ(loaded.size(), links.size());
        for (std::size_t i = 0; i < links.size(); ++i)
            EXPECT_EQ(loaded[i]->Record(), channels[i]->Record()) << i;
    }
}

TEST(ChannelTable, RoundTripKeepsEveryBit)
{
    for (const std::size_t count : {std::size_t{1}, std::size_t{3}, std::size_t{16}}) {
        SCOPED_TRACE(count);
        const Image image = PatternImage(count);
        Channels channels;
        LoadChannelTable(image, 0x580, channels);
        ASSERT_EQ(channels.size(), count);
        Image stored = FilledImage(0xFF);
        std::uint16_t head = 0;
        StoreChannelTable(stored, channels, head);
        EXPECT_TRUE(test::OnlyCopied(stored, image, 0x580, Address(count)));
    }
}

TEST(ChannelPersonality, Resolve)
{
    Personalities personalities;
    personalities.push_back(std::make_unique<CPersonalityData>());
    personalities.push_back(std::make_unique<CPersonalityData>());
    personalities[1]->SetValid(false);
    const std::pair<std::uint8_t, std::uint32_t> cases[] = {{0, personalities[0]->TreeId()}, {1, 0}, {2, 0}, {0xFF, 0}};
    for (const auto& [position, expected] : cases) {
        SCOPED_TRACE(position);
        CChannelData channel(std::size_t{0});
        channel.SetPersonalityId(12345);
        channel.SetPersonalityPosition(position);
        channel.ResolvePersonality(personalities);
        EXPECT_EQ(channel.PersonalityId(), expected);
        EXPECT_EQ(channel.PersonalityPosition(), position);
    }
}

TEST_F(ChannelEdit, CheckReportsAMissingOrInvalidPersonality)
{
    Personalities personalities;
    personalities.push_back(std::make_unique<CPersonalityData>());
    personalities.push_back(std::make_unique<CPersonalityData>());
    CChannelData channel(std::size_t{0});
    channel.SetPersonalityPosition(1);
    channel.ResolvePersonality(personalities);
    CInvalidLog log;

    channel.Check(CNotification{CNotification::Kind::Deleted, 0}, 3, personalities, log, Settings());
    EXPECT_EQ(log.Count(), 0);

    personalities.erase(personalities.begin() + 1);
    using Kind = CNotification::Kind;
    for (const Kind kind :
         {Kind::Edited, Kind::Navigated, Kind::Added, Kind::CellEdited, Kind::ValidChanged, Kind::VoxChanged}) {
        channel.Check(CNotification{kind, 0}, 3, personalities, log, Settings());
        EXPECT_EQ(log.Count(), 0) << static_cast<int>(kind);
    }
    channel.Check(CNotification{CNotification::Kind::Deleted, 0}, 3, personalities, log, Settings());
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(test::Fields(log.Entries()[0]),
              test::EntryFields(CChannelData::kPersonalityControl, "Personality List", "Channel - 3 : Miscellaneous",
                                channel.TreeId() + CChannelData::kPersonalityKeyOffset));
    EXPECT_EQ(channel.PersonalityPosition(), 1); // the channel keeps its byte 18

    channel.Check(CNotification{CNotification::Kind::Deleted, 0}, 3, personalities, log, Settings());
    EXPECT_EQ(log.Count(), 1); // one entry per key
    channel.WithdrawCheckEntries(log);
    EXPECT_EQ(log.Count(), 0);

    CChannelData first(std::size_t{0}); // a personality that is there but not valid
    first.ResolvePersonality(personalities);
    personalities[0]->SetValid(false);
    first.Check(CNotification{CNotification::Kind::Deleted, 0}, 16, personalities, log, Settings());
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.Entries()[0].text, "Channel - 16 : Miscellaneous");
}

TEST_F(ChannelEdit, FillShowsTheDefaultChannel)
{
    CChannelData channel(std::size_t{15});
    CChannelEditRecord edit;
    channel.FillEditRecord(edit);
    const CToneLookup tone = CtcssFromText("156.7");
    const CChannelEditRecord expected{0x44609375, 0x44609375, 1, tone, UnusedCdcss(), 1, tone, UnusedCdcss(), 3, 3,
                                      0,          0,          0, 1};
    EXPECT_EQ(edit, expected);
}

// A code outside the tables (a damaged file, another program) is shown as
// it is, never as another tone, and storing the channel keeps it.
TEST_F(ChannelEdit, ToneCodesOutsideTheTablesAreShownAndKept)
{
    struct Case {
        std::uint16_t word;
        const char *ctcss, *cdcss;
        std::uint8_t type;
    };
    const Case cases[] = {
        {0x4000, "not in table 0x000", "023", 1}, // type 1, index 0
        {0x4034, "not in table 0x034", "023", 1}, // type 1, index 52
        {0x4033, "254.1", "023", 1},              // the last CTCSS tone
        {0x6033, "not in table 0x033", "023", 1}, // the word says: not in the table
        {0x70FF, "not in table 0x0FF", "023", 1},
        {0x806C, "67.0", "not in table 0x06C", 2}, // type 2, index 108
        {0xC06B, "67.0", "754", 3},
        {0xC000, "67.0", "not in table 0x000", 3},
        {0x0000, "67.0", "023", 0}, // no tone: the other fields show the defaults
        {0x1FFF, "67.0", "023", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        CChannelData channel(std::size_t{0});
        channel.SetRxTone(c.word);
        channel.SetTxTone(c.word);
        const auto before = channel.Record();
        CChannelEditRecord edit;
        channel.FillEditRecord(edit);
        EXPECT_EQ(ShownToneText(edit.rxCtcss, true, Settings()), c.ctcss);
        EXPECT_EQ(ShownToneText(edit.rxCdcss, false, Settings()), c.cdcss);
        EXPECT_EQ(edit.rxType, c.type);
        EXPECT_EQ(edit.txCtcss, edit.rxCtcss);
        EXPECT_EQ(edit.txCdcss, edit.rxCdcss);
        channel.TakeEditRecord(edit, kBand);
        EXPECT_EQ(channel.Record(), before);
    }
}

TEST_F(ChannelEdit, FillAndTakeKeepEveryUneditedBit)
{
    for (std::size_t n = 0; n < 16; ++n) { // no edits: the default record comes back, nothing clamped
        SCOPED_TRACE(n);
        CChannelData channel(n);
        const Record before = channel.Record();
        CChannelEditRecord edit;
        channel.FillEditRecord(edit);
        EXPECT_FALSE(channel.TakeEditRecord(edit, kBand));
        EXPECT_EQ(channel.Record(), before);
    }
    // Byte 17 holds spacing and power codes no list names: another edit keeps them.
    Record bytes{0x12, 0x34, 0x56, 0x78, 0x25, 0x06, 0x60, 0x44, 0x25, 0x06,
                 0x60, 0x44, 0x02, 0x50, 0x02, 0x10, 0x33, 0xEE, 0x05, 0xBF};
    CChannelData channel(bytes);
    CChannelEditRecord edit;
    channel.FillEditRecord(edit);
    edit.rxCtcss = CtcssFromText("100.0");
    EXPECT_FALSE(channel.TakeEditRecord(edit, kBand));
    bytes[12] = 0x0E; // only the receive tone index changed
    EXPECT_EQ(channel.Record(), bytes);
}

TEST_F(ChannelEdit, TakeStoresTones)
{
    struct Case {
        std::uint8_t type;
        const char *ctcss, *cdcss;
        std::uint16_t word; // starting from 0x500C
    };
    const Case cases[] = {
        // A look-up outside the table keeps the stored index (the windows refuse such typing).
        {1, "67.0", "", 0x5002},   {1, "66.6", "", 0x500C},    {1, "20.0", "", 0x500C},
        {1, "254.1", "", 0x5033},  {2, "", "023", 0x9002},     {3, "", "800", 0xD00C},
        {3, "", "754", 0xD06B},    {0, "67.0", "023", 0x100C}, // type 0: the tone bits stay
        {0xFF, "", "023", 0xD002},                             // a type beyond the list: cut to the two type bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.ctcss + c.cdcss);
        CChannelData channel(std::size_t{0});
        CChannelEditRecord edit;
        channel.FillEditRecord(edit);
        edit.rxType = edit.txType = c.type;
        edit.rxCtcss = edit.txCtcss = CtcssFromText(c.ctcss);
        edit.rxCdcss = edit.txCdcss = CdcssFromText(c.cdcss);
        channel.TakeEditRecord(edit, kBand);
        EXPECT_EQ(channel.RxTone(), c.word);
        EXPECT_EQ(channel.TxTone(), c.word);
    }
}

TEST_F(ChannelEdit, TakeStoresFrequencies)
{
    struct Case {
        const char* name;
        std::uint32_t rx, tx, storedRx, storedTx;
        bool clamped, valid;
    };
    const Case cases[] = {
        {"both inside", 0x44600625, 0x44000000, 0x44600625, 0x44000000, false, true},
        {"rx below", 0x13600000, 0x44000000, 0x40000000, 0x44000000, true, true},
        {"tx above", 0x44600625, 0x52000000, 0x44600625, 0x47000000, true, true},
        {"both outside", 0x39999375, 0x47000625, 0x40000000, 0x47000000, true, true},
        {"rx only is not clamped", 0x13600000, kNoFrequency, 0x13600000, kNoFrequency, false, true},
        {"no rx empties tx", kNoFrequency, 0x44600625, kNoFrequency, kNoFrequency, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CChannelData channel(std::size_t{0});
        CChannelEditRecord edit;
        channel.FillEditRecord(edit);
        edit.rxFrequency = c.rx;
        edit.txFrequency = c.tx;
        EXPECT_EQ(channel.TakeEditRecord(edit, kBand), c.clamped);
        EXPECT_EQ(channel.RxFrequency(), c.storedRx);
        EXPECT_EQ(channel.TxFrequency(), c.storedTx);
        EXPECT_EQ(channel.IsValid(), c.valid);
    }
}

TEST_F(ChannelEdit, TakeStoresListEntriesAndStepCodes)
{
    CChannelData channel(std::size_t{0});
    CChannelEditRecord edit;
    channel.FillEditRecord(edit);
    edit.spacing = 1; // "25K"
    edit.power = 1;   // "High"
    edit.rxStepCode = 2;
    edit.txStepCode = 3;
    channel.TakeEditRecord(edit, kBand);
    EXPECT_EQ(channel.Record()[17], 0x11);
    EXPECT_EQ(channel.Record()[16], 0x32);

    edit.rxStepCode = kNoStepCode;
    channel.TakeEditRecord(edit, kBand);
    EXPECT_EQ(channel.Record()[16], 0x3F);
}

TEST_F(ChannelEdit, CopyReceiveToTransmit)
{
    CChannelData channel(std::size_t{3});
    channel.SetRxFrequency(0x44000500);
    channel.SetRxStepCode(kStepCode5k);
    channel.SetRxTone(0x8002);
    channel.CopyReceiveToTransmit();
    EXPECT_EQ(channel.TxFrequency(), 0x44000500u);
    EXPECT_EQ(channel.TxStepCode(), kStepCode5k);
    EXPECT_EQ(channel.TxTone(), 0x9002); // the tone; the transmit word keeps its carried bit 12
}

} // namespace
} // namespace qrv
