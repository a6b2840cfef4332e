// The key, volume, microphone, VOX, miscellaneous and mode blocks: their
// rules and the texts of their edit records; the emergency block's
// references and their check, its edit record and page rules; and the blocks
// the factory sets: the tune data and its base-band fields, the radio
// information's areas, and the test frequencies of a range.
#include "radio_data/notification.h"
#include "records/adjustment_data.h"
#include "records/emergency_data.h"
#include "records/key_data.h"
#include "records/microphone_data.h"
#include "records/miscellaneous_data.h"
#include "records/mode_data.h"
#include "records/radio_info_data.h"
#include "records/test_frequency_data.h"
#include "records/volume_data.h"
#include "records/vox_data.h"

#include "record_test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using test::Bytes;
using test::Records;
using test::Slice;

// The VOX-off rule clears side keys only (75 outside them is no key function),
// on a VOX-off notice only.
TEST(KeysVox, VoxOffClearsEverySideKeyWithTheVoxFunctionOnly)
{
    const Bytes keys = {0x4B, 0x1C, 0x4B, 0x4B, 0x4C, 0x4B, 0x4B, 0xFF, 0xFF, 0xFF, 0xFE};
    const Bytes cleared = {0x4B, 0x1C, 0x00, 0x00, 0x4C, 0x00, 0x4B, 0xFF, 0xFF, 0xFF, 0xFE};
    for (const auto kind : {CNotification::Kind::VoxChanged, CNotification::Kind::Deleted}) {
        CKeyData data;
        data.LoadFromImage(test::ImageWith(CKeyData::kImageOffset, keys));
        data.OnNotification({kind, 0});
        EXPECT_EQ(Slice(data.Block()), kind == CNotification::Kind::Deleted ? keys : cleared);
    }
}

TEST(OptionBlocks, VoiceRulesFollowTheLanguageAndTheLevel)
{
    CMiscellaneousData misc;
    misc.SetDefaults(1); // any but the first language: voice language 0
    EXPECT_EQ(misc.Block()[9], 0x0C);
    for (const auto& [level, shown] : {std::pair{"61038527", true}, std::pair{"659", false}, std::pair{"0", false}}) {
        test::CTempDir dir;
        test::WriteText(dir / "Settings.ini", std::string("[User Mode]\r\nLevel=") + level + "\r\n");
        CSettings settings(dir.Path());
        settings.SetReadOnly(true);
        EXPECT_EQ(CMiscellaneousData::AreVoiceControlsShown(settings), shown) << level;
    }
}

// A text that matches no entry stores 0xFF in a whole byte, keeps a bit field
// and fails the take.
TEST(OptionBlocksEdit, TextsOfTheEditRecords)
{
    test::CTestTexts texts("S0204908=0:1:15:1:0:1:0\r\nS0206502=0:3:30:1:0:1:0\r\nS0206504=0:3:30:1:0:1:0\r\n"
                           "S0204430=0.Off;1.1;2.2;3.3;4.4;5.5;6.6;7.7\r\nS0204432=0:5:100:10:0:1:1\r\n"
                           "S0201404=0:1:9:1:0:1:0\r\nS0201412=0.Off;1.1;2.2;3.3\r\n"
                           "S0201414=0.Off;1.Save 1:1;2.Save 1:2;3.Save 1:4\r\nS0201402=0.55 Hz;1.Phase\r\n"
                           "S0201420=0:1:60:1:0:1:0\r\nS0201424=0.Chinese;1.English\r\n"
                           "S0206605=0.None;66.Light;75.VOX;80.Scan;81.Power\r\n");
    const CSettings& settings = texts.Settings();
    // No window takes the volume, microphone and key records: one take each.
    CVolumeData volume;
    CVolumeEditRecord v;
    v.Fill(volume, settings);
    v.alertToneVolume = "loud";
    EXPECT_FALSE(v.Take(volume, settings));
    EXPECT_EQ(volume.Block()[2], 0xFF);
    CMicrophoneData microphone;
    CMicrophoneEditRecord m;
    m.Fill(microphone, settings);
    m.externalGain = "31";
    EXPECT_FALSE(m.Take(microphone, settings));
    EXPECT_EQ(Slice(microphone.Block()), (Bytes{0x04, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
    CKeyData keys;
    CKeyEditRecord k;
    k.Fill(keys, settings);
    k.texts = {"Power", "None", "Teleport", k.texts[3]};
    EXPECT_FALSE(k.Take(keys, settings));
    EXPECT_EQ(Slice(keys.Block()), (Bytes{0x1D, 0x1C, 0x51, 0x00, 0xFF, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));

    CVoxData vox;
    CVoxEditRecord x;
    x.Fill(vox, settings);
    EXPECT_EQ(std::pair(x.gainLevel, x.delayTime), (std::pair<std::string, std::string>("3", "7.5")));
    x.gainLevel = "max";
    EXPECT_FALSE(x.Take(vox, settings));
    EXPECT_EQ(Slice(vox.Block()), (Bytes{0xF7, 0x0F}));

    CMiscellaneousData misc;
    CMiscellaneousEditRecord edit;
    edit.Fill(misc, settings);
    EXPECT_EQ((std::vector<std::string>{edit.squelchLevel, edit.batterySaveDelay, edit.batterySaveMode, edit.tailRevert,
                                        edit.lowBatteryAlertGap, edit.voicePlayLanguage}),
              (std::vector<std::string>{"5", "2", "Save 1:2", "Phase", "20", "English"}));
    EXPECT_TRUE(edit.scanLed);
    EXPECT_TRUE(edit.Take(misc, settings));
    EXPECT_EQ(Slice(misc.Block()), Slice(CMiscellaneousData::kDefaultBlock));
    edit.tailRevert = "55 Hz"; // no window changes it
    edit.batterySaveMode = "always";
    edit.lowBatteryAlertGap = "forever";
    EXPECT_FALSE(edit.Take(misc, settings));
    EXPECT_EQ((Bytes{misc.Block()[6], misc.Block()[8]}), (Bytes{0x22, 0xFF}));
}

// The radio reads and writes its blocks by address inside the tune data and the radio information.
TEST(FactoryBlocks, RadioBlocksInsideTheirArea)
{
    CAdjustmentData tune;
    EXPECT_TRUE(tune.SetBytesAt(0x3E9, Bytes(16, 0x11)));
    EXPECT_TRUE(tune.SetBytesAt(0x3F9, Bytes(7, 0x22)));
    EXPECT_FALSE(tune.SetBytesAt(0x3FA, Bytes(7, 0x33)));
    EXPECT_FALSE(tune.SetBytesAt(0x33F, Bytes(1, 0x33)));
    EXPECT_EQ(Slice(tune.Block(), 0x3E8 - 0x340), test::Padded(test::Padded({0xFF}, 17, 0x11), 24, 0x22));
    EXPECT_EQ(Slice(tune.BytesAt(0x3F9, 7)), Bytes(7, 0x22));
    EXPECT_TRUE(tune.BytesAt(0x3FA, 7).empty());

    CRadioInfoData info;
    EXPECT_TRUE(info.SetBytesAt(0x048, Bytes(16, 'S')));
    EXPECT_TRUE(info.SetBytesAt(0x070, Bytes(8, 0x11)));
    EXPECT_FALSE(info.SetBytesAt(0x071, Bytes(8, 0x22)));
    EXPECT_FALSE(info.SetBytesAt(0x00F, Bytes(1, 0x22)));
    EXPECT_EQ(info.SerialNumber(), std::string(16, 'S'));
    EXPECT_EQ(Slice(info.Block(), 96), Bytes(8, 0x11));
}

TEST(FactoryBlocks, BaseBandTextsGoThroughTheirLists)
{
    test::CTestTexts texts("S0207116=0:-3:-24:1:0:1:0\r\nS0207125=0.Off;1.Slow;2.Fast\r\n");
    const CSettings& settings = texts.Settings();
    CAdjustmentData data;
    data.LoadFromImage(test::FilledImage(0x00));
    const CBaseBandField& gain = CAdjustmentData::kReceiveFields[0];
    const CBaseBandField& compandor = CAdjustmentData::kReceiveFields[7];
    EXPECT_EQ(data.FieldText(gain, settings), "0");
    EXPECT_TRUE(data.SetFieldText(gain, "-15", settings));
    EXPECT_TRUE(data.SetFieldText(compandor, "Fast", settings));
    EXPECT_EQ(data.FieldText(compandor, settings), "Fast");
    EXPECT_FALSE(data.SetFieldText(compandor, "Medium", settings));
    EXPECT_FALSE(data.SetFieldText(gain, "-24", settings)); // entry 8 does not fit three bits
    EXPECT_FALSE(data.SetFieldText(CAdjustmentData::kTransmitFields[2], "1", settings)); // a check box
    EXPECT_EQ((Bytes{data.Block()[0x3F5 - 0x340], data.Block()[0x3F9 - 0x340]}), (Bytes{0x05, 0x40}));
}

TEST(TestFrequencyDefaults, PointsAndChannelsOfTheRange136To174)
{
    CTestFrequencyData data;
    ASSERT_TRUE(data.MakeDefaultTestFrequencies("136-174"));
    std::vector<std::string> points; // receive / transmit
    for (std::size_t p = 0; p < 5; ++p)
        points.push_back(data.PointRxText(p) + "/" + data.PointTxText(p));
    EXPECT_EQ(points, (std::vector<std::string>{"136.15000/136.00000", "145.15000/145.00000", "155.15000/155.00000",
                                                "164.15000/164.00000", "173.85000/174.00000"}));
    std::vector<std::string> channels; // transmit / receive
    for (std::size_t k = 0; k < 9; ++k)
        channels.push_back(data.ChannelTxText(k) + "/" + data.ChannelRxText(k));
    EXPECT_EQ(channels,
              (std::vector<std::string>{"136.00000/136.15000", "140.00000/140.15000", "145.00000/144.85000",
                                        "150.00000/149.85000", "155.00000/155.15000", "159.00000/159.15000",
                                        "164.00000/163.85000", "169.00000/168.85000", "174.00000/173.85000"}));
    for (std::size_t k = 0; k < 9; ++k)
        EXPECT_EQ(data.ChannelRxStep(k) * 16 + data.ChannelTxStep(k), 0x33) << k;
    // Channel 2 as the radio reads it; channels 9 to 15 all zero; the points' words.
    EXPECT_EQ(Slice(data.Block(), 20, 10), (Bytes{0x00, 0x50, 0x48, 0x14, 0x00, 0x00, 0x50, 0x14, 0x03, 0x03}));
    EXPECT_EQ(Slice(data.Block(), 90, 70), Bytes(70, 0x00));
    EXPECT_EQ(Slice(data.Block(), 160, 4), (Bytes{0x00, 0x50, 0x61, 0x13}));
    EXPECT_EQ(Slice(data.Block(), 196, 4), (Bytes{0x00, 0x00, 0x40, 0x17}));
}

TEST(TestFrequencyDefaults, OtherRangesUseTruncatingHalvesAndBadOnesErase)
{
    CTestFrequencyData data;
    ASSERT_TRUE(data.MakeDefaultTestFrequencies("400-470"));
    EXPECT_EQ(data.PointTxText(1), "417.00000");   // (435 + 400) / 2
    EXPECT_EQ(data.PointTxText(3), "452.00000");   // (435 + 470) / 2
    EXPECT_EQ(data.ChannelTxText(1), "408.00000"); // (417 + 400) / 2
    EXPECT_EQ(data.ChannelRxText(7), "460.85000"); // (452 + 470) / 2 - 0.15
    for (const char* range : {"", "abc", "174-136", "0-100", "400-1000", "x-y"}) {
        ASSERT_TRUE(data.MakeDefaultTestFrequencies("136-174"));
        EXPECT_FALSE(data.MakeDefaultTestFrequencies(range)) << range;
        EXPECT_EQ(Slice(data.Block()), Bytes(200, 0xFF)) << range;
    }
}

using E = CEmergencyData;
using Kind = CNotification::Kind;

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
