// The emergency block's references and their check, the edit record and the page rules.
#include "records/emergency_data.h"

#include "radio_data/notification.h"
#include "record_test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using E = CEmergencyData;
using Kind = CNotification::Kind;

using test::Records;

TEST(EmergencyReferences, ResolvedByPositionOnlyToValidRecords)
{
    Records channels(3);
    Records dtmf(2);
    channels.owned[1].SetValid(false);
    // Revert channel: 1-based position; signalling system: 0-based, used by ID type 2 only.
    const std::tuple<std::uint8_t, unsigned, unsigned, std::uint32_t, std::uint32_t> cases[] = {
        {0, 2, 0, 0, dtmf.Id(0)}, {1, 2, 1, channels.Id(0), dtmf.Id(1)}, {2, 2, 2, 0, 0}, {3, 1, 0, channels.Id(2), 0},
        {0xFF, 3, 1, 0, 0},
    };
    for (const auto& [revert, idType, signalling, revertId, signallingId] : cases) {
        CEmergencyData data;
        data.SetRevertChannelPosition(revert);
        ASSERT_TRUE(data.SetIdType(idType) && data.SetSignallingPosition(signalling));
        data.ResolveReferences(channels.refs, dtmf.refs);
        EXPECT_EQ(std::pair(data.RevertChannelId(), data.SignallingSystemId()), std::pair(revertId, signallingId))
            << int(revert) << " " << idType << " " << signalling;
        data.LoadFromImage(test::FilledImage(0xFF)); // loading clears them
        EXPECT_EQ(std::pair(data.RevertChannelId(), data.SignallingSystemId()), std::pair(0u, 0u));
    }
    // The ID length byte follows the ID type: type 2 the digits (four at most), 3 four, 4 six, others eight.
    const std::tuple<std::uint8_t, std::size_t, std::uint8_t> lengths[] = {{2, 3, 3}, {2, 9, 4}, {3, 1, 4},
                                                                           {4, 1, 6}, {0, 4, 8}, {7, 2, 8}};
    for (const auto& [type, digits, length] : lengths)
        EXPECT_EQ(E::IdLengthFor(type, digits), length) << int(type) << " " << digits;
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

TEST_F(EmergencyWithTexts, CheckReportsMissingReferencesOnDeletionsOnly)
{
    Records channels(3);
    Records dtmf(1);
    CEmergencyData data;
    data.SetRevertChannelPosition(3);
    data.ResolveReferences(channels.refs, dtmf.refs);
    CInvalidLog log;
    const CRecordRefs withoutThird = {channels.refs[0], channels.refs[1]};
    data.Check({Kind::Edited, 0}, withoutThird, {}, log, Settings());
    EXPECT_EQ(log.Count(), 0); // only deletions check
    data.Check({Kind::Deleted, 0}, withoutThird, {}, log, Settings());
    ASSERT_EQ(log.Count(), 2);
    EXPECT_EQ(test::Fields(log.Entries()[0]),
              test::EntryFields(E::kRevertChannelCombo, "Revert channel missing", "Emergency", E::kRevertChannelKey));
    EXPECT_EQ(test::Fields(log.Entries()[1]),
              test::EntryFields(E::kSignallingCombo, "Signalling system missing", "Emergency", E::kSignallingKey));
    channels.owned[2].SetValid(false); // an emptied channel counts as missing too
    data.Check({Kind::Deleted, 0}, channels.refs, dtmf.refs, log, Settings());
    EXPECT_EQ(log.Count(), 1);
    EXPECT_TRUE(log.Contains(E::kRevertChannelKey));
    channels.owned[2].SetValid(true);
    ASSERT_TRUE(data.SetIdType(0)); // no digit ID: no signalling system needed
    data.Check({Kind::Deleted, 0}, channels.refs, {}, log, Settings());
    EXPECT_EQ(log.Count(), 0);
    data.Check({Kind::Deleted, 0}, withoutThird, {}, log, Settings());
    data.WithdrawCheckEntries(log);
    EXPECT_EQ(log.Count(), 0);
}

// No window takes this record; its texts, one byte brought into range and the refusals.
TEST_F(EmergencyWithTexts, FillAndTakeTheTexts)
{
    CEmergencyData data;
    CEmergencyEditRecord edit;
    edit.Fill(data, Settings());
    EXPECT_EQ((std::vector<std::string>{edit.idText, edit.idType, edit.alarmCyclesMode, edit.impoliteSendTimes}),
              (std::vector<std::string>{"0123", "DTMF", "Counted", "10"}));
    edit.idText = "*#12";
    edit.alarmMode = "Loud";
    edit.rxDuration = 300; // brought into the byte
    EXPECT_TRUE(edit.Take(data, Settings()));
    EXPECT_EQ(test::Slice(data.Block(), 4, 19), (test::Bytes{0x0E, 0x0F, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x0A,
                                                             0x0A, 0xFA, 0x0A, 0x0A, 0xFE, 0x0A, 0xFD, 0x14, 0xFF}));
    // A text that matches no entry keeps a bit field, stores 0xFF in a whole byte and fails the take;
    // the ID bytes follow the ID type.
    edit.voiceCyclesMode = "Sometimes";
    edit.politeSendTimes = "99";
    edit.idType = "Six";
    edit.idText = "9999";
    EXPECT_FALSE(edit.Take(data, Settings()));
    EXPECT_EQ(test::Slice(data.Block(), 3, 16), (test::Bytes{0xE4, 0x0E, 0x0F, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x06,
                                                             0x0A, 0xFF, 0xFA, 0x0A, 0x0A, 0xFE}));
}

TEST(EmergencyPage, ListsSpinsAndEnabling)
{
    // The ID type list for signalling type 1 offers no entry 3, for type 2 no entry 2.
    const std::vector<CComboLine> all = {{"None", 0}, {"Call", 1}, {"DTMF", 2}, {"Four", 3}, {"Six", 4}};
    EXPECT_EQ(IdTypeLinesFor(all, 0), all);
    EXPECT_EQ(IdTypeLinesFor(all, 1), (std::vector<CComboLine>{all[0], all[1], all[2], all[4]}));
    EXPECT_EQ(IdTypeLinesFor(all, 2), (std::vector<CComboLine>{all[0], all[1], all[3], all[4]}));
    // Spin buttons wrap at the limits: value, step, up, result within 0-10.
    // The window pins a step of one at both ends.
    const std::tuple<int, int, bool, int> spins[] = {
        {9, 5, true, 0}, {6, 5, false, 1}, {30, 1, false, 10}, {-4, 1, true, 0}, {7, 0, true, 8}};
    for (const auto& [value, step, up, result] : spins)
        EXPECT_EQ(SpinEmergencyValue(value, step, 0, 10, up), result) << value << " " << up << " " << step;

    // clang-format off
    const std::vector<int> controls = {E::kAlarmDurationEdit, E::kAlarmDurationSpin, E::kAlarmCyclesModeCombo,
        E::kAlarmCyclesEdit, E::kAlarmCyclesSpin, E::kVoiceCyclesEdit, E::kVoiceCyclesSpin, E::kSquelchModeCombo,
        E::kTxDurationEdit, E::kTxDurationSpin, E::kRxDurationEdit, E::kRxDurationSpin, E::kBackgroundToneCheck,
        E::kIdEdit, E::kImpoliteTimesCombo, E::kSendModeCombo, E::kSignallingCombo, E::kPoliteTimesCombo};
    // clang-format on
    // ID type, alarm mode, alarm cycles mode, voice cycles mode; which of the controls above are
    // enabled (one letter each, in order); the send mode forced.
    const std::tuple<int, int, int, int, const char*, std::optional<int>> cases[] = {
        {2, 0, 2, 2, "-----yyyyyyyyyyyyy", 1}, // the default record: digit ID, alarm off, voice cycles counted
        {1, 1, 1, 1, "yyy----yy???yyyyy-", 0},
        {0, 2, 2, 0, "y?yyy-------------", std::nullopt},
    };
    for (const auto& [idType, alarm, alarmCycles, voiceCycles, enabled, sendMode] : cases) {
        const CEmergencyEnabling r = EmergencyEnablingRules(idType, alarm, alarmCycles, voiceCycles);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (enabled[i] != '?') {
                EXPECT_EQ(r.IsEnabled(controls[i]), enabled[i] == 'y') << enabled << " " << controls[i];
            }
        }
        EXPECT_EQ(r.sendMode, sendMode) << enabled;
    }
}

} // namespace
} // namespace qrv
