// The key, volume, microphone, VOX, miscellaneous and mode blocks: their
// rules and the texts of their edit records.
#include "radio_data/notification.h"
#include "records/key_data.h"
#include "records/microphone_data.h"
#include "records/miscellaneous_data.h"
#include "records/mode_data.h"
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

} // namespace
} // namespace qrv
