// The settings: what construction reads from Settings.ini, what is written
// back and when, and the texts the language files give: their lists, and the
// formatting and escaping of messages.
#include "radio_data/settings.h"

#include "radio_data/ini_file.h"
#include "radio_data/list_spec.h"
#include "radio_data/messages.h"
#include "records/channel_data.h"
#include "test_support.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using test::WriteText;

// Model values of the test language file below: a number, a text, and one it lacks.
constexpr int kModelValueOne = 3690;
constexpr int kModelValueText = 3691;
constexpr int kModelValueMissing = 4000;

// A program directory with two minimal language files and a Settings.ini.
class SettingsTest : public ::testing::Test {
protected:
    SettingsTest()
    {
        WriteText(m_dir / "QRV_E.lng", "[Setting]\r\nLanguage=English\r\nLanguageList=English,Chinese\r\n"
                                       "HelpFile=help_E\r\nS0100001=First\\nSecond\\nThird\r\n"
                                       "S0100002=\\nLeading\r\nS0200010=0.Off;1.On\r\nS0300446=QL210\r\n"
                                       "[QL210]\r\nS0003690=1\r\nS0003691=abc\r\n");
        WriteText(m_dir / "QRV_S.lng", "[Setting]\r\nLanguage=Chinese\r\nLanguageList=English,Chinese\r\n"
                                       "HelpFile=help_S\r\nS0200010=0.关;1.开\r\n");
    }

    CSettings& Open(const std::string& settingsIni, bool readOnly = true)
    {
        WriteText(m_dir / "Settings.ini", settingsIni);
        m_settings = std::make_unique<CSettings>(m_dir.Path());
        m_settings->SetReadOnly(readOnly);
        return *m_settings;
    }
    std::string Written() { return test::ReadText(m_dir / "Settings.ini"); }

    test::CTempDir m_dir;
    std::unique_ptr<CSettings> m_settings;
};

TEST_F(SettingsTest, ConstructionReadsTheSettingsFileAndGarbageGivesTheDefaults)
{
    CSettings& s = Open("[Setting]\nSignal=3\nComPort=4\nModelName=QL-210\nModelID=QL210\nFreqRange=136-174\n");
    EXPECT_EQ(s.ComPort, 4);
    EXPECT_EQ(s.RememberedModel(), (CDocumentIdentity{"QL210", "QL-210", "136-174", 3, CSettings::kProgramVersion}));
    for (const std::string& text : {std::string(), std::string("\xFF\xFE garbage [[[ =\n=x\n"),
                                    std::string("[Setting]\nComPort=abc\nFreqRange=wide\n")}) {
        CSettings& d = Open(text);
        EXPECT_EQ(d.RememberedModel().signal, 0);
        EXPECT_EQ(d.RememberedModel().modelId, "");
        EXPECT_EQ(d.RememberedModel().LowerLimit(), 0);
        EXPECT_TRUE(d.ComPort == 0 || d.ComPort == 1);
        EXPECT_EQ(d.GetUserLevel(), 0);
    }
    for (const auto& [level, value, factory] :
         {std::tuple{"659", 659, true}, {"61038527", 61038527, true}, {"660", 660, false}, {"junk", 0, false}}) {
        CSettings& u = Open(std::string("[User Mode]\nLevel=") + level + "\n");
        EXPECT_EQ(u.GetUserLevel(), value) << level;
        EXPECT_EQ(u.IsFactoryLevel(), factory) << level;
    }
}

TEST_F(SettingsTest, OnlyWritingTheChoicesWritesAndOtherLinesStay)
{
    const std::string before = "; keep me\n[Setting]\nLanguage=1\n[User Mode]\nLevel=659\n";
    for (const int how : {0, 1, 2}) { // destroyed, read-only, written
        CSettings& s = Open(before, how == 1);
        s.RememberModel({"QL210", "QL-220", "400-470", 2, "9.99"});
        s.ComPort = 5;
        if (how != 0) {
            EXPECT_EQ(s.WriteChoices(), how == 2);
        }
        m_settings.reset();
        EXPECT_EQ(Written(), how == 2 ? "; keep me\n[Setting]\nLanguage=1\nSignal=2\nModelID=QL210\nModelName=QL-220\n"
                                        "ComPort=5\nFreqRange=400-470\n[User Mode]\nLevel=659\n"
                                      : before);
    }
}

// Declining a radio's new range after a read puts the range before the read
// back; after a write (no range before it) the current range stays. Never empty.
TEST_F(SettingsTest, DecliningANewRangeNeverEmptiesTheRange)
{
    for (const auto& [previous, remembered, written] :
         {std::tuple{"136-174", "400-470", "136-174"}, {"", "400-470", "400-470"}, {"", "", "350-390"}}) {
        CSettings& s = Open("[Setting]\nFreqRange=350-390\n", false);
        s.PreviousRange = previous;
        s.RememberModel({"QL210", "QL-210", remembered, 0, ""});
        s.LastRangeAnswer = CSettings::kAnswerNo;
        ASSERT_TRUE(s.WriteChoices());
        EXPECT_EQ(CIniFile::Load(m_dir / "Settings.ini").GetString("Setting", "FreqRange", "", 100), written);
        s.SetReadOnly(true);
    }
}

TEST_F(SettingsTest, SelectLanguagePicksTheFileWhoseNameMatchesTheListEntry)
{
    CSettings& s = Open("[Setting]\nModelID=QL210\n", false);
    s.SelectLanguage(1);
    EXPECT_EQ(s.LanguageName(), "Chinese");
    EXPECT_EQ(s.LanguageFilePath().filename(), "QRV_S.lng");
    EXPECT_EQ(s.HelpFilePath(), "help_S");
    EXPECT_EQ(CIniFile::Load(m_dir / "Settings.ini").GetInt("Setting", "Language", -1), 1);
    s.SetReadOnly(true);
    EXPECT_EQ(s.GetText(10), "0.关;1.开");              // translated
    EXPECT_EQ(s.GetMessage(1), "First\nSecond\nThird"); // not translated: from English
    EXPECT_EQ(s.GetModelValue(kModelValueOne), 1);

    s.SelectLanguage(5); // no such entry: back to the first language
    EXPECT_EQ(s.LanguageIndex(), 0);
    EXPECT_EQ(s.LanguageFilePath().filename(), "QRV_E.lng");
    EXPECT_EQ(s.GetItemText(10, 1), "On");
    std::filesystem::remove(m_dir / "QRV_E.lng");
    s.SelectLanguage(0); // the Chinese file's own name is not entry 0
    EXPECT_EQ(s.LanguageFilePath(), m_dir / "QRV_E.lng");
    EXPECT_EQ(s.GetText(10), "");
    EXPECT_EQ(s.GetMessage(1), CSettings::MissingMessageText(1));
    EXPECT_EQ(s.DamagedLanguageFile(), m_dir / "QRV_E.lng");
}

TEST_F(SettingsTest, TextFamiliesAndModelValues)
{
    CSettings& s = Open("[Setting]\nModelID=QL210\n");
    s.SelectLanguage(0);
    EXPECT_EQ(s.GetMessage(2), "\nLeading");
    EXPECT_NE(s.GetMessage(3).find("00003"), std::string::npos); // never empty
    EXPECT_EQ(s.GetModelText(msg::kAcceptedModelId), "QL210");
    EXPECT_EQ(s.GetModelValue(kModelValueText), 0); // not a number
    EXPECT_EQ(s.GetModelValue(kModelValueMissing), 0);
    std::string out = "stale";
    EXPECT_FALSE(s.GetTextIfAny(3, out, false));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(s.GetTextIfAny(10, out, true));
    EXPECT_EQ(out, "0.Off;1.On");
    EXPECT_EQ(s.FillCombo(10), (std::vector<CComboLine>{{"Off", 0}, {"On", 1}}));
    EXPECT_EQ(s.GetItemNumber(10, "On"), 1);
    s.RememberModel({"OTHER", "", "", 0, ""});
    EXPECT_EQ(s.GetModelValue(kModelValueOne), 0);
    // Lookups see the language file as it is now, unless it is held in memory.
    WriteText(m_dir / "QRV_E.lng", "[Setting]\nLanguage=English\nS0200010=0.Disabled;1.Enabled\n");
    EXPECT_EQ(s.GetItemText(10, 0), "Disabled");
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
    s.SelectLanguage(0);
    EXPECT_EQ(s.GetText(10).size(), 25599u); // the caption buffer
    EXPECT_EQ(s.GetMessage(5).size(), 255u); // the message buffer
    CIniFile shipped = CIniFile::Load(test::ResourceDir() / "QRV_E.lng");
    EXPECT_EQ(s.GetMessage(msg::kNewQuestion), shipped.GetString("Setting", "S0100800", "", 256));
    EXPECT_FALSE(s.FillCombo(CChannelData::kSpacingList).empty());
    EXPECT_FALSE(s.DamagedLanguageFile().has_value()); // it still names its language
}

TEST_F(SettingsTest, BackupKeepDaysFromSettingsIni)
{
    const std::pair<const char*, int> rows[] = {
        {nullptr, 60}, {"0", 0}, {" 45 ", 45}, {"abc", 60}, {"-5", 60}, {"12x", 60}, {"9999999", 60}, {"3650", 3650},
    };
    for (const auto& [value, expected] : rows)
        EXPECT_EQ(Open(value ? std::string("[Backup]\nKeepDays=") + value + "\n" : "").BackupKeepDays(), expected)
            << (value ? value : "(missing)");
}

using Lines = std::vector<CComboLine>;

TEST(ListSpec, ExpandsNamedAndRangeItems)
{
    const std::pair<const char*, Lines> cases[] = {
        {"0.Off;1.On", {{"Off", 0}, {"On", 1}}},
        {"0:5:20:10:0:1:1", {{"0.0", 0}, {"0.5", 1}, {"1.0", 2}, {"1.5", 3}, {"2.0", 4}}},
        {"1:1:3:1:7:1:0", {{"1", 7}, {"2", 8}, {"3", 9}}},
        {"0.Off;15:15:45:1:15:15:0", {{"Off", 0}, {"15", 15}, {"30", 30}, {"45", 45}}},
        {"0.12.5 kHz;1.25 kHz", {{"12.5 kHz", 0}, {"25 kHz", 1}}}, // the number ends at the first full stop
        {"x.bad;.5;7.Seven;1:2:3;1:1:2:1:0:1;1:1:2:1:0:1:0:9", {{"Seven", 7}}}, // neither form: skipped
        {"0:0:10:1:0:1:0;0:1:3:0:0:1:0", {}},                                   // step or divisor 0 cannot be evaluated
        {"", {}},
        {"0:1:2:1:9223372036854775807:1:0;1.One", {{"One", 1}}}, // out of any sensible range
        {"-5:-5:-10:5:-1:-1:0", {{"-1", -1}, {"-2", -2}}},       // counting down
    };
    for (const auto& [listText, lines] : cases)
        EXPECT_EQ(ExpandListSpec(listText), lines) << listText;
}

TEST(ListSpec, TextAndNumberOfAnItem)
{
    // The text of an item number follows the first item that yields one.
    const std::tuple<const char*, long long, const char*> texts[] = {
        {"0.Off;1.On", 1, "On"},          {"0:5:20:10:0:1:1", 3, "1.5"},
        {"1:1:3:1:7:1:0", 9, "3"},        {"1:1:3:1:7:1:0", 10, ""},
        {"1:1:3:1:7:1:0", 6, ""},         {"5.Five;0:1:9:1:0:1:0", 5, "Five"},
        {"0:1:9:1:0:1:0;5.Five", 5, "5"}, {"0.Off", 3, ""},
    };
    for (const auto& [listText, number, text] : texts)
        EXPECT_EQ(ItemTextOf(listText, number), text) << listText << " " << number;
    EXPECT_EQ(ItemNumberOf("0.Off;1.On", "On"), 1);
    EXPECT_EQ(ItemNumberOf("0:5:20:10:0:1:1", "1.5"), 3);
    EXPECT_FALSE(ItemNumberOf("0.Off;1.On", "on").has_value());
    // List boxes take only the named items.
    EXPECT_EQ(NamedItems("0.Off;0:1:3:1:0:1:0;4.Four"), (Lines{{"Off", 0}, {"Four", 4}}));
}

// 953 bytes of range items once gave 5.3 million lines.
TEST(ListSpec, TheWholeExpansionIsBounded)
{
    constexpr const char* kHugeRange = "0:1:999999999:1:0:1:0";
    std::string manyHugeRanges = "0.Off";
    for (int i = 0; i < 45; ++i)
        manyHugeRanges += std::string(";") + kHugeRange;
    // Not one line beyond the limit, named items after a full range included.
    for (const std::string& text : {std::string(kHugeRange), manyHugeRanges, kHugeRange + std::string(";5.Five")}) {
        const auto lines = ExpandListSpec(text);
        EXPECT_EQ(lines.size(), kMaxListLines) << text.substr(0, 30);
    }
    EXPECT_EQ(ExpandListSpec(manyHugeRanges).front(), (CComboLine{"Off", 0}));
}

TEST(MessageFormat, OneArgumentAndNeverAConversionLeft)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"The file %s could not be read.", "a.dat", "The file a.dat could not be read."},
        {"The file %s could not be read.", "", "The file  could not be read."},
        {"At %s and %s.", "x", "At x and ."},      // a second conversion has no argument
        {"Address %d.", "12", "Address 12."},      // any letter takes the argument
        {"100%% sure %s", "now", "100% sure now"}, // an escaped percent is a percent
        {"Ends with %", "x", "Ends with %"},
        {"No conversion.", "x", "No conversion."},
    };
    for (const auto& [format, text, expected] : cases)
        EXPECT_EQ(FormatMessageText(format, text), expected) << format;
    EXPECT_EQ(FormatMessageNumber("At %d, %s.", 295), "At 295, .");
    EXPECT_EQ(FormatMessageNumber("At 0x%04X.", 0x127), "At 0x127.");
    // Several numbers take the conversions in turn; one beyond them is dropped.
    EXPECT_EQ(FormatMessageNumbers("Page %d of %d", {2, 7}), "Page 2 of 7");
    EXPECT_EQ(FormatMessageNumbers("第 %d 页，共 %d 页 %s", {1, 3}), "第 1 页，共 3 页 ");
}

TEST(PrintableText, EscapesWhatATerminalWouldObey)
{
    const std::pair<std::string, std::string> cases[] = {
        {"QL-210 ok", "QL-210 ok"},
        {"\x1b[2J", "\\x1B[2J"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"line\r\nnext\x7f", "line\\x0D\\x0Anext\\x7F"},
        {"\xe4\xb8\xad\xe6\x96\x87", "\xe4\xb8\xad\xe6\x96\x87"}, // Chinese stays
        {"\xc2\x9b"
         "1m",
         "\\xC2\\x9B1m"},                   // a C1 control in UTF-8
        {"1.0\xff", "1.0\\xFF"},            // not UTF-8
        {"cut \xe4\xb8", "cut \\xE4\\xB8"}, // a sequence cut short
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(PrintableText(text), expected);
}

} // namespace
} // namespace qrv
