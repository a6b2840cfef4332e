// The volume, microphone, VOX, miscellaneous and mode blocks and their edit records.
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

TEST(OptionBlocks, NewBlocksAreStoredWithTheirDefaultBytes)
{
    Image image = test::FilledImage(0xEE);
    CVolumeData volume;
    volume.SetAlertToneVolume(1);
    volume.SetDefaults();
    volume.StoreToImage(image);
    CMicrophoneData().StoreToImage(image);
    CVoxData().StoreToImage(image);
    CMiscellaneousData misc;
    ASSERT_TRUE(misc.SetBatterySaveMode(1));
    misc.SetDefaults(0); // the first language
    misc.StoreToImage(image);
    CModeData().StoreToImage(image);
    EXPECT_TRUE(test::HoldsAt(
        image, 0x083, {0x01, 0x7F, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0xEE));
    // Microphone, VOX, miscellaneous and mode lie one after another from 0x111.
    EXPECT_TRUE(test::HoldsAt(image, 0x111, {0x04, 0x00, 0x04, 0x00, 0xFF, 0xFF, 0xF7, 0x0F, 0x05, 0xFF, 0xFF, 0xFF,
                                             0xFF, 0x02, 0x26, 0xFF, 0x14, 0x1C, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x87},
                              0xEE));
    misc.SetDefaults(1); // any other language
    misc.StoreToImage(image);
    EXPECT_EQ(Slice(image, 0x119, 14),
              (Bytes{0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x26, 0xFF, 0x14, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(OptionBlocks, LoadAndStoreKeepEveryByteButTheForcedVolume)
{
    EXPECT_TRUE(test::BlockRoundTrips<CMicrophoneData>(0x111, 6));
    EXPECT_TRUE(test::BlockRoundTrips<CVoxData>(0x117, 2));
    EXPECT_TRUE(test::BlockRoundTrips<CMiscellaneousData>(0x119, 14));
    EXPECT_TRUE(test::BlockRoundTrips<CModeData>(0x127, 2));

    // The volume block is written with the alert tone volume 12, which it keeps in memory.
    const Image pattern = test::PatternImage(31, 17);
    CVolumeData volume;
    volume.LoadFromImage(pattern);
    Image stored = test::FilledImage(0xFF);
    volume.StoreToImage(stored);
    Image expected = pattern;
    expected[0x085] = 0x0C;
    EXPECT_TRUE(test::OnlyCopied(stored, expected, 0x083, 0x091));
    EXPECT_EQ(volume.AlertToneVolume(), pattern[0x085]);
    EXPECT_NE(pattern[0x085], 0x0C);
}

TEST(OptionBlocks, VoxGainLevelIsBitsOneToThree)
{
    CVoxData vox;
    EXPECT_EQ(vox.GainLevel(), 3);
    EXPECT_TRUE(vox.IsVoxOn());
    struct Case {
        unsigned level;
        bool accepted;
        std::uint8_t byte;
    };
    for (const Case& c : {Case{0, true, 0xF1}, Case{7, true, 0xFF}, Case{5, true, 0xFB}, Case{8, false, 0xFB}}) {
        EXPECT_EQ(vox.SetGainLevel(c.level), c.accepted) << c.level;
        EXPECT_EQ(Slice(vox.Block()), (Bytes{c.byte, 0x0F})) << c.level;
    }
    ASSERT_TRUE(vox.SetGainLevel(0));
    EXPECT_FALSE(vox.IsVoxOn());
    const CNotification n = vox.GainChangedNotification();
    EXPECT_TRUE(n.kind == CNotification::Kind::VoxChanged);
    EXPECT_EQ(n.data, 0u);
}

TEST(OptionBlocks, MicrophoneGainsAreLittleEndianWords)
{
    CMicrophoneData microphone;
    microphone.SetInternalGain(0x0102);
    microphone.SetExternalGain(0xFFFF);
    EXPECT_EQ(Slice(microphone.Block()), (Bytes{0x02, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(microphone.InternalGain(), 0x0102);
}

TEST(OptionBlocks, ClearingCloneModeClearsFactoryCloneMode)
{
    CModeData mode;
    mode.LoadFromImage(test::ImageWith(0x128, {0xD7})); // clone and factory clone on, bit 5 off, tune switch off
    EXPECT_TRUE(mode.CloneMode());
    EXPECT_TRUE(mode.FactoryCloneMode());
    mode.SetCloneMode(false);
    EXPECT_EQ(Slice(mode.Block()), (Bytes{0xFF, 0x87}));
    EXPECT_FALSE(mode.SetFactoryCloneMode(true));
    EXPECT_EQ(Slice(mode.Block()), (Bytes{0xFF, 0x87}));
    mode.SetCloneMode(true);
    EXPECT_TRUE(mode.SetFactoryCloneMode(true));
    mode.SetTuneSwitch(true);
    EXPECT_EQ(Slice(mode.Block()), (Bytes{0xFF, 0xDF}));
    EXPECT_TRUE(mode.PanelTestMode());
}

TEST(OptionBlocks, ModeEditRecordDropsFactoryCloneWithoutClone)
{
    CModeData mode;
    mode.LoadFromImage(test::ImageWith(0x128, {0xC7})); // factory clone bit set while clone mode is off
    CModeEditRecord edit;
    edit.Fill(mode);
    EXPECT_FALSE(edit.clone);
    EXPECT_FALSE(edit.factoryClone);
    EXPECT_FALSE(mode.IsFactoryCloneEnabled());
    edit.Take(mode);
    EXPECT_EQ(Slice(mode.Block()), (Bytes{0xFF, 0x87}));

    edit.clone = true;
    edit.factoryClone = true;
    edit.panelTest = true;
    edit.Take(mode);
    EXPECT_EQ(Slice(mode.Block()), (Bytes{0xFF, 0xDF}));
}

TEST(OptionBlocks, MiscellaneousFieldsTouchOnlyTheirBits)
{
    CMiscellaneousData misc;
    EXPECT_TRUE(misc.SetBatterySaveMode(1));
    EXPECT_EQ(misc.Block()[6], 0x25);
    EXPECT_TRUE(misc.SetTailRevert(0));
    EXPECT_EQ(misc.Block()[6], 0x21);
    misc.SetScanLed(false);
    EXPECT_EQ(misc.Block()[6], 0x01);
    EXPECT_FALSE(misc.SetBatterySaveMode(4));
    EXPECT_FALSE(misc.SetTailRevert(2));
    EXPECT_EQ(misc.Block()[6], 0x01);
    EXPECT_TRUE(misc.SetVoicePlayLanguage(0xA));
    misc.SetVoicePlayChannel(true);
    EXPECT_EQ(misc.Block()[9], 0xAE);
    EXPECT_FALSE(misc.SetVoicePlayLanguage(16));
    EXPECT_EQ(misc.Block()[9], 0xAE);
}

TEST(OptionBlocks, MiscellaneousEnablingRules)
{
    CMiscellaneousData misc;
    EXPECT_TRUE(misc.IsBatterySaveModeEnabled());
    misc.SetBatterySaveDelay(0);
    EXPECT_FALSE(misc.IsBatterySaveModeEnabled());
    EXPECT_EQ(misc.BatterySaveMode(), 2); // disabled, but kept

    EXPECT_FALSE(misc.IsVoicePlayLanguageEnabled());
    misc.SetVoicePlayBattery(true);
    EXPECT_TRUE(misc.IsVoicePlayLanguageEnabled());
    misc.SetVoicePlayBattery(false);
    misc.SetVoicePlayChannel(true);
    EXPECT_TRUE(misc.IsVoicePlayLanguageEnabled());
    misc.SetVoicePlayChannel(false);
    EXPECT_FALSE(misc.IsVoicePlayLanguageEnabled());
    EXPECT_EQ(misc.VoicePlayLanguage(), 1);
}

TEST(OptionBlocks, VoiceControlsAreShownAtTheFactoryLevelOnly)
{
    for (const auto& [level, shown] : {std::pair{"61038527", true}, std::pair{"659", false}, std::pair{"0", false}}) {
        test::CTempDir dir;
        test::WriteText(dir / "Settings.ini", std::string("[User Mode]\r\nLevel=") + level + "\r\n");
        CSettings settings(dir.Path());
        settings.SetReadOnly(true);
        EXPECT_EQ(CMiscellaneousData::AreVoiceControlsShown(settings), shown) << level;
    }
}

class OptionBlocksEdit : public ::testing::Test {
protected:
    const CSettings& Settings() { return m_texts.Settings(); }

    test::CTestTexts m_texts{"S0204908=0:1:15:1:0:1:0\r\nS0206502=0:3:30:1:0:1:0\r\nS0206504=0:3:30:1:0:1:0\r\n"
                             "S0204430=0.Off;1.1;2.2;3.3;4.4;5.5;6.6;7.7\r\nS0204432=0:5:100:10:0:1:1\r\n"
                             "S0201404=0:1:9:1:0:1:0\r\nS0201412=0.Off;1.1;2.2;3.3\r\n"
                             "S0201414=0.Off;1.Save 1:1;2.Save 1:2;3.Save 1:4\r\nS0201402=0.55 Hz;1.Phase\r\n"
                             "S0201420=0:1:60:1:0:1:0\r\nS0201424=0.Chinese;1.English\r\n"};
};

TEST_F(OptionBlocksEdit, VolumeAndMicrophoneTexts)
{
    CVolumeData volume;
    CVolumeEditRecord v;
    v.Fill(volume, Settings());
    EXPECT_EQ(v.alertToneVolume, "12");
    v.alertToneVolume = "7";
    EXPECT_TRUE(v.Take(volume, Settings()));
    EXPECT_EQ(volume.AlertToneVolume(), 7);
    v.alertToneVolume = "loud";
    EXPECT_FALSE(v.Take(volume, Settings()));
    EXPECT_EQ(volume.AlertToneVolume(), 0xFF);

    CMicrophoneData microphone;
    CMicrophoneEditRecord m;
    m.Fill(microphone, Settings());
    EXPECT_EQ(m.internalGain, "12");
    EXPECT_EQ(m.externalGain, "12");
    m.internalGain = "27";
    m.externalGain = "31";
    EXPECT_FALSE(m.Take(microphone, Settings()));
    EXPECT_EQ(Slice(microphone.Block()), (Bytes{0x09, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(OptionBlocksEdit, VoxTexts)
{
    CVoxData vox;
    CVoxEditRecord edit;
    edit.Fill(vox, Settings());
    EXPECT_EQ(edit.gainLevel, "3");
    EXPECT_EQ(edit.delayTime, "7.5");
    edit.gainLevel = "Off";
    edit.delayTime = "0.5";
    EXPECT_TRUE(edit.Take(vox, Settings()));
    EXPECT_EQ(Slice(vox.Block()), (Bytes{0xF1, 0x01}));
    edit.gainLevel = "max";
    EXPECT_FALSE(edit.Take(vox, Settings()));
    EXPECT_EQ(vox.Block()[0], 0xF1);
}

TEST_F(OptionBlocksEdit, MiscellaneousTextsRoundTrip)
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
    EXPECT_EQ(Slice(misc.Block()),
              (Bytes{0x09, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x03, 0xFF, 0x14, 0x0D, 0xFF, 0xFF, 0xFF, 0xFF}));

    edit.batterySaveMode = "always";
    edit.lowBatteryAlertGap = "forever";
    EXPECT_FALSE(edit.Take(misc, Settings()));
    EXPECT_EQ(misc.Block()[6], 0x03);
    EXPECT_EQ(misc.Block()[8], 0xFF);
}

} // namespace
} // namespace qrv
