#include "radio_data/settings.h"

#include "radio_data/ini_file.h"
#include "radio_data/messages.h"
#include "records/channel_data.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using test::CTempDir;
using test::WriteText;

// Model values of the test language file below: a number, a text, and one it lacks.
constexpr int kModelValueOne = 3690;
constexpr int kModelValueText = 3691;
constexpr int kModelValueMissing = 4000;

// A program directory with two minimal language files and a Settings.ini.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteText(m_dir / "QRV_E.lng", "[Setting]\r\nLanguage=English\r\nLanguageList=English,Chinese\r\n"
                                       "HelpFile=help_E\r\nS0100001=First\\nSecond\\nThird\r\n"
                                       "S0100002=\\nLeading\r\nS0200010=0.Off;1.On\r\nS0300446=QL210\r\n"
                                       "[QL210]\r\nS0003690=1\r\nS0003691=abc\r\n");
        WriteText(m_dir / "QRV_S.lng", "[Setting]\r\nLanguage=Chinese\r\nLanguageList=English,Chinese\r\n"
                                       "HelpFile=help_S\r\nS0200010=0.关;1.开\r\n");
    }

    CSettings& Open(const std::string& settingsIni)
    {
        WriteText(m_dir / "Settings.ini", settingsIni);
        m_settings = std::make_unique<CSettings>(m_dir.Path());
        return *m_settings;
    }

    CTempDir m_dir;
    std::unique_ptr<CSettings> m_settings;
};

TEST_F(SettingsTest, ConstructionReadsTheSettingsFile)
{
    CSettings& s = Open("[Setting]\nSignal=3\nComPort=4\nModelName=QL-210\nModelID=QL210\nFreqRange=136-174\n");
    s.SetReadOnly(true);
    EXPECT_EQ(s.ComPort, 4);
    EXPECT_EQ(s.RememberedModel(), (CDocumentIdentity{"QL210", "QL-210", "136-174", 3, CSettings::kProgramVersion}));
}

TEST_F(SettingsTest, MissingOrGarbageSettingsGiveTheDefaults)
{
    for (const std::string& text : {std::string(), std::string("\xFF\xFE garbage [[[ =\n=x\n"),
                                    std::string("[Setting]\nComPort=abc\nFreqRange=wide\n")}) {
        CSettings& s = Open(text);
        s.SetReadOnly(true);
        EXPECT_EQ(s.RememberedModel().signal, 0);
        EXPECT_TRUE(s.ComPort == 1 || s.ComPort == 0);
        EXPECT_EQ(s.RememberedModel().modelId, "");
        EXPECT_EQ(s.RememberedModel().LowerLimit(), 0);
        EXPECT_EQ(s.GetUserLevel(), 0);
    }
}

TEST_F(SettingsTest, WritingTheChoicesKeepsOtherLinesAndDestructionWritesNothing)
{
    const std::string before = "; keep me\n[Setting]\nLanguage=1\n[User Mode]\nLevel=659\n";
    for (const bool write : {false, true}) {
        CSettings& s = Open(before);
        s.RememberModel({"QL210", "QL-220", "400-470", 2, "9.99"});
        s.ComPort = 5;
        if (write) {
            ASSERT_TRUE(s.WriteChoices());
        }
        m_settings.reset();
        if (!write) {
            ASSERT_EQ(test::ReadText(m_dir / "Settings.ini"), before);
        }
    }
    const std::string text = test::ReadText(m_dir / "Settings.ini");
    EXPECT_EQ(text, "; keep me\n[Setting]\nLanguage=1\nSignal=2\nModelID=QL210\nModelName=QL-220\nComPort=5\n"
                    "FreqRange=400-470\n[User Mode]\nLevel=659\n");
}

// Declining a radio's new range after a read puts the range before the read
// back; after a write (no range before it) the current range stays. Never empty.
TEST_F(SettingsTest, DecliningANewRangeNeverEmptiesTheRange)
{
    struct Case {
        const char* previous;
        const char* remembered;
        const char* written;
    };
    const Case cases[] = {{"136-174", "400-470", "136-174"}, {"", "400-470", "400-470"}, {"", "", "350-390"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.previous);
        CSettings& s = Open("[Setting]\nFreqRange=350-390\n");
        s.PreviousRange = c.previous;
        s.RememberModel({"QL210", "QL-210", c.remembered, 0, ""});
        s.LastRangeAnswer = CSettings::kAnswerNo;
        ASSERT_TRUE(s.WriteChoices());
        EXPECT_EQ(CIniFile::Load(m_dir / "Settings.ini").GetString("Setting", "FreqRange", "", 100), c.written);
        s.SetReadOnly(true);
    }
}

TEST_F(SettingsTest, ReadOnlySettingsNeverWrite)
{
    CSettings& s = Open("[Setting]\nSignal=1\n");
    s.SetReadOnly(true);
    s.RememberModel({"QL210", "QL-210", "400-470", 9, ""});
    s.SelectLanguage(1);
    EXPECT_FALSE(s.WriteChoices());
    m_settings.reset();
    EXPECT_EQ(test::ReadText(m_dir / "Settings.ini"), "[Setting]\nSignal=1\n");
}

TEST_F(SettingsTest, SelectLanguagePicksTheFileWhoseNameMatchesTheListEntry)
{
    CSettings& s = Open("[Setting]\n");
    s.SelectLanguage(1);
    EXPECT_EQ(s.LanguageIndex(), 1);
    EXPECT_EQ(s.LanguageName(), "Chinese");
    EXPECT_EQ(s.LanguageFilePath().filename(), "QRV_S.lng");
    EXPECT_EQ(s.HelpFilePath(), "help_S");
    EXPECT_EQ(s.GetItemText(10, 1), "开");
    EXPECT_EQ(CIniFile::Load(m_dir / "Settings.ini").GetInt("Setting", "Language", -1), 1);

    s.SelectLanguage(5); // no such entry: back to the first language
    EXPECT_EQ(s.LanguageIndex(), 0);
    EXPECT_EQ(s.LanguageName(), "English");
    EXPECT_EQ(s.LanguageFilePath().filename(), "QRV_E.lng");
    EXPECT_EQ(s.GetItemText(10, 1), "On");
    s.SetReadOnly(true);
}

TEST_F(SettingsTest, SelectLanguageFallsBackToTheEnglishFileNameEvenWhenMissing)
{
    std::filesystem::remove(m_dir / "QRV_E.lng");
    CSettings& s = Open("");
    s.SetReadOnly(true);
    s.SelectLanguage(0); // the Chinese file's own name is not entry 0
    EXPECT_EQ(s.LanguageFilePath(), m_dir / "QRV_E.lng");
    EXPECT_EQ(s.GetText(10), "");
    EXPECT_EQ(s.GetMessage(1), CSettings::MissingMessageText(1));
    EXPECT_EQ(s.DamagedLanguageFile(), m_dir / "QRV_E.lng");
}

TEST_F(SettingsTest, MessagesBreakLinesAndNeverComeBackEmpty)
{
    CSettings& s = Open("");
    s.SetReadOnly(true);
    s.SelectLanguage(0);
    EXPECT_EQ(s.GetMessage(1), "First\nSecond\nThird");
    EXPECT_EQ(s.GetMessage(2), "\nLeading");
    const std::string missing = s.GetMessage(3);
    EXPECT_EQ(missing, CSettings::MissingMessageText(3));
    EXPECT_NE(missing.find("00003"), std::string::npos);
}

TEST_F(SettingsTest, TextsAPartialTranslationLacksComeFromEnglish)
{
    CSettings& s = Open("[Setting]\nModelID=QL210\n");
    s.SetReadOnly(true);
    s.SelectLanguage(1);
    ASSERT_EQ(s.LanguageName(), "Chinese");
    EXPECT_EQ(s.GetText(10), "0.关;1.开");              // translated
    EXPECT_EQ(s.GetMessage(1), "First\nSecond\nThird"); // not translated
    EXPECT_EQ(s.GetModelText(msg::kAcceptedModelId), "QL210");
    EXPECT_EQ(s.GetModelValue(kModelValueOne), 1);
}

TEST_F(SettingsTest, TextFamiliesAndModelValues)
{
    CSettings& s = Open("[Setting]\nModelID=QL210\n");
    s.SetReadOnly(true);
    s.SelectLanguage(0);
    EXPECT_EQ(s.GetModelText(msg::kAcceptedModelId), "QL210");
    EXPECT_EQ(s.GetModelValue(kModelValueOne), 1);
    EXPECT_EQ(s.GetModelValue(kModelValueText), 0); // not a number
    EXPECT_EQ(s.GetModelValue(kModelValueMissing), 0);
    std::string out = "stale";
    EXPECT_FALSE(s.GetTextIfAny(3, out, false));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(s.GetTextIfAny(10, out, true));
    EXPECT_EQ(out, "0.Off;1.On");
    EXPECT_EQ(s.GetList(10), (std::vector<std::string>{"0.Off", "1.On"}));
    EXPECT_EQ(s.FillCombo(10), (std::vector<CComboLine>{{"Off", 0}, {"On", 1}}));
    EXPECT_EQ(s.GetItemNumber(10, "On"), 1);
    s.RememberModel({"OTHER", "", "", 0, ""});
    EXPECT_EQ(s.GetModelValue(kModelValueOne), 0);
}

TEST_F(SettingsTest, LookupsSeeTheLanguageFileAsItIsNow)
{
    CSettings& s = Open("");
    s.SetReadOnly(true);
    s.SelectLanguage(0);
    EXPECT_EQ(s.GetItemText(10, 0), "Off");
    WriteText(m_dir / "QRV_E.lng", "[Setting]\nLanguage=English\nLanguageList=English,Chinese\n"
                                   "S0200010=0.Disabled;1.Enabled;2.Automatic\n");
    EXPECT_EQ(s.GetItemText(10, 0), "Disabled");
    // Unless the file is held in memory: then the disk is not looked at.
    s.HoldFile(m_dir / "QRV_E.lng", CIniFile::FromText("[Setting]\nS0200010=0.Held\n"));
    WriteText(m_dir / "QRV_E.lng", "[Setting]\nS0200010=0.Disk\n");
    EXPECT_EQ(s.GetItemText(10, 0), "Held");
}

TEST_F(SettingsTest, AGarbledLanguageFileCutsHugeTextsAndTheBuiltInEnglishFillsTheGaps)
{
    using namespace std::string_literals;
    std::string garbage = "\xFF\xFE[Sett\n\0\0=\x01\n[Setting]\nLanguage=English\nLanguageList=English\n"s;
    garbage += "S0200010=" + std::string(30000, 'x') + "\nS0100005=" + std::string(400, 'm') + "\n";
    WriteText(m_dir / "QRV_E.lng", garbage);
    std::filesystem::remove(m_dir / "QRV_S.lng");
    CSettings& s = Open("");
    s.SetReadOnly(true);
    s.SelectLanguage(0);
    EXPECT_EQ(s.GetText(10).size(), 25599u); // the caption buffer
    EXPECT_EQ(s.GetMessage(5).size(), 255u); // the message buffer
    // What the garbled file lacks comes from the shipped English texts built in.
    CIniFile shipped = CIniFile::Load(test::ResourceDir() / "QRV_E.lng");
    EXPECT_EQ(s.GetMessage(msg::kNewQuestion), shipped.GetString("Setting", "S0100800", "", 256));
    EXPECT_FALSE(s.FillCombo(CChannelData::kSpacingList).empty());
    EXPECT_FALSE(s.DamagedLanguageFile().has_value()); // it still names its language
}

TEST_F(SettingsTest, UserLevels)
{
    struct Case {
        const char* level;
        int value;
        bool factory;
    };
    for (const Case c : {Case{"0", 0, false}, Case{"659", 659, true}, Case{"61038527", 61038527, true},
                         Case{"660", 660, false}, Case{"junk", 0, false}}) {
        CSettings& s = Open(std::string("[User Mode]\nLevel=") + c.level + "\n");
        s.SetReadOnly(true);
        EXPECT_EQ(s.GetUserLevel(), c.value) << c.level;
        EXPECT_EQ(s.IsFactoryLevel(), c.factory) << c.level;
    }
}

} // namespace
} // namespace qrv
