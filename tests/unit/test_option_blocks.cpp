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

TEST(KeysVox, VoxOffClearsEverySideKeyWithTheVoxFunctionOnly)
{
    const Bytes keys = {0x4B, 0x1C, 0x4B, 0x4B, 0x4C, 0x4B, 0x4B, 0xFF, 0xFF, 0xFF, 0xFE};
    // 75 outside the side keys (bytes 0 and 6) is not a key function and stays; other notices leave the keys.
    const std::pair<CNotification, Bytes> cases[] = {
        {{CNotification::Kind::VoxChanged, 0}, {0x4B, 0x1C, 0x00, 0x00, 0x4C, 0x00, 0x4B, 0xFF, 0xFF, 0xFF, 0xFE}},
        {{CNotification::Kind::VoxChanged, 3}, keys},
        {{CNotification::Kind::Deleted, 0}, keys},
    };
    for (const auto& [notification, after] : cases) {
        CKeyData data;
        data.LoadFromImage(test::ImageWith(CKeyData::kImageOffset, keys));
        data.OnNotification(notification);
        EXPECT_EQ(Slice(data.Block()), after) << static_cast<int>(notification.kind) << " " << notification.data;
    }
    EXPECT_FALSE(CKeyData::IsFunctionAllowed(75, 0));
    EXPECT_TRUE(CKeyData::IsFunctionAllowed(75, 3));
    EXPECT_TRUE(CKeyData::IsFunctionAllowed(66, 0));
    EXPECT_FALSE(CKeyData::IsFunctionAllowed(79, 3)); // never offered
    std::vector<CComboLine> lines = {{"Monitor", 79}, {"Off", 0}, {"Monitor", 79}, {"VOX", 75}, {"Again", 79}};
    RemoveNeverOfferedFunctions(lines);
    EXPECT_EQ(lines, (std::vector<CComboLine>{{"Off", 0}, {"VOX", 75}}));
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

TEST(OptionBlocks, ModeEditRecordDropsFactoryCloneWithoutClone)
{
    CModeData mode;
    mode.LoadFromImage(test::ImageWith(0x128, {0xC7})); // factory clone bit set while clone mode is off
    CModeEditRecord edit;
    edit.Fill(mode);
    EXPECT_FALSE(edit.clone || edit.factoryClone || mode.IsFactoryCloneEnabled());
    edit.Take(mode);
    EXPECT_EQ(Slice(mode.Block()), (Bytes{0xFF, 0x87}));
    edit.clone = edit.factoryClone = edit.panelTest = true;
    edit.Take(mode);
    EXPECT_EQ(Slice(mode.Block()), (Bytes{0xFF, 0xDF}));
}

class OptionBlocksEdit : public ::testing::Test {
protected:
    const CSettings& Settings() { return m_texts.Settings(); }

    test::CTestTexts m_texts{"S0204908=0:1:15:1:0:1:0\r\nS0206502=0:3:30:1:0:1:0\r\nS0206504=0:3:30:1:0:1:0\r\n"
                             "S0204430=0.Off;1.1;2.2;3.3;4.4;5.5;6.6;7.7\r\nS0204432=0:5:100:10:0:1:1\r\n"
                             "S0201404=0:1:9:1:0:1:0\r\nS0201412=0.Off;1.1;2.2;3.3\r\n"
                             "S0201414=0.Off;1.Save 1:1;2.Save 1:2;3.Save 1:4\r\nS0201402=0.55 Hz;1.Phase\r\n"
                             "S0201420=0:1:60:1:0:1:0\r\nS0201424=0.Chinese;1.English\r\n"
                             "S0206605=0.None;66.Light;75.VOX;80.Scan;81.Power\r\n"};
};

// A text that matches no entry stores 0xFF in a whole byte, keeps a bit field
// and fails the take.
TEST_F(OptionBlocksEdit, VolumeMicrophoneVoxAndKeyTexts)
{
    // No window takes the volume, microphone and key records: one take each.
    CVolumeData volume;
    CVolumeEditRecord v;
    v.Fill(volume, Settings());
    v.alertToneVolume = "loud";
    EXPECT_FALSE(v.Take(volume, Settings()));
    EXPECT_EQ(volume.Block()[2], 0xFF);
    CMicrophoneData microphone;
    CMicrophoneEditRecord m;
    m.Fill(microphone, Settings());
    m.externalGain = "31";
    EXPECT_FALSE(m.Take(microphone, Settings()));
    EXPECT_EQ(Slice(microphone.Block()), (Bytes{0x04, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
    CKeyData keys;
    CKeyEditRecord k;
    k.Fill(keys, Settings());
    k.texts = {"Power", "None", "Teleport", k.texts[3]};
    EXPECT_FALSE(k.Take(keys, Settings()));
    EXPECT_EQ(Slice(keys.Block()), (Bytes{0x1D, 0x1C, 0x51, 0x00, 0xFF, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));

    CVoxData vox;
    CVoxEditRecord edit;
    edit.Fill(vox, Settings());
    EXPECT_EQ(std::pair(edit.gainLevel, edit.delayTime), (std::pair<std::string, std::string>("3", "7.5")));
    edit.gainLevel = "Off";
    edit.delayTime = "0.5";
    EXPECT_TRUE(edit.Take(vox, Settings()));
    EXPECT_EQ(Slice(vox.Block()), (Bytes{0xF1, 0x01}));
    edit.gainLevel = "max";
    EXPECT_FALSE(edit.Take(vox, Settings()));
    EXPECT_EQ(vox.Block()[0], 0xF1);
}

TEST_F(OptionBlocksEdit, MiscellaneousTexts)
{
    CMiscellaneousData misc;
    CMiscellaneousEditRecord edit;
    edit.Fill(misc, Settings());
    EXPECT_EQ((std::vector<std::string>{edit.squelchLevel, edit.batterySaveDelay, edit.batterySaveMode, edit.tailRevert,
                                        edit.lowBatteryAlertGap, edit.voicePlayLanguage}),
              (std::vector<std::string>{"5", "2", "Save 1:2", "Phase", "20", "English"}));
    EXPECT_TRUE(edit.scanLed);
    EXPECT_TRUE(edit.Take(misc, Settings()));
    EXPECT_EQ(Slice(misc.Block()), Slice(CMiscellaneousData::kDefaultBlock));
    edit.squelchLevel = "9";
    edit.batterySaveMode = "Save 1:4";
    edit.tailRevert = "55 Hz";
    edit.scanLed = false;
    edit.voicePlayBattery = true;
    edit.voicePlayLanguage = "Chinese";
    EXPECT_TRUE(edit.Take(misc, Settings()));
    EXPECT_EQ(Slice(misc.Block()), test::Padded({0x09, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x03, 0xFF, 0x14, 0x0D}, 14));
    edit.batterySaveMode = "always";
    edit.lowBatteryAlertGap = "forever";
    EXPECT_FALSE(edit.Take(misc, Settings()));
    EXPECT_EQ(misc.Block()[6], 0x03);
    EXPECT_EQ(misc.Block()[8], 0xFF);
}

} // namespace
} // namespace qrv
