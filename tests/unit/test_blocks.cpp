// The key, volume, microphone, VOX, miscellaneous and mode blocks: their
// rules and the texts of their edit records; and the blocks the factory sets:
// the tune data and its base-band fields, the radio information's areas, and
// the test frequencies of a range.
#include "radio_data/notification.h"
#include "records/adjustment_data.h"
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

} // namespace
} // namespace qrv
