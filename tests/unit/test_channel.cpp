// The channel table and its links, the edit record and the channel check.
#include "records/channel_data.h"

#include "radio_data/notification.h"
#include "record_test_support.h"
#include "records/personality_data.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using Channels = std::vector<std::unique_ptr<CChannelData>>;
constexpr CBand kBand{40000000, 47000000}; // 400-470 MHz

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

} // namespace
} // namespace qrv
