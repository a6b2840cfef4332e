// The emergency block, its ID, its references and their check, the edit record and the page rules.
#include "records/emergency_data.h"

#include "radio_data/invalid_log.h"
#include "radio_data/notification.h"
#include "record_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qrv {
namespace {

using test::Bytes;
using test::Slice;
using E = CEmergencyData;

constexpr std::size_t kArea = 0x250;

TEST(EmergencyBlock, DefaultBlockIsStoredAsItStands)
{
    CEmergencyData data;
    ASSERT_TRUE(data.SetIdText("99"));
    data.SetDefaults();
    Image image = test::FilledImage(0xFF);
    data.StoreToImage(image);
    EXPECT_TRUE(test::HoldsAt(image, kArea, {0x0A, 0x00, 0xF8, 0xE2, 0x00, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF,
                                             0xFF, 0x04, 0x0A, 0x0A, 0xF8, 0x0A, 0x0A, 0xFE, 0x0A, 0xFD, 0x14,
                                             0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(EmergencyBlock, LoadAndStoreKeepEveryByte)
{
    EXPECT_TRUE(test::BlockRoundTrips<CEmergencyData>(kArea, 32));
}

TEST(EmergencyBlock, FieldSettersTouchOnlyTheirBits)
{
    CEmergencyData data;
    EXPECT_TRUE(data.SetAlarmMode(3));
    EXPECT_TRUE(data.SetAlarmCyclesMode(1));
    EXPECT_TRUE(data.SetSignallingPosition(3));
    EXPECT_TRUE(data.SetSendMode(1));
    EXPECT_FALSE(data.SetIdType(8)); // wider than three bits
    EXPECT_EQ(data.Block()[15], 0xF7);
    EXPECT_EQ(data.Block()[3], 0xFA);
    EXPECT_EQ(data.Block()[2], 0xFC);
}

TEST(EmergencyId, TypedDigitsGoOnePerByte)
{
    struct Case {
        const char* typed;
        bool accepted;
        Bytes idBytes; // bytes 4 to 12; the rest of the block stays the default
        const char* shown;
    };
    const Case cases[] = {
        {"*#12", true, {0x0E, 0x0F, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x04}, "*#12"},
        {"9", true, {0x09, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, "9"},         // later digit bytes kept
        {"567890", true, {0x05, 0x06, 0x07, 0x08, 0xFF, 0xFF, 0xFF, 0xFF, 0x04}, "5678"}, // cut to four
        {"1A", false, {0x00, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0x04}, "0123"},    // refused: no change
        {"1 2", false, {0x00, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0x04}, "0123"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        CEmergencyData data;
        EXPECT_EQ(data.SetIdText(c.typed), c.accepted);
        Bytes expected = Slice(CEmergencyData::kDefaultBlock);
        std::copy(c.idBytes.begin(), c.idBytes.end(), expected.begin() + 4);
        EXPECT_EQ(Slice(data.Block()), expected);
        EXPECT_EQ(data.GetIdText(), c.shown);
    }
}

TEST(EmergencyId, LengthRuleFollowsTheType)
{
    struct Case {
        std::uint8_t type;
        std::size_t digits;
        std::uint8_t length;
    };
    for (const Case& c : {Case{2, 3, 3}, Case{2, 0, 0}, Case{2, 9, 4}, Case{3, 1, 4}, Case{4, 1, 6}, Case{0, 4, 8},
                          Case{1, 4, 8}, Case{7, 2, 8}})
        EXPECT_EQ(CEmergencyData::IdLengthFor(c.type, c.digits), c.length) << int(c.type) << " " << c.digits;
}

TEST(EmergencyId, FourAndSixDigitTypesShowTheirOwnForm)
{
    CEmergencyData data;
    // 0xF0A0: first digit limited to D, the others to E, zeros shown as 1.
    data.LoadFromImage(test::ImageWith(kArea, {0x0A, 0x00, 0xF8, 0xE3, 0xA0, 0xF0}));
    EXPECT_EQ(data.IdTextForType(), "D1A1");
    data.LoadFromImage(test::ImageWith(kArea, {0x0A, 0x00, 0xF8, 0xE4, 0x37, 0x2B, 0x1A}));
    EXPECT_EQ(data.IdTextForType(), "071A2B");
}

// Records that stand for channels and DTMF systems in the reference tests.
struct Records {
    explicit Records(std::size_t count) : owned(count)
    {
        for (const auto& record : owned)
            refs.push_back(&record);
    }
    std::vector<CDataRecord> owned;
    CRecordRefs refs;
};

TEST(EmergencyReferences, RevertChannelIsTheValidChannelAtItsPosition)
{
    Records channels(3);
    Records dtmf(1);
    channels.owned[1].SetValid(false);
    CEmergencyData data;
    const std::pair<std::uint8_t, std::uint32_t> cases[] = {
        {0, 0}, {1, channels.refs[0]->TreeId()}, {2, 0}, {3, channels.refs[2]->TreeId()}, {4, 0}, {0xFF, 0}};
    for (const auto& [position, id] : cases) {
        data.SetRevertChannelPosition(position);
        data.ResolveReferences(channels.refs, dtmf.refs);
        EXPECT_EQ(data.RevertChannelId(), id) << int(position);
    }
}

TEST(EmergencyReferences, OnlyTheDigitIdTypeUsesASignallingSystem)
{
    Records channels(0);
    Records dtmf(2);
    struct Case {
        unsigned idType, position;
        std::uint32_t id;
    };
    for (const Case& c :
         {Case{2, 0, dtmf.refs[0]->TreeId()}, Case{2, 1, dtmf.refs[1]->TreeId()}, Case{2, 2, 0}, Case{1, 0, 0}}) {
        CEmergencyData data;
        ASSERT_TRUE(data.SetIdType(c.idType));
        ASSERT_TRUE(data.SetSignallingPosition(c.position));
        data.ResolveReferences(channels.refs, dtmf.refs);
        EXPECT_EQ(data.SignallingSystemId(), c.id) << c.idType << " " << c.position;
    }
}

TEST(EmergencyReferences, LoadingClearsTheOldReferences)
{
    Records channels(1);
    Records dtmf(1);
    CEmergencyData data;
    data.SetRevertChannelPosition(1);
    data.ResolveReferences(channels.refs, dtmf.refs);
    ASSERT_NE(data.RevertChannelId(), 0u);
    ASSERT_NE(data.SignallingSystemId(), 0u);
    Image image = test::FilledImage(0xFF);
    data.StoreToImage(image);
    data.LoadFromImage(image);
    EXPECT_EQ(data.RevertChannelId(), 0u);
    EXPECT_EQ(data.SignallingSystemId(), 0u);
}

class EmergencyWithTexts : public ::testing::Test {
protected:
    const CSettings& Settings() { return m_texts.Settings(); }

    test::CTestTexts m_texts{"S0207300=Emergency\r\nS0207309=Revert channel missing\r\nS0207310=None\r\n"
                             "S0207317=Signalling system missing\r\nS0207312=0.Impolite;1.Polite\r\n"
                             "S0207314=0.None;1.Call;2.DTMF;3.Four;4.Six\r\n"
                             "S0207322=1:1:15:1:1:1:0\r\nS0207324=1:1:15:1:1:1:0\r\n"
                             "S0207326=0.Off;1.Silent;2.Loud\r\nS0207331=0.Off;1.Endless;2.Counted\r\n"
                             "S0207336=0.Off;1.Endless;2.Counted\r\nS0207341=0.Carrier;1.Tone\r\n"};
};

TEST_F(EmergencyWithTexts, CheckAddsAndWithdrawsTheRevertChannelEntry)
{
    Records channels(3);
    Records dtmf(1);
    CEmergencyData data;
    data.SetRevertChannelPosition(3);
    data.ResolveReferences(channels.refs, dtmf.refs);
    CInvalidLog log;

    const CRecordRefs withoutThird = {channels.refs[0], channels.refs[1]};
    data.Check({CNotification::Kind::Edited, 0}, withoutThird, dtmf.refs, log, Settings());
    EXPECT_EQ(log.Count(), 0); // only kind 5 checks
    data.Check({CNotification::Kind::Deleted, 0}, withoutThird, dtmf.refs, log, Settings());
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(test::Fields(log.Entries()[0]),
              test::EntryFields(E::kRevertChannelCombo, "Revert channel missing", "Emergency", E::kRevertChannelKey));

    channels.owned[2].SetValid(false); // an emptied channel counts as missing too
    data.Check({CNotification::Kind::Deleted, 0}, channels.refs, dtmf.refs, log, Settings());
    EXPECT_TRUE(log.Contains(E::kRevertChannelKey));
    channels.owned[2].SetValid(true);
    data.Check({CNotification::Kind::Deleted, 0}, channels.refs, dtmf.refs, log, Settings());
    EXPECT_EQ(log.Count(), 0);
}

TEST_F(EmergencyWithTexts, CheckFindsAMissingSignallingSystemForDigitIdsOnly)
{
    Records channels(1);
    Records dtmf(1);
    CEmergencyData data;
    data.ResolveReferences(channels.refs, dtmf.refs);
    CInvalidLog log;
    data.Check({CNotification::Kind::Deleted, 0}, channels.refs, {}, log, Settings());
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(test::Fields(log.Entries()[0]),
              test::EntryFields(E::kSignallingCombo, "Signalling system missing", "Emergency", E::kSignallingKey));

    data.WithdrawCheckEntries(log);
    EXPECT_EQ(log.Count(), 0);
    ASSERT_TRUE(data.SetIdType(0));
    data.Check({CNotification::Kind::Deleted, 0}, channels.refs, {}, log, Settings());
    EXPECT_EQ(log.Count(), 0);
}

TEST_F(EmergencyWithTexts, FillShowsTheDefaultRecord)
{
    CEmergencyEditRecord edit;
    edit.Fill(CEmergencyData(), Settings());
    EXPECT_EQ((std::vector<std::string>{edit.idText, edit.idType, edit.alarmMode, edit.alarmCyclesMode,
                                        edit.voiceCyclesMode, edit.impoliteSendTimes, edit.squelchMode}),
              (std::vector<std::string>{"0123", "DTMF", "Off", "Counted", "Counted", "10", "Tone"}));
    EXPECT_EQ(
        (std::vector<int>{edit.signallingPosition, edit.backgroundTone, edit.txDuration, edit.revertChannelPosition}),
        (std::vector<int>{0, 1, 20, 0}));
}

TEST_F(EmergencyWithTexts, TakeWritesTheFieldsAndTheDigitId)
{
    CEmergencyData data;
    CEmergencyEditRecord edit;
    edit.Fill(data, Settings());
    edit.idText = "*#12";
    edit.alarmMode = "Loud";
    edit.alarmCyclesMode = "Endless";
    edit.impoliteSendTimes = "3";
    edit.revertChannelPosition = 3;
    edit.rxDuration = 300; // brought into the byte
    edit.powerSwitch = true;
    EXPECT_TRUE(edit.Take(data, Settings()));
    EXPECT_EQ(Slice(data.Block()),
              (Bytes{0x0A, 0x03, 0xF9, 0xE2, 0x0E, 0x0F, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x0A, 0xF6,
                     0x0A, 0x0A, 0xFE, 0x0A, 0xFD, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(EmergencyWithTexts, TakeFollowsTheIdTypeForTheIdBytes)
{
    const std::pair<const char*, std::uint8_t> cases[] = {{"Four", 4}, {"Six", 6}, {"Call", 8}, {"None", 8}};
    for (const auto& [type, length] : cases) {
        CEmergencyData data;
        CEmergencyEditRecord edit;
        edit.Fill(data, Settings());
        edit.idType = type;
        edit.idText = "9999";
        EXPECT_TRUE(edit.Take(data, Settings())) << type;
        EXPECT_EQ(Slice(data.Block(), 4, 8), (Bytes{0x00, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF})) << type;
        EXPECT_EQ(data.IdLength(), length) << type;
    }
}

TEST_F(EmergencyWithTexts, UnknownTextKeepsABitFieldAndFailsTheTake)
{
    CEmergencyData data;
    CEmergencyEditRecord edit;
    edit.Fill(data, Settings());
    edit.voiceCyclesMode = "Sometimes";
    edit.politeSendTimes = "99";
    EXPECT_FALSE(edit.Take(data, Settings()));
    EXPECT_EQ(data.Block()[18], 0xFE);
    EXPECT_EQ(data.Block()[14], 0xFF);
}

TEST_F(EmergencyWithTexts, RevertListSkipsInvalidChannelsButKeepsPositions)
{
    Records channels(3);
    channels.owned[1].SetValid(false);
    EXPECT_EQ(
        RevertChannelLines(channels.refs, Settings()),
        (std::vector<CComboLine>{{"None", 0}, {"1", channels.refs[0]->TreeId()}, {"3", channels.refs[2]->TreeId()}}));
    EXPECT_EQ(ChannelPositionOf(channels.refs[2]->TreeId(), channels.refs), 3);
    EXPECT_EQ(ChannelPositionOf(0, channels.refs), 0);
    EXPECT_EQ(ChannelPositionOf(12345, channels.refs), 0);
}

TEST(EmergencyPage, IdTypeListFollowsTheSignallingType)
{
    const std::vector<CComboLine> all = {{"None", 0}, {"Call", 1}, {"DTMF", 2}, {"Four", 3}, {"Six", 4}};
    EXPECT_EQ(IdTypeLinesFor(all, 0), all);
    EXPECT_EQ(IdTypeLinesFor(all, 1), (std::vector<CComboLine>{all[0], all[1], all[2], all[4]}));
    EXPECT_EQ(IdTypeLinesFor(all, 2), (std::vector<CComboLine>{all[0], all[1], all[3], all[4]}));
}

TEST(EmergencyPage, SpinButtonsWrapAtTheLimits)
{
    struct Case {
        int value, step, minimum, maximum;
        bool up;
        int result;
    };
    for (const Case& c : {Case{5, 1, 0, 10, true, 6}, Case{10, 1, 0, 10, true, 0}, Case{9, 5, 0, 10, true, 0},
                          Case{0, 1, 0, 10, false, 10}, Case{3, 5, 0, 10, false, 10}, Case{6, 5, 0, 10, false, 1},
                          Case{300, 1, 0, 255, false, 255}, Case{-4, 1, 0, 255, true, 0}, Case{7, 0, 0, 10, true, 8}})
        EXPECT_EQ(SpinEmergencyValue(c.value, c.step, c.minimum, c.maximum, c.up), c.result)
            << c.value << (c.up ? " up " : " down ") << c.step;
}

TEST(EmergencyPage, EnablingRules)
{
    // The default record: digit ID, alarm off, voice cycles counted.
    CEmergencyEnabling r = EmergencyEnablingRules(2, 0, 2, 2);
    for (const int id : {E::kAlarmDurationEdit, E::kAlarmDurationSpin, E::kAlarmCyclesModeCombo, E::kAlarmCyclesEdit,
                         E::kAlarmCyclesSpin})
        EXPECT_FALSE(r.IsEnabled(id)) << id;
    for (const int id :
         {E::kVoiceCyclesEdit, E::kVoiceCyclesSpin, E::kSquelchModeCombo, E::kTxDurationEdit, E::kTxDurationSpin,
          E::kRxDurationEdit, E::kRxDurationSpin, E::kBackgroundToneCheck, E::kIdEdit, E::kImpoliteTimesCombo,
          E::kSendModeCombo, E::kSignallingCombo, E::kPoliteTimesCombo})
        EXPECT_TRUE(r.IsEnabled(id)) << id;
    EXPECT_EQ(r.sendMode, 1);

    r = EmergencyEnablingRules(1, 1, 1, 1);
    for (const int id : {E::kAlarmDurationEdit, E::kAlarmDurationSpin, E::kAlarmCyclesModeCombo, E::kSquelchModeCombo,
                         E::kTxDurationEdit, E::kBackgroundToneCheck, E::kIdEdit, E::kImpoliteTimesCombo,
                         E::kSendModeCombo, E::kSignallingCombo})
        EXPECT_TRUE(r.IsEnabled(id)) << id;
    for (const int id :
         {E::kAlarmCyclesEdit, E::kAlarmCyclesSpin, E::kVoiceCyclesEdit, E::kVoiceCyclesSpin, E::kPoliteTimesCombo})
        EXPECT_FALSE(r.IsEnabled(id)) << id;
    EXPECT_EQ(r.sendMode, 0);

    r = EmergencyEnablingRules(0, 2, 2, 0);
    for (const int id : {E::kAlarmDurationEdit, E::kAlarmCyclesModeCombo, E::kAlarmCyclesEdit, E::kAlarmCyclesSpin})
        EXPECT_TRUE(r.IsEnabled(id)) << id;
    for (const int id :
         {E::kVoiceCyclesEdit, E::kVoiceCyclesSpin, E::kSquelchModeCombo, E::kTxDurationEdit, E::kTxDurationSpin,
          E::kRxDurationEdit, E::kRxDurationSpin, E::kBackgroundToneCheck, E::kIdEdit, E::kImpoliteTimesCombo,
          E::kSendModeCombo, E::kPoliteTimesCombo, E::kSignallingCombo})
        EXPECT_FALSE(r.IsEnabled(id)) << id;
    EXPECT_FALSE(r.sendMode.has_value());
}

} // namespace
} // namespace qrv
