// The profile files: what a lookup finds, what a write keeps, and the files
// too large to read, which are named to the user and never overwritten.
// Model.dat: the ranges a model is known for, learning a radio's new range,
// and the radio's range block (the identity checks of a radio are rows of
// the transfer fault table). The settings: what construction reads from
// Settings.ini, what is written back and when, and the texts the language
// files give: their lists, and the formatting and escaping of messages.
#include "radio_data/settings.h"

#include "radio_data/ini_file.h"
#include "radio_data/list_spec.h"
#include "radio_data/messages.h"
#include "radio_data/model_catalog.h"
#include "radio_data/program_files.h"
#include "records/channel_data.h"
#include "test_support.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(IniFile, Lookups)
{
    const char* const settings = "; comment\r\n[Setting]\r\n  ModelID =  QL210  \r\nmodelid=second\r\n"
                                 "[setting]\r\nModelName=ignored\r\n[Other]\r\nKey=\"quoted value\"\r\n";
    const std::string garbage("\0\xFF[[]]==\n=\n[\nkey without value\n\x01\x02=\x03", 30);
    // A lookup in a file's text: section, key, the buffer size, and what it finds ("(default)" when nothing).
    const std::tuple<const char*, const char*, const char*, std::size_t, const char*> lookups[] = {
        {settings, "SETTING", "modelid", 256, "QL210"},       // any case, blanks trimmed, the first match
        {settings, "Setting", "ModelName", 256, "(default)"}, // only the first [Setting] counts
        {settings, "other", "KEY", 256, "quoted value"},
        {settings, "Missing", "Key", 256, "(default)"},
        {"[S]\nA=abcdefghij\n", "S", "A", 5, "abcd"},
        {"[S]\nB=信道信道\n", "S", "B", 8, "信道"}, // three bytes each: a buffer of 8 holds two
        {"[S]\nA=abc\n", "S", "A", 0, ""},
        {"[S]\nURL=a=b=c\n", "S", "URL", 256, "a=b=c"}, // the key ends at the first '='
        {garbage.c_str(), "Setting", "ModelID", 256, "(default)"},
    };
    for (const auto& [text, section, key, buffer, found] : lookups)
        EXPECT_EQ(CIniFile::FromText(text).GetString(section, key, "(default)", buffer), found) << text;
    const CIniFile ini = CIniFile::FromText("[S]\nA=  42abc\nB=abc\nC=-7\nD=99999999999999999999999\n");
    for (const auto& [key, value] : {std::pair{"A", 42}, {"B", 0}, {"C", -7}, {"Missing", 5}})
        EXPECT_EQ(ini.GetInt("S", key, 5), value) << key;
    EXPECT_GT(ini.GetInt("S", "D", 0), 0); // saturates, never wraps
}

TEST(IniFile, WritingAKeyKeepsEveryOtherLineAndReadsBackAfterASave)
{
    // What, the file's text, the section and value written to key K, the text saved.
    const std::tuple<const char*, std::string, const char*, const char*, const char*> cases[] = {
        {"other lines kept", "; mine\r\n[A]\r\nK=0\r\n\r\n  C = 3 ; port\r\n[B]\r\nL=9\r\n", "a", "2",
         "; mine\r\n[A]\r\nK=2\r\n\r\n  C = 3 ; port\r\n[B]\r\nL=9\r\n"},
        {"new key after the last line of its section", "[A]\r\nC=3\r\n[B]\r\n", "A", "1",
         "[A]\r\nC=3\r\nK=1\r\n[B]\r\n"},
        {"new section at the end", "[A]\n", "B", "1", "[A]\n[B]\nK=1\n"},
        {"line ends kept, mark dropped", "\xEF\xBB\xBF[A]\nK=1\n", "A", "2", "[A]\nK=2\n"},
        // An editor's second mark once hid the section until a save made it live.
        {"two marks", "\xEF\xBB\xBF\xEF\xBB\xBF[Setting]\nK=1\n", "Setting", "2", "[Setting]\nK=2\n"},
        // A model name from a radio must not plant a section of its own.
        {"line break in a value", "[A]\nK=1\n", "A", "2\n[User Mode]\nLevel=61038527", "[A]\nK=2\n"},
        {"line break in a section", "[A]\n", "B\r\n[User Mode]", "1", "[A]\n[B]\nK=1\n"},
    };
    for (const auto& [name, text, section, value, saved] : cases) {
        CIniFile ini = CIniFile::FromText(text);
        ini.Set(section, "K", value);
        EXPECT_EQ(ini.ToText(), saved) << name;
        const CIniFile again = CIniFile::FromText(ini.ToText());
        EXPECT_EQ(again.SectionNames(), ini.SectionNames()) << name;
        EXPECT_EQ(again.Find(section, "K"), ini.Find(section, "K")) << name;
    }
}

TEST(IniFile, FilesBeyondTheLimitsAreRefusedAndKept)
{
    const std::string head = "[Setting]\nModelID=QL210\n";
    const std::pair<std::string, int> cases[] = {
        {head + std::string(CIniFile::kMaxFileBytes - head.size(), ' '), 0},
        {head + std::string(CIniFile::kMaxFileBytes - head.size() + 1, ' '), msg::kFileTooLarge},
        {head + std::string(CIniFile::kMaxFileLines - 2, '\n'), 0},
        {head + std::string(CIniFile::kMaxFileLines - 2, '\n') + "x", msg::kFileTooManyLines},
    };
    test::CTempDir dir;
    const auto path = dir / "Settings.ini";
    for (const auto& [text, refusal] : cases) {
        test::WriteText(path, text);
        CIniFile ini = CIniFile::Load(path);
        EXPECT_EQ(ini.LoadRefusal(), refusal) << text.size();
        EXPECT_EQ(CIniFile::RefusalOf(path), refusal) << text.size();
        EXPECT_EQ(ini.Find("Setting", "ModelID").has_value(), refusal == 0) << text.size();
        ini.Set("Setting", "Signal", "1");
        EXPECT_EQ(ini.SaveAtomically(path), refusal == 0) << text.size();
        if (refusal != 0) {
            EXPECT_EQ(test::ReadText(path), text);
        } else {
            EXPECT_NE(test::ReadText(path).find("\nSignal=1\n"), std::string::npos);
        }
    }
    // A missing file is an empty one, and a save where no folder is fails.
    EXPECT_TRUE(CIniFile::Load(dir / "missing.ini").SectionNames().empty());
    EXPECT_EQ(CIniFile::RefusalOf(dir / "missing.ini"), 0);
    EXPECT_FALSE(CIniFile().SaveAtomically(dir / "no-such-dir" / "Settings.ini"));
}

TEST(ProgramFiles, AnOversizedFileIsNamedAndLeftAsItIs)
{
    const std::tuple<const char*, std::string, int, const char*> cases[] = {
        {"Settings.ini", "[Setting]\n" + std::string(CIniFile::kMaxFileBytes, ' '), msg::kFileTooLarge, "1 MiB"},
        // The English file cannot say it about itself: plain English does.
        {"QRV_E.lng", std::string(CIniFile::kMaxFileLines + 1, '\n'), msg::kFileTooManyLines, "was not read"},
    };
    for (const auto& [file, text, message, saying] : cases) {
        test::CTempDir dir;
        test::CopyResources(dir.Path());
        test::WriteText(dir / file, text);
        {
            CSettings settings(dir.Path()); // writes its exit values when it goes
            const auto refused = RefusedProgramFiles(settings);
            ASSERT_EQ(refused.size(), 1u) << file;
            EXPECT_EQ(refused[0].path, dir / file);
            EXPECT_EQ(refused[0].message, message) << file;
            const std::string shown = RefusalText(settings, refused[0]);
            EXPECT_NE(shown.find((dir / file).string()), std::string::npos) << shown;
            EXPECT_NE(shown.find(saying), std::string::npos) << shown;
        }
        EXPECT_EQ(test::ReadText(dir / file), text) << file;
    }
}

// The count, then the first three ranges.
std::string Ranges(const CFreqRangeList& list)
{
    std::string out = std::to_string(list.Count()) + ":";
    for (std::size_t i = 0; i < list.Records().size() && i < 3; ++i) {
        const FreqRangeRec& r = list.Records()[i];
        out += Format(" %d-%d/%d-%d:%d", r.lower, r.upper, r.third, r.fourth, r.flags);
    }
    return out;
}

class ModelCatalogTest : public ::testing::Test {
protected:
    ModelCatalogTest()
    {
        test::WriteText(m_dir / "QRV_E.lng", "[Setting]\nLanguage=English\nLanguageList=English\nS0300446=QL210\n");
        m_program.Reopen();
    }

    CFreqRangeList List(const char* catalogue)
    {
        if (catalogue != nullptr)
            test::WriteText(m_dir / "Model.dat", catalogue);
        CFreqRangeList list;
        list.SetModel(m_dir, m_document);
        return list;
    }

    test::CProgramDir m_program{false};
    const std::filesystem::path& m_dir = m_program.Path();
    CDocumentIdentity m_document{"QL210", "QL-210", "400-470", 0, ""};
};

TEST_F(ModelCatalogTest, TheRangesOfAModel)
{
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "1: 136-174/136-174:128"}, // no Model.dat: the fallback
        // A missing key ends the list with the fallback; flags keep their low 8 bits.
        {"[QL210]\nNumber=3\nFreq0=400, 470, 401, 469, 1\nFreq1= 350,390,350,390,258\n",
         "3: 400-470/401-469:1 350-390/350-390:2 136-174/136-174:128"},
        {"[QL210]\nNumber=2147483647\nFreq0=garbage,,,\n", "256: 0-0/0-0:0 136-174/136-174:128 136-174/136-174:128"},
    };
    for (const auto& [catalogue, ranges] : cases) {
        const CFreqRangeList list = List(catalogue);
        EXPECT_EQ(Ranges(list), ranges);
        EXPECT_EQ(list.FlagsOf("136-174"), 0x80);
    }
    EXPECT_EQ(List(nullptr).FlagsOf("400-470"), 0);
    EXPECT_EQ(List(std::get<0>(cases[1])).FlagsOf("400-470"), 1);
}

// The radio brought 400-470: the question, the answer, and the catalogue after.
TEST_F(ModelCatalogTest, ANewRangeIsLearnedOnlyWhenAccepted)
{
    // Model.dat, the answer, the result, where the range went (nullptr: Model.dat unchanged), the count after.
    const std::tuple<const char*, bool, int, const char*, const char*> cases[] = {
        {"[Setting]\nModelID=QL210\n\n[QL210]\nNumber=2\nFreq0=136, 174, 136, 174, 128\nFreq1=350, 390, 350, 390, 2\n",
         true, 2, "Freq2", "3"},
        // A range learned sticks when the model has no section yet or a gap in its keys; none is lost.
        {"[Other]\nNumber=1\n", true, 2, "Freq0", "1"},
        {"[QL210]\nNumber=3\nFreq0=136, 174, 136, 174, 128\nFreq2=350, 390, 350, 390, 2\n", true, 2, "Freq1", "3"},
        {"[QL210]\nNumber=1\nFreq0=136, 174, 136, 174, 128\n", false, 1, nullptr, "1"},
        {"[QL210]\nNumber=1\nFreq0=400, 470, 400, 470, 1\n", false, 0, nullptr, "1"}, // known: nothing asked
    };
    for (const auto& [catalogue, accept, expected, key, number] : cases) {
        SCOPED_TRACE(catalogue);
        CFreqRangeList list = List(catalogue);
        const std::vector<FreqRangeRec> known = list.Records();
        int asked = 0;
        const int result = list.CheckNewFreqRange(m_program.Settings(), m_document, FreqRangeRec{400, 470, 0, 0, 1},
                                                  [&asked, accept = accept](int lo, int hi) {
                                                      asked = lo * 1000 + hi;
                                                      return accept;
                                                  });
        EXPECT_EQ(result, expected);
        EXPECT_EQ(asked, expected == 0 ? 0 : 400470);
        if (expected != 0) {
            EXPECT_EQ(m_program.Settings().LastRangeAnswer, accept ? CSettings::kAnswerYes : CSettings::kAnswerNo);
        }
        EXPECT_EQ(list.Contains(400, 470), accept || expected == 0);
        const CIniFile ini = CIniFile::Load(m_dir / "Model.dat");
        EXPECT_EQ(ini.GetString("QL210", "Number", "", 100), number);
        if (key == nullptr) {
            EXPECT_EQ(test::ReadText(m_dir / "Model.dat"), catalogue);
            continue;
        }
        EXPECT_EQ(ini.GetString("QL210", key, "", 100), "400, 470, 400, 470, 1");
        CFreqRangeList next = List(nullptr); // the next start knows it, and every range known before
        EXPECT_EQ(next.CheckNewFreqRange(m_program.Settings(), m_document, FreqRangeRec{400, 470, 0, 0, 1}, nullptr),
                  0);
        for (const FreqRangeRec& r : known)
            EXPECT_TRUE(r == kFallbackRange || next.Contains(r.lower, r.upper)) << r.lower;
    }
}

TEST_F(ModelCatalogTest, ModelIdentifiersByName)
{
    test::WriteText(m_dir / "Model.dat",
                    "[Setting]\nModelID=QL210, QL300\nQL210=QL-210,QL-220\nQL300=QL-300\n[QL300]\nNumber=1\n");
    CModelCatalog catalog(m_dir, "QL210", "QL-210", "400-470", 0);
    EXPECT_EQ(catalog.ModelIds(), (std::vector<std::string>{"QL210", "QL300"}));
    for (const auto& [name, id] : {std::pair{"QL-220", "QL210"}, {"QL-300", "QL300"}, {"QL-999", ""}})
        EXPECT_EQ(catalog.FindModelID(name), id) << name;
    EXPECT_EQ(catalog.Count(), 0);
    catalog.SetModelID("QL300");
    EXPECT_EQ(catalog.Count(), 1);
    catalog.SetModelID("NONE"); // no Number key: the count stays
    EXPECT_EQ(catalog.Count(), 1);
}

TEST(RadioRange, DecodesTheBlockAReportsRadioSendsAndVersionsCompare)
{
    const std::pair<std::vector<std::uint8_t>, FreqRangeRec> cases[] = {
        {{0x80, 0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17}, {136, 174, 136, 174, 0x80}},
        {{0x80, 0x00, 0x00, 0x00, 0x10, 0xFF, 0xFF, 0xFF, 0xFF}, {136, 174, 136, 174, 0x80}}, // 100 MHz, erased
        {{0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x52}, {136, 520, 136, 520, 0x02}},
    };
    for (const auto& [block, range] : cases)
        EXPECT_EQ(DecodeRadioRange(block), range);
    // Versions compare by their first four characters (older, equal and newer: the session's open checks).
    EXPECT_EQ(CompareVersions("1.0", "1.01"), -1);
    EXPECT_EQ(NewRangeQuestion(0, 400, 470), "Find a new Frequency Range: 400-470 MHz,do you want to add?");
    EXPECT_EQ(NewRangeQuestion(1, 136, 174), "发现一个新频段：136-174 MHz, 是否添加？");
}

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
        {"", {}},                                                               // a list the language file left empty
        {"0:1:2:1:9223372036854775807:1:0;1.One", {{"One", 1}}},                // out of any sensible range
        {"-5:-5:-10:5:-1:-1:0", {{"-1", -1}, {"-2", -2}}},                      // counting down
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
