// The channel record, the channel table, the edit record and the channel check.
#include "records/channel.h"

#include "radio_data/invalid_log.h"
#include "radio_data/notification.h"
#include "records/personality.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qrv {
namespace {

using Record = std::array<std::uint8_t, CChannelData::kRecordSize>;
using Channels = std::vector<std::unique_ptr<CChannelData>>;
using Personalities = std::vector<std::unique_ptr<CPersonalityData>>;

// A language file of our own, so the tests do not depend on the shipped wording.
constexpr const char* kLanguage = "[Setting]\r\n"
                                  "Language=English\r\n"
                                  "LanguageList=English\r\n"
                                  "S0203655=Channel\r\n"
                                  "S0203657=Miscellaneous\r\n"
                                  "S0203702=Personality List\r\n"
                                  "S0203661=0.12.5K;1.25K\r\n"
                                  "S0203663=0.Low;1.High\r\n"
                                  "S0203668=0.None;1.CTCSS;2.CDCSS;3.CDCSS Invert\r\n"
                                  "S0203677=0.Off;1.CTCSS;2.CDCSS;3.CDCSS Invert\r\n";

class ChannelEdit : public ::testing::Test {
protected:
    ChannelEdit() : m_dir(false)
    {
        test::WriteText(m_dir.Path() / "QRV_E.lng", kLanguage);
        m_dir.Reopen();
        Settings().FreqRange = "400-470";
    }
    CSettings& Settings() { return m_dir.Settings(); }

    test::CProgramDir m_dir;
};

Image FilledImage(std::uint8_t value)
{
    Image image;
    image.fill(value);
    return image;
}

std::uint16_t Address(std::size_t i)
{
    return static_cast<std::uint16_t>(0x580 + 20 * i);
}

// A patterned image whose channel area forms a list of count records with
// the link words the store writes, so that a round trip must give it back.
Image PatternImage(std::size_t count)
{
    Image image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * 29 + 7) & 0xFF);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = Address(i);
        PutLe16(image, at, i == 0 ? Address(count - 1) : Address(i - 1));
        PutLe16(image, at + 2, i + 1 == count ? 0x580 : Address(i + 1));
        if (image[at + 18] == 0xFF)
            image[at + 18] = 0x07;
    }
    return image;
}

TEST(ChannelDefaults, RecordsOfTheFirstAndLast)
{
    const Record n0{0xFF, 0xFF, 0xFF, 0xFF, 0x25, 0x06, 0x60, 0x44, 0x25, 0x06,
                    0x60, 0x44, 0x0C, 0x50, 0x0C, 0x50, 0x33, 0x00, 0x00, 0x00};
    const Record n15{0xFF, 0xFF, 0xFF, 0xFF, 0x75, 0x93, 0x60, 0x44, 0x75, 0x93,
                     0x60, 0x44, 0x1B, 0x50, 0x1B, 0x50, 0x33, 0x00, 0x00, 0x40};
    EXPECT_EQ(CChannelData(std::size_t{0}).Record(), n0);
    EXPECT_EQ(CChannelData(std::size_t{15}).Record(), n15);
}

TEST(ChannelDefaults, AllSixteen)
{
    struct Case {
        std::uint32_t word;
        std::uint16_t ctcssIndex;
    };
    const Case cases[16] = {
        {0x44600625, 12}, {0x44601875, 13}, {0x44603125, 14}, {0x44604375, 15}, {0x44605625, 16}, {0x44606875, 17},
        {0x44608125, 18}, {0x44609375, 19}, {0x44600625, 20}, {0x44601875, 21}, {0x44603125, 22}, {0x44604375, 23},
        {0x44605625, 24}, {0x44606875, 25}, {0x44608125, 26}, {0x44609375, 27},
    };
    Channels channels;
    MakeDefaultChannels(channels);
    ASSERT_EQ(channels.size(), 16u);
    for (std::size_t n = 0; n < 16; ++n) {
        SCOPED_TRACE(n);
        const CChannelData& c = *channels[n];
        EXPECT_EQ(c.Record(), CChannelData(n).Record());
        EXPECT_TRUE(c.IsValid());
        EXPECT_EQ(c.PreviousLink(), 0xFFFF);
        EXPECT_EQ(c.NextLink(), 0xFFFF);
        EXPECT_EQ(c.RxFrequency(), cases[n].word);
        EXPECT_EQ(c.TxFrequency(), cases[n].word);
        EXPECT_EQ(c.RxTone(), 0x5000 | cases[n].ctcssIndex); // type 1, bit 12 kept from the fill
        EXPECT_EQ(c.TxTone(), c.RxTone());
        EXPECT_EQ(c.RxStepCode(), 3);
        EXPECT_EQ(c.TxStepCode(), 3);
        EXPECT_EQ(c.Spacing(), 0);
        EXPECT_EQ(c.Power(), 0);
        EXPECT_EQ(c.PersonalityPosition(), 0);
        EXPECT_EQ(c.AutoStartScan(), n == 15);
        if (n > 0) {
            EXPECT_NE(c.TreeId(), channels[n - 1]->TreeId());
        }
    }
}

TEST(ChannelRecord, ValidFlagFromTheReceiveFrequency)
{
    Record bytes;
    bytes.fill(0xFF);
    EXPECT_FALSE(CChannelData(bytes).IsValid());
    bytes[7] = 0x44;
    EXPECT_TRUE(CChannelData(bytes).IsValid());
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
    c.SetPersonalityPosition(3);
    EXPECT_EQ(c.Record()[18], 0x03);
    c.SetLinks(0x0594, 0x0580);
    EXPECT_EQ(c.Record()[0], 0x94);
    EXPECT_EQ(c.Record()[1], 0x05);
    EXPECT_EQ(c.Record()[2], 0x80);
    EXPECT_EQ(c.Record()[3], 0x05);
}

TEST(ChannelTable, AllBlankAreaGivesOneInvalidChannel)
{
    Channels channels;
    LoadChannelTable(FilledImage(0xFF), 0x580, channels);
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_FALSE(channels[0]->IsValid());
    EXPECT_TRUE(
        std::all_of(channels[0]->Record().begin(), channels[0]->Record().end(), [](auto b) { return b == 0xFF; }));
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
        std::size_t endAt; // record whose next word or byte 18 is changed
        int nextWord;      // -1: keep
        int byte18;        // -1: keep
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
            EXPECT_TRUE(
                std::equal(channels[i]->Record().begin(), channels[i]->Record().end(), image.begin() + Address(i)));
    }
}

TEST(ChannelTable, StopsAtSixteenWhateverTheLinksSay)
{
    Image image = FilledImage(0x00); // next words 0x0000 would stop, so set them all to go on
    for (std::size_t i = 0; i < 20; ++i)
        if (Address(i) + 20u <= image.size())
            PutLe16(image, Address(i) + 2, 0x0594);
    Channels channels;
    LoadChannelTable(image, 0x580, channels);
    EXPECT_EQ(channels.size(), 16u);
}

TEST(ChannelTable, LinkWords)
{
    struct Case {
        std::size_t count;
        std::vector<std::pair<std::uint16_t, std::uint16_t>> links; // previous, next per record
    };
    std::vector<std::pair<std::uint16_t, std::uint16_t>> sixteen;
    for (std::size_t i = 0; i < 16; ++i)
        sixteen.emplace_back(i == 0 ? 0x06AC : Address(i - 1), i == 15 ? 0x0580 : Address(i + 1));
    const Case cases[] = {
        {1, {{0x0580, 0x0580}}},
        {3, {{0x05A8, 0x0594}, {0x0580, 0x05A8}, {0x0594, 0x0580}}},
        {16, sixteen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        Channels channels;
        for (std::size_t n = 0; n < c.count; ++n)
            channels.push_back(std::make_unique<CChannelData>(n));
        Image image = FilledImage(0xFF);
        std::uint16_t head = 0;
        StoreChannelTable(image, channels, head);
        EXPECT_EQ(head, 0x580);
        for (std::size_t i = 0; i < c.count; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(GetLe16(image, Address(i)), c.links[i].first);
            EXPECT_EQ(GetLe16(image, Address(i) + 2), c.links[i].second);
            EXPECT_EQ(channels[i]->PreviousLink(), c.links[i].first); // also in the records
            EXPECT_EQ(channels[i]->NextLink(), c.links[i].second);
            EXPECT_TRUE(
                std::equal(channels[i]->Record().begin(), channels[i]->Record().end(), image.begin() + Address(i)));
        }
        EXPECT_TRUE(std::all_of(image.begin() + Address(c.count), image.end(), [](auto b) { return b == 0xFF; }));
        EXPECT_TRUE(std::all_of(image.begin(), image.begin() + 0x580, [](auto b) { return b == 0xFF; }));
    }
}

TEST(ChannelTable, StoredListLoadsBack)
{
    Channels channels;
    MakeDefaultChannels(channels);
    channels.resize(5);
    Image image = FilledImage(0xFF);
    std::uint16_t head = 0;
    StoreChannelTable(image, channels, head);
    Channels loaded;
    LoadChannelTable(image, head, loaded);
    ASSERT_EQ(loaded.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(loaded[i]->Record(), channels[i]->Record());
}

TEST(ChannelTable, RoundTripKeepsEveryBit)
{
    for (const std::size_t count : {std::size_t{1}, std::size_t{3}, std::size_t{16}}) {
        SCOPED_TRACE(count);
        Image image = PatternImage(count);
        Channels channels;
        LoadChannelTable(image, 0x580, channels);
        ASSERT_EQ(channels.size(), count);
        Image stored = FilledImage(0xFF);
        std::uint16_t head = 0;
        StoreChannelTable(stored, channels, head);
        for (std::size_t i = 0; i < stored.size(); ++i) {
            const bool inRecords = i >= 0x580 && i < Address(count);
            ASSERT_EQ(stored[i], inRecords ? image[i] : 0xFF) << "offset " << i;
        }
    }
}

TEST(ChannelTable, StoreWithoutChannelsWritesNothing)
{
    Image image = FilledImage(0xFF);
    std::uint16_t head = 0x1234;
    StoreChannelTable(image, Channels{}, head);
    EXPECT_EQ(head, 0x1234);
    EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](auto b) { return b == 0xFF; }));
}

TEST(ChannelTable, StoreNeverWritesPastTheArea)
{
    Channels channels;
    for (std::size_t n = 0; n < 17; ++n)
        channels.push_back(std::make_unique<CChannelData>(n));
    Image image = FilledImage(0xFF);
    std::uint16_t head = 0;
    StoreChannelTable(image, channels, head);
    EXPECT_EQ(GetLe16(image, Address(15) + 2), 0x0580);
    EXPECT_TRUE(std::all_of(image.begin() + 0x6C0, image.end(), [](auto b) { return b == 0xFF; }));
}

TEST(ChannelPersonality, Resolve)
{
    Personalities personalities;
    personalities.push_back(std::make_unique<CPersonalityData>());
    personalities.push_back(std::make_unique<CPersonalityData>());
    personalities[1]->SetValid(false);
    struct Case {
        std::uint8_t position;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {0, personalities[0]->TreeId()},
        {1, 0},
        {2, 0},
        {0xFF, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        CChannelData channel(std::size_t{0});
        channel.SetPersonalityId(12345);
        channel.SetPersonalityPosition(c.position);
        channel.ResolvePersonality(personalities);
        EXPECT_EQ(channel.PersonalityId(), c.expected);
        EXPECT_EQ(channel.PersonalityPosition(), c.position);
    }
}

TEST_F(ChannelEdit, CheckReportsAMissingPersonality)
{
    Personalities personalities;
    personalities.push_back(std::make_unique<CPersonalityData>());
    personalities.push_back(std::make_unique<CPersonalityData>());
    CChannelData channel(std::size_t{0});
    channel.SetPersonalityPosition(1);
    channel.ResolvePersonality(personalities);
    CInvalidLog log;

    channel.Check(CNotification{CNotification::kDeleted, 0}, 3, personalities, log, Settings());
    EXPECT_EQ(log.Count(), 0);

    personalities.erase(personalities.begin() + 1);
    for (const int kind : {0, 1, 2, 3, 4, 6, 7, 9}) {
        channel.Check(CNotification{kind, 0}, 3, personalities, log, Settings());
        EXPECT_EQ(log.Count(), 0) << kind;
    }
    channel.Check(CNotification{CNotification::kDeleted, 0}, 3, personalities, log, Settings());
    ASSERT_EQ(log.Count(), 1);
    const CInvalidEntry& entry = log.Entries()[0];
    EXPECT_EQ(entry.control, 3703);
    EXPECT_EQ(entry.title, "Personality List");
    EXPECT_EQ(entry.text, "Channel - 3 : Miscellaneous");
    EXPECT_EQ(entry.key, channel.TreeId() + 69238);
    EXPECT_EQ(channel.PersonalityPosition(), 1); // the channel keeps its byte 18

    channel.Check(CNotification{CNotification::kDeleted, 0}, 3, personalities, log, Settings());
    EXPECT_EQ(log.Count(), 1); // one entry per key

    channel.WithdrawCheckEntries(log);
    EXPECT_EQ(log.Count(), 0);
}

TEST_F(ChannelEdit, CheckReportsAnInvalidPersonality)
{
    Personalities personalities;
    personalities.push_back(std::make_unique<CPersonalityData>());
    CChannelData channel(std::size_t{0});
    channel.ResolvePersonality(personalities);
    personalities[0]->SetValid(false);
    CInvalidLog log;
    channel.Check(CNotification{CNotification::kDeleted, 0}, 16, personalities, log, Settings());
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.Entries()[0].text, "Channel - 16 : Miscellaneous");
}

TEST_F(ChannelEdit, FillShowsTheDefaultChannel)
{
    CChannelData channel(std::size_t{15});
    CChannelEditRecord edit;
    channel.FillEditRecord(edit, Settings());
    EXPECT_EQ(edit.rxFrequency, 0x44609375u);
    EXPECT_EQ(edit.txFrequency, 0x44609375u);
    EXPECT_EQ(edit.rxTypeText, "CTCSS");
    EXPECT_EQ(edit.txTypeText, "CTCSS");
    EXPECT_EQ(edit.rxCtcssText, "156.7");
    EXPECT_EQ(edit.rxCdcssText, "023");
    EXPECT_EQ(edit.txCtcssText, "156.7");
    EXPECT_EQ(edit.txCdcssText, "023");
    EXPECT_EQ(edit.spacingText, "12.5K");
    EXPECT_EQ(edit.powerText, "Low");
    EXPECT_EQ(edit.rxStepCode, 3);
    EXPECT_EQ(edit.txStepCode, 3);
    EXPECT_EQ(edit.personalityPosition, 0u);
    EXPECT_EQ(edit.autoStartScan, 1u);
}

TEST_F(ChannelEdit, FillRepairsToneIndices)
{
    struct Case {
        std::uint16_t word;
        std::uint16_t repaired;
        const char* ctcss;
        const char* cdcss;
        const char* type;
    };
    const Case cases[] = {
        {0x4000, 0x4001, "63.0", "023", "CTCSS"},        // type 1, index 0
        {0x4034, 0x4001, "63.0", "023", "CTCSS"},        // type 1, index 52
        {0x6033, 0x6033, "254.1", "023", "CTCSS"},       // type 1, index 51 stands
        {0x70FF, 0x7001, "63.0", "023", "CTCSS"},        // not found: shown as entry 1, bits 12-15 kept
        {0x806C, 0x8001, "67.0", "017", "CDCSS"},        // type 2, index 108
        {0xC06B, 0xC06B, "67.0", "754", "CDCSS Invert"}, // type 3, index 107 stands
        {0xC000, 0xC001, "67.0", "017", "CDCSS Invert"},
        {0x0000, 0x0000, "67.0", "023", "None"}, // type 0: nothing to repair
        {0x1FFF, 0x1FFF, "67.0", "023", "None"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        CChannelData channel(std::size_t{0});
        channel.SetRxTone(c.word);
        channel.SetTxTone(c.word);
        CChannelEditRecord edit;
        channel.FillEditRecord(edit, Settings());
        EXPECT_EQ(channel.RxTone(), c.repaired);
        EXPECT_EQ(channel.TxTone(), c.repaired);
        EXPECT_EQ(edit.rxCtcssText, c.ctcss);
        EXPECT_EQ(edit.rxCdcssText, c.cdcss);
        EXPECT_EQ(edit.rxTypeText, c.type);
        EXPECT_EQ(edit.txCtcssText, c.ctcss);
        EXPECT_EQ(edit.txCdcssText, c.cdcss);
    }
}

TEST_F(ChannelEdit, FillAndTakeWithoutEditsKeepTheRecord)
{
    for (std::size_t n = 0; n < 16; ++n) {
        SCOPED_TRACE(n);
        CChannelData channel(n);
        const Record before = channel.Record();
        CChannelEditRecord edit;
        channel.FillEditRecord(edit, Settings());
        EXPECT_FALSE(channel.TakeEditRecord(edit, Settings()));
        EXPECT_EQ(channel.Record(), before);
    }
}

TEST_F(ChannelEdit, TakeStoresTones)
{
    struct Case {
        const char* type;
        const char* ctcss;
        const char* cdcss;
        std::uint16_t word; // starting from 0x500C
    };
    const Case cases[] = {
        {"CTCSS", "67.0", "", 0x5002},       {"CTCSS", "66.6", "", 0x70FF},   {"CTCSS", "20.0", "", 0x70FF},
        {"CTCSS", "254.1", "", 0x5033},      {"CDCSS", "", "023", 0x9002},    {"CDCSS Invert", "", "800", 0xF0FF},
        {"CDCSS Invert", "", "754", 0xD06B}, {"None", "67.0", "023", 0x100C}, // type 0: the tone bits stay
        {"Nonsense", "", "023", 0xD002}, // unmatched type text: 0xFF cut to the two type bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.ctcss + c.cdcss);
        CChannelData channel(std::size_t{0});
        CChannelEditRecord edit;
        channel.FillEditRecord(edit, Settings());
        edit.rxTypeText = c.type;
        edit.rxCtcssText = c.ctcss;
        edit.rxCdcssText = c.cdcss;
        edit.txTypeText = c.type == std::string("None") ? "Off" : c.type;
        edit.txCtcssText = c.ctcss;
        edit.txCdcssText = c.cdcss;
        channel.TakeEditRecord(edit, Settings());
        EXPECT_EQ(channel.RxTone(), c.word);
        EXPECT_EQ(channel.TxTone(), c.word);
    }
}

TEST_F(ChannelEdit, TakeStoresFrequencies)
{
    struct Case {
        const char* name;
        std::uint32_t rx;
        std::uint32_t tx;
        std::uint32_t storedRx;
        std::uint32_t storedTx;
        bool clamped;
        bool valid;
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
        channel.FillEditRecord(edit, Settings());
        edit.rxFrequency = c.rx;
        edit.txFrequency = c.tx;
        EXPECT_EQ(channel.TakeEditRecord(edit, Settings()), c.clamped);
        EXPECT_EQ(channel.RxFrequency(), c.storedRx);
        EXPECT_EQ(channel.TxFrequency(), c.storedTx);
        EXPECT_EQ(channel.IsValid(), c.valid);
    }
}

TEST_F(ChannelEdit, TakeStoresListEntriesAndStepCodes)
{
    CChannelData channel(std::size_t{0});
    CChannelEditRecord edit;
    channel.FillEditRecord(edit, Settings());
    edit.spacingText = "25K";
    edit.powerText = "High";
    edit.rxStepCode = 2;
    edit.txStepCode = 3;
    channel.TakeEditRecord(edit, Settings());
    EXPECT_EQ(channel.Record()[17], 0x11);
    EXPECT_EQ(channel.Record()[16], 0x32);

    edit.spacingText = "6.25K"; // in no list entry: 0xFF, cut to the field
    edit.powerText = "";
    edit.rxStepCode = kNoStepCode;
    channel.TakeEditRecord(edit, Settings());
    EXPECT_EQ(channel.Record()[17], 0xFF);
    EXPECT_EQ(channel.Record()[16], 0x3F);
}

TEST_F(ChannelEdit, TakeKeepsEveryUneditedBit)
{
    Record bytes{0x12, 0x34, 0x56, 0x78, 0x25, 0x06, 0x60, 0x44, 0x25, 0x06,
                 0x60, 0x44, 0x02, 0x50, 0x02, 0x10, 0x33, 0x00, 0x05, 0xBF};
    CChannelData channel(bytes);
    CChannelEditRecord edit;
    channel.FillEditRecord(edit, Settings());
    edit.rxCtcssText = "100.0";
    EXPECT_FALSE(channel.TakeEditRecord(edit, Settings()));
    bytes[12] = 0x0E; // only the receive tone index changed
    EXPECT_EQ(channel.Record(), bytes);
}

TEST_F(ChannelEdit, CopyReceiveToTransmit)
{
    CChannelData channel(std::size_t{3});
    channel.SetRxFrequency(0x44000000);
    channel.SetRxTone(0x8002);
    channel.CopyReceiveToTransmit();
    EXPECT_EQ(channel.TxFrequency(), 0x44000000u);
    EXPECT_EQ(channel.TxTone(), 0x8002);
}

} // namespace
} // namespace qrv
