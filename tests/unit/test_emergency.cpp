#include "records/emergency.h"

#include "radio_data/invalid_log.h"
#include "radio_data/notification.h"
#include "radio_data/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace qrv {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kArea = 0x250;

Bytes BlockOf(const CEmergencyData& data)
{
    return Bytes(data.Block().begin(), data.Block().end());
}

Bytes DefaultBlock()
{
    return Bytes(CEmergencyData::kDefaultBlock.begin(), CEmergencyData::kDefaultBlock.end());
}

Image ImageWith(std::size_t offset, const Bytes& bytes)
{
    Image image{};
    image.fill(0xFF);
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    return image;
}

TEST(EmergencyBlock, DefaultBlockIsStoredAsItStands)
{
    CEmergencyData data;
    data.SetDefaults();
    Image image{};
    image.fill(0xFF);
    data.StoreToImage(image);
    const Bytes expected = {0x0A, 0x00, 0xF8, 0xE2, 0x00, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF,
                            0xFF, 0x04, 0x0A, 0x0A, 0xF8, 0x0A, 0x0A, 0xFE, 0x0A, 0xFD, 0x14,
                            0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(Bytes(image.begin() + kArea, image.begin() + kArea + 32), expected);
    EXPECT_EQ(image[kArea - 1], 0xFF);
    EXPECT_EQ(image[kArea + 32], 0xFF);
}

TEST(EmergencyBlock, DefaultFieldsReadAsTheRecordSays)
{
    const CEmergencyData data;
    EXPECT_EQ(data.IdType(), 2);
    EXPECT_EQ(data.SignallingPosition(), 0);
    EXPECT_EQ(data.AlarmMode(), 0);
    EXPECT_EQ(data.AlarmCyclesMode(), 2);
    EXPECT_EQ(data.VoiceCyclesMode(), 2);
    EXPECT_EQ(data.SquelchMode(), 1);
    EXPECT_TRUE(data.BackgroundTone());
    EXPECT_EQ(data.GetIdText(), "0123");
}

TEST(EmergencyBlock, LoadAndStoreKeepEveryByte)
{
    Bytes pattern(32);
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<std::uint8_t>(0xA5 ^ (i * 29));
    CEmergencyData data;
    data.LoadFromImage(ImageWith(kArea, pattern));
    Image out{};
    out.fill(0xFF);
    data.StoreToImage(out);
    EXPECT_EQ(Bytes(out.begin() + kArea, out.begin() + kArea + 32), pattern);
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
    CEmergencyData data;
    ASSERT_TRUE(data.SetIdText("*#12"));
    EXPECT_EQ(Bytes(data.Block().begin() + 4, data.Block().begin() + 13),
              (Bytes{0x0E, 0x0F, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x04}));
    EXPECT_EQ(data.GetIdText(), "*#12");
}

TEST(EmergencyId, ShortIdKeepsTheLaterBytesAndLongIdIsCut)
{
    CEmergencyData data;
    ASSERT_TRUE(data.SetIdText("9"));
    EXPECT_EQ(Bytes(data.Block().begin() + 4, data.Block().begin() + 13),
              (Bytes{0x09, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}));
    EXPECT_EQ(data.GetIdText(), "9");
    ASSERT_TRUE(data.SetIdText("567890"));
    EXPECT_EQ(data.GetIdText(), "5678");
    EXPECT_EQ(data.IdLength(), 4);
}

TEST(EmergencyId, RefusedCharacterChangesNothing)
{
    CEmergencyData data;
    EXPECT_FALSE(data.SetIdText("1A"));
    EXPECT_FALSE(data.SetIdText("1 2"));
    EXPECT_EQ(BlockOf(data), DefaultBlock());
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
    data.LoadFromImage(ImageWith(kArea, {0x0A, 0x00, 0xF8, 0xE3, 0xA0, 0xF0}));
    EXPECT_EQ(data.IdTextForType(), "D1A1");
    data.LoadFromImage(ImageWith(kArea, {0x0A, 0x00, 0xF8, 0xE4, 0x37, 0x2B, 0x1A}));
    EXPECT_EQ(data.IdTextForType(), "071A2B");
}

// Records that stand for channels and DTMF systems in the reference tests.
struct Records {
    std::vector<std::unique_ptr<CRVQViewProc>> owned;
    CRecordRefs refs;

    explicit Records(int count)
    {
        for (int i = 0; i < count; ++i) {
            owned.push_back(std::make_unique<CRVQViewProc>());
            refs.push_back(owned.back().get());
        }
    }
};

TEST(EmergencyReferences, RevertChannelIsTheValidChannelAtItsPosition)
{
    Records channels(3);
    Records dtmf(1);
    channels.owned[1]->SetValid(false);
    CEmergencyData data;
    struct Case {
        std::uint8_t position;
        std::uint32_t id;
    };
    for (const Case& c : {Case{0, 0}, Case{1, channels.refs[0]->TreeId()}, Case{2, 0},
                          Case{3, channels.refs[2]->TreeId()}, Case{4, 0}, Case{0xFF, 0}}) {
        data.SetRevertChannelPosition(c.position);
        data.ResolveReferences(channels.refs, dtmf.refs);
        EXPECT_EQ(data.RevertChannelId(), c.id) << int(c.position);
    }
}

TEST(EmergencyReferences, OnlyTheDigitIdTypeUsesASignallingSystem)
{
    Records channels(0);
    Records dtmf(2);
    CEmergencyData data;
    data.ResolveReferences(channels.refs, dtmf.refs);
    EXPECT_EQ(data.SignallingSystemId(), dtmf.refs[0]->TreeId());
    ASSERT_TRUE(data.SetSignallingPosition(1));
    data.ResolveReferences(channels.refs, dtmf.refs);
    EXPECT_EQ(data.SignallingSystemId(), dtmf.refs[1]->TreeId());
    ASSERT_TRUE(data.SetSignallingPosition(2));
    data.ResolveReferences(channels.refs, dtmf.refs);
    EXPECT_EQ(data.SignallingSystemId(), 0u);
    ASSERT_TRUE(data.SetSignallingPosition(0));
    ASSERT_TRUE(data.SetIdType(1));
    data.ResolveReferences(channels.refs, dtmf.refs);
    EXPECT_EQ(data.SignallingSystemId(), 0u);
}

TEST(EmergencyReferences, LoadingClearsTheOldReferences)
{
    Records channels(1);
    Records dtmf(1);
    CEmergencyData data;
    data.SetRevertChannelPosition(1);
    data.ResolveReferences(channels.refs, dtmf.refs);
    ASSERT_NE(data.RevertChannelId(), 0u);
    Image image{};
    image.fill(0xFF);
    data.StoreToImage(image);
    data.LoadFromImage(image);
    EXPECT_EQ(data.RevertChannelId(), 0u);
    EXPECT_EQ(data.SignallingSystemId(), 0u);
}

class EmergencyWithTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::WriteText(m_dir / "QRV_E.lng", "[Setting]\r\nLanguage=English\r\nLanguageList=English\r\n"
                                             "S0207300=Emergency\r\n"
                                             "S0207309=Revert channel missing\r\n"
                                             "S0207310=None\r\n"
                                             "S0207317=Signalling system missing\r\n"
                                             "S0207312=0.Impolite;1.Polite\r\n"
                                             "S0207314=0.None;1.Call;2.DTMF;3.Four;4.Six\r\n"
                                             "S0207322=1:1:15:1:1:1:0\r\n"
                                             "S0207324=1:1:15:1:1:1:0\r\n"
                                             "S0207326=0.Off;1.Silent;2.Loud\r\n"
                                             "S0207331=0.Off;1.Endless;2.Counted\r\n"
                                             "S0207336=0.Off;1.Endless;2.Counted\r\n"
                                             "S0207341=0.Carrier;1.Tone\r\n");
        m_settings = std::make_unique<CSettings>(m_dir.Path());
        m_settings->SetReadOnly(true);
        m_settings->SelectLanguage(0);
    }

    test::CTempDir m_dir;
    std::unique_ptr<CSettings> m_settings;
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
    data.Check({CNotification::kEdited, 0}, withoutThird, dtmf.refs, log, *m_settings);
    EXPECT_EQ(log.Count(), 0); // only kind 5 checks
    data.Check({CNotification::kDeleted, 0}, withoutThird, dtmf.refs, log, *m_settings);
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.Entries()[0].key, 72845u);
    EXPECT_EQ(log.Entries()[0].control, 7310);
    EXPECT_EQ(log.Entries()[0].title, "Revert channel missing");
    EXPECT_EQ(log.Entries()[0].text, "Emergency");

    channels.owned[2]->SetValid(false); // an emptied channel counts as missing too
    data.Check({CNotification::kDeleted, 0}, channels.refs, dtmf.refs, log, *m_settings);
    EXPECT_TRUE(log.Contains(72845));
    channels.owned[2]->SetValid(true);
    data.Check({CNotification::kDeleted, 0}, channels.refs, dtmf.refs, log, *m_settings);
    EXPECT_EQ(log.Count(), 0);
}

TEST_F(EmergencyWithTexts, CheckFindsAMissingSignallingSystemForDigitIdsOnly)
{
    Records channels(1);
    Records dtmf(1);
    CEmergencyData data;
    data.ResolveReferences(channels.refs, dtmf.refs);
    CInvalidLog log;
    data.Check({CNotification::kDeleted, 0}, channels.refs, {}, log, *m_settings);
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.Entries()[0].key, 72853u);
    EXPECT_EQ(log.Entries()[0].control, 7318);
    EXPECT_EQ(log.Entries()[0].title, "Signalling system missing");

    data.WithdrawCheckEntries(log);
    EXPECT_EQ(log.Count(), 0);
    ASSERT_TRUE(data.SetIdType(0));
    data.Check({CNotification::kDeleted, 0}, channels.refs, {}, log, *m_settings);
    EXPECT_EQ(log.Count(), 0);
}

TEST_F(EmergencyWithTexts, FillShowsTheDefaultRecord)
{
    CEmergencyEditRecord edit;
    edit.Fill(CEmergencyData(), *m_settings);
    EXPECT_EQ(edit.idText, "0123");
    EXPECT_EQ(edit.idType, "DTMF");
    EXPECT_EQ(edit.alarmMode, "Off");
    EXPECT_EQ(edit.voiceCyclesMode, "Counted");
    EXPECT_EQ(edit.impoliteSendTimes, "10");
    EXPECT_EQ(edit.squelchMode, "Tone");
    EXPECT_EQ(edit.txDuration, 20);
    EXPECT_EQ(edit.revertChannelPosition, 0);
}

TEST_F(EmergencyWithTexts, TakeWritesTheFieldsAndTheDigitId)
{
    CEmergencyData data;
    CEmergencyEditRecord edit;
    edit.Fill(data, *m_settings);
    edit.idText = "*#12";
    edit.alarmMode = "Loud";
    edit.alarmCyclesMode = "Endless";
    edit.impoliteSendTimes = "3";
    edit.revertChannelPosition = 3;
    edit.rxDuration = 300; // brought into the byte
    edit.powerSwitch = true;
    EXPECT_TRUE(edit.Take(data, *m_settings));
    const Bytes expected = {0x0A, 0x03, 0xF9, 0xE2, 0x0E, 0x0F, 0x01, 0x02, 0xFF, 0xFF, 0xFF,
                            0xFF, 0x04, 0x03, 0x0A, 0xF6, 0x0A, 0x0A, 0xFE, 0x0A, 0xFD, 0x14,
                            0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(BlockOf(data), expected);
}

TEST_F(EmergencyWithTexts, TakeFollowsTheIdTypeForTheIdBytes)
{
    struct Case {
        const char* type;
        std::uint8_t length;
    };
    for (const Case& c : {Case{"Four", 4}, Case{"Six", 6}, Case{"Call", 8}, Case{"None", 8}}) {
        CEmergencyData data;
        CEmergencyEditRecord edit;
        edit.Fill(data, *m_settings);
        edit.idType = c.type;
        edit.idText = "9999";
        EXPECT_TRUE(edit.Take(data, *m_settings)) << c.type;
        EXPECT_EQ(Bytes(data.Block().begin() + 4, data.Block().begin() + 12),
                  (Bytes{0x00, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF}))
            << c.type;
        EXPECT_EQ(data.IdLength(), c.length) << c.type;
    }
}

TEST_F(EmergencyWithTexts, UnknownTextKeepsABitFieldAndFailsTheTake)
{
    CEmergencyData data;
    CEmergencyEditRecord edit;
    edit.Fill(data, *m_settings);
    edit.voiceCyclesMode = "Sometimes";
    edit.politeSendTimes = "99";
    EXPECT_FALSE(edit.Take(data, *m_settings));
    EXPECT_EQ(data.Block()[18], 0xFE);
    EXPECT_EQ(data.Block()[14], 0xFF);
}

TEST_F(EmergencyWithTexts, RevertListSkipsInvalidChannelsButKeepsPositions)
{
    Records channels(3);
    channels.owned[1]->SetValid(false);
    const auto lines = RevertChannelLines(channels.refs, *m_settings);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (CComboLine{"None", 0}));
    EXPECT_EQ(lines[1], (CComboLine{"1", channels.refs[0]->TreeId()}));
    EXPECT_EQ(lines[2], (CComboLine{"3", channels.refs[2]->TreeId()}));
    EXPECT_EQ(ChannelPositionOf(channels.refs[2]->TreeId(), channels.refs), 3);
    EXPECT_EQ(ChannelPositionOf(0, channels.refs), 0);
    EXPECT_EQ(ChannelPositionOf(12345, channels.refs), 0);
}

TEST(EmergencyPage, IdTypeListFollowsTheSignallingType)
{
    const std::vector<CComboLine> all = {{"None", 0}, {"Call", 1}, {"DTMF", 2}, {"Four", 3}, {"Six", 4}};
    const auto dataOf = [](const std::vector<CComboLine>& lines) {
        std::vector<long long> data;
        for (const auto& line : lines)
            data.push_back(line.data);
        return data;
    };
    EXPECT_EQ(dataOf(IdTypeLinesFor(all, 0)), (std::vector<long long>{0, 1, 2, 3, 4}));
    EXPECT_EQ(dataOf(IdTypeLinesFor(all, 1)), (std::vector<long long>{0, 1, 2, 4}));
    EXPECT_EQ(dataOf(IdTypeLinesFor(all, 2)), (std::vector<long long>{0, 1, 3, 4}));
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
    for (const int id : {7328, 7329, 7331, 7333, 7334})
        EXPECT_FALSE(r.IsEnabled(id)) << id;
    for (const int id : {7338, 7339, 7341, 7343, 7344, 7346, 7347, 7348, 7320, 7322, 7312, 7318, 7324})
        EXPECT_TRUE(r.IsEnabled(id)) << id;
    EXPECT_EQ(r.sendMode, 1);

    r = EmergencyEnablingRules(1, 1, 1, 1);
    for (const int id : {7328, 7329, 7331, 7341, 7343, 7348, 7320, 7322, 7312, 7318})
        EXPECT_TRUE(r.IsEnabled(id)) << id;
    for (const int id : {7333, 7334, 7338, 7339, 7324})
        EXPECT_FALSE(r.IsEnabled(id)) << id;
    EXPECT_EQ(r.sendMode, 0);

    r = EmergencyEnablingRules(0, 2, 2, 0);
    for (const int id : {7328, 7331, 7333, 7334})
        EXPECT_TRUE(r.IsEnabled(id)) << id;
    for (const int id : {7338, 7339, 7341, 7343, 7344, 7346, 7347, 7348, 7320, 7322, 7312, 7324, 7318})
        EXPECT_FALSE(r.IsEnabled(id)) << id;
    EXPECT_FALSE(r.sendMode.has_value());
}

} // namespace
} // namespace qrv
