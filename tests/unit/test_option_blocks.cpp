#include "records/microphone.h"
#include "records/miscellaneous.h"
#include "records/mode.h"
#include "records/volume.h"
#include "records/vox.h"

#include "radio_data/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace qrv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Image ErasedImage()
{
    Image image{};
    image.fill(0xFF);
    return image;
}

Bytes At(const Image& image, std::size_t offset, std::size_t count)
{
    return Bytes(image.begin() + static_cast<std::ptrdiff_t>(offset),
                 image.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

template <typename Block> Bytes BytesOf(const Block& block)
{
    return Bytes(block.begin(), block.end());
}

struct DefaultCase {
    const char* name;
    std::size_t offset;
    std::function<void(Image&)> storeDefaults;
    Bytes expected;
};

TEST(OptionBlocks, NewBlocksAreStoredWithTheirDefaultBytes)
{
    const std::vector<DefaultCase> cases = {
        {"volume",
         0x083,
         [](Image& image) {
             CVolumeData v;
             v.SetAlertToneVolume(1);
             v.SetDefaults();
             v.StoreToImage(image);
         },
         {0x01, 0x7F, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"microphone",
         0x111,
         [](Image& image) { CMicrophoneData().StoreToImage(image); },
         {0x04, 0x00, 0x04, 0x00, 0xFF, 0xFF}},
        {"vox", 0x117, [](Image& image) { CVoxData().StoreToImage(image); }, {0xF7, 0x0F}},
        {"miscellaneous, first language",
         0x119,
         [](Image& image) {
             CMiscellaneousData m;
             m.SetDefaults(0);
             m.StoreToImage(image);
         },
         {0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x26, 0xFF, 0x14, 0x1C, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"miscellaneous, other language",
         0x119,
         [](Image& image) {
             CMiscellaneousData m;
             m.SetDefaults(1);
             m.StoreToImage(image);
         },
         {0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x26, 0xFF, 0x14, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"mode", 0x127, [](Image& image) { CModeData().StoreToImage(image); }, {0xFF, 0x87}},
    };
    for (const auto& c : cases) {
        Image image{};
        image.fill(0xEE);
        c.storeDefaults(image);
        EXPECT_EQ(At(image, c.offset, c.expected.size()), c.expected) << c.name;
        EXPECT_EQ(image[c.offset - 1], 0xEE) << c.name;
        EXPECT_EQ(image[c.offset + c.expected.size()], 0xEE) << c.name;
    }
}

TEST(OptionBlocks, LoadAndStoreKeepEveryByteButTheForcedVolume)
{
    Image pattern{};
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<std::uint8_t>(i * 31 + 17);
    CVolumeData volume;
    CMicrophoneData microphone;
    CVoxData vox;
    CMiscellaneousData misc;
    CModeData mode;
    volume.LoadFromImage(pattern);
    microphone.LoadFromImage(pattern);
    vox.LoadFromImage(pattern);
    misc.LoadFromImage(pattern);
    misc.AfterLoad();
    mode.LoadFromImage(pattern);

    Image out = ErasedImage();
    volume.StoreToImage(out);
    microphone.StoreToImage(out);
    vox.StoreToImage(out);
    misc.StoreToImage(out);
    mode.StoreToImage(out);

    Bytes expectedVolume = At(pattern, 0x083, 14);
    expectedVolume[2] = 0x0C;
    EXPECT_EQ(At(out, 0x083, 14), expectedVolume);
    EXPECT_EQ(volume.AlertToneVolume(), pattern[0x085]);
    EXPECT_EQ(At(out, 0x111, 6), At(pattern, 0x111, 6));
    EXPECT_EQ(At(out, 0x117, 2), At(pattern, 0x117, 2));
    EXPECT_EQ(At(out, 0x119, 14), At(pattern, 0x119, 14));
    EXPECT_EQ(At(out, 0x127, 2), At(pattern, 0x127, 2));
    EXPECT_EQ(At(out, 0x091, 0x80), Bytes(0x80, 0xFF));
    EXPECT_EQ(out[0x082], 0xFF);
    EXPECT_EQ(out[0x129], 0xFF);
}

TEST(OptionBlocks, VolumeIsAlwaysWrittenAsTwelve)
{
    CVolumeData volume;
    volume.SetAlertToneVolume(3);
    Image image = ErasedImage();
    volume.StoreToImage(image);
    EXPECT_EQ(At(image, 0x083, 4), (Bytes{0x01, 0x7F, 0x0C, 0xFF}));
    EXPECT_EQ(volume.AlertToneVolume(), 3);
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
        EXPECT_EQ(vox.Block()[0], c.byte) << c.level;
        EXPECT_EQ(vox.Block()[1], 0x0F) << c.level;
    }
    ASSERT_TRUE(vox.SetGainLevel(0));
    EXPECT_FALSE(vox.IsVoxOn());
    const CNotification n = vox.GainChangedNotification();
    EXPECT_EQ(n.kind, 1140);
    EXPECT_EQ(n.data, 0u);
}

TEST(OptionBlocks, MicrophoneGainsAreLittleEndianWords)
{
    CMicrophoneData microphone;
    microphone.SetInternalGain(0x0102);
    microphone.SetExternalGain(0xFFFF);
    EXPECT_EQ(BytesOf(microphone.Block()), (Bytes{0x02, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(microphone.InternalGain(), 0x0102);
}

TEST(OptionBlocks, ClearingCloneModeClearsFactoryCloneMode)
{
    Image image = ErasedImage();
    image[0x128] = 0xD7; // clone and factory clone on, bit 5 off, tune switch off
    CModeData mode;
    mode.LoadFromImage(image);
    EXPECT_TRUE(mode.CloneMode());
    EXPECT_TRUE(mode.FactoryCloneMode());
    mode.SetCloneMode(false);
    EXPECT_EQ(BytesOf(mode.Block()), (Bytes{0xFF, 0x87}));
    EXPECT_FALSE(mode.SetFactoryCloneMode(true));
    EXPECT_EQ(BytesOf(mode.Block()), (Bytes{0xFF, 0x87}));
    mode.SetCloneMode(true);
    EXPECT_TRUE(mode.SetFactoryCloneMode(true));
    mode.SetTuneSwitch(true);
    EXPECT_EQ(BytesOf(mode.Block()), (Bytes{0xFF, 0xDF}));
    EXPECT_TRUE(mode.PanelTestMode());
}

TEST(OptionBlocks, ModeEditRecordDropsFactoryCloneWithoutClone)
{
    Image image = ErasedImage();
    image[0x128] = 0xC7; // factory clone bit set while clone mode is off
    CModeData mode;
    mode.LoadFromImage(image);
    CModeEditRecord edit;
    edit.Fill(mode);
    EXPECT_FALSE(edit.clone);
    EXPECT_FALSE(edit.factoryClone);
    EXPECT_FALSE(mode.IsFactoryCloneEnabled());
    edit.Take(mode);
    EXPECT_EQ(BytesOf(mode.Block()), (Bytes{0xFF, 0x87}));

    edit.clone = true;
    edit.factoryClone = true;
    edit.panelTest = true;
    edit.Take(mode);
    EXPECT_EQ(BytesOf(mode.Block()), (Bytes{0xFF, 0xDF}));
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
    struct Case {
        const char* level;
        bool shown;
    };
    for (const Case& c : {Case{"61038527", true}, Case{"659", false}, Case{"0", false}}) {
        test::CTempDir dir;
        test::WriteText(dir / "Settings.ini", std::string("[User Mode]\r\nLevel=") + c.level + "\r\n");
        CSettings settings(dir.Path());
        settings.SetReadOnly(true);
        EXPECT_EQ(CMiscellaneousData::AreVoiceControlsShown(settings), c.shown) << c.level;
    }
}

class OptionBlocksEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::WriteText(m_dir / "QRV_E.lng", "[Setting]\r\nLanguage=English\r\nLanguageList=English\r\n"
                                             "S0204908=0:1:15:1:0:1:0\r\n"
                                             "S0206502=0:3:30:1:0:1:0\r\n"
                                             "S0206504=0:3:30:1:0:1:0\r\n"
                                             "S0204430=0.Off;1.1;2.2;3.3;4.4;5.5;6.6;7.7\r\n"
                                             "S0204432=0:5:100:10:0:1:1\r\n"
                                             "S0201404=0:1:9:1:0:1:0\r\n"
                                             "S0201412=0.Off;1.1;2.2;3.3\r\n"
                                             "S0201414=0.Off;1.Save 1:1;2.Save 1:2;3.Save 1:4\r\n"
                                             "S0201402=0.55 Hz;1.Phase\r\n"
                                             "S0201420=0:1:60:1:0:1:0\r\n"
                                             "S0201424=0.Chinese;1.English\r\n");
        m_settings = std::make_unique<CSettings>(m_dir.Path());
        m_settings->SetReadOnly(true);
        m_settings->SelectLanguage(0);
    }

    test::CTempDir m_dir;
    std::unique_ptr<CSettings> m_settings;
};

TEST_F(OptionBlocksEdit, VolumeAndMicrophoneTexts)
{
    CVolumeData volume;
    CVolumeEditRecord v;
    v.Fill(volume, *m_settings);
    EXPECT_EQ(v.alertToneVolume, "12");
    v.alertToneVolume = "7";
    EXPECT_TRUE(v.Take(volume, *m_settings));
    EXPECT_EQ(volume.AlertToneVolume(), 7);
    v.alertToneVolume = "loud";
    EXPECT_FALSE(v.Take(volume, *m_settings));
    EXPECT_EQ(volume.AlertToneVolume(), 0xFF);

    CMicrophoneData microphone;
    CMicrophoneEditRecord m;
    m.Fill(microphone, *m_settings);
    EXPECT_EQ(m.internalGain, "12");
    EXPECT_EQ(m.externalGain, "12");
    m.internalGain = "27";
    m.externalGain = "31";
    EXPECT_FALSE(m.Take(microphone, *m_settings));
    EXPECT_EQ(BytesOf(microphone.Block()), (Bytes{0x09, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(OptionBlocksEdit, VoxTexts)
{
    CVoxData vox;
    CVoxEditRecord edit;
    edit.Fill(vox, *m_settings);
    EXPECT_EQ(edit.gainLevel, "3");
    EXPECT_EQ(edit.delayTime, "7.5");
    edit.gainLevel = "Off";
    edit.delayTime = "0.5";
    EXPECT_TRUE(edit.Take(vox, *m_settings));
    EXPECT_EQ(BytesOf(vox.Block()), (Bytes{0xF1, 0x01}));
    edit.gainLevel = "max";
    EXPECT_FALSE(edit.Take(vox, *m_settings));
    EXPECT_EQ(vox.Block()[0], 0xF1);
}

TEST_F(OptionBlocksEdit, MiscellaneousTextsRoundTrip)
{
    CMiscellaneousData misc;
    CMiscellaneousEditRecord edit;
    edit.Fill(misc, *m_settings);
    EXPECT_EQ(edit.squelchLevel, "5");
    EXPECT_EQ(edit.batterySaveDelay, "2");
    EXPECT_EQ(edit.batterySaveMode, "Save 1:2");
    EXPECT_EQ(edit.tailRevert, "Phase");
    EXPECT_TRUE(edit.scanLed);
    EXPECT_EQ(edit.lowBatteryAlertGap, "20");
    EXPECT_EQ(edit.voicePlayLanguage, "English");
    EXPECT_TRUE(edit.Take(misc, *m_settings));
    EXPECT_EQ(BytesOf(misc.Block()), BytesOf(CMiscellaneousData::kDefaultBlock));

    edit.squelchLevel = "9";
    edit.batterySaveMode = "Save 1:4";
    edit.tailRevert = "55 Hz";
    edit.scanLed = false;
    edit.voicePlayBattery = true;
    edit.voicePlayLanguage = "Chinese";
    EXPECT_TRUE(edit.Take(misc, *m_settings));
    EXPECT_EQ(BytesOf(misc.Block()),
              (Bytes{0x09, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x03, 0xFF, 0x14, 0x0D, 0xFF, 0xFF, 0xFF, 0xFF}));

    edit.batterySaveMode = "always";
    edit.lowBatteryAlertGap = "forever";
    EXPECT_FALSE(edit.Take(misc, *m_settings));
    EXPECT_EQ(misc.Block()[6], 0x03);
    EXPECT_EQ(misc.Block()[8], 0xFF);
}

} // namespace
} // namespace qrv
