// The profile files: what a lookup finds, what a write keeps, and the files
// too large to read, which are named to the user and never overwritten.
// Model.dat: the ranges a model is known for, learning a radio's new range,
// and the radio's range block (the identity checks of a radio are rows of
// the transfer fault table).
#include "radio_data/ini_file.h"
#include "radio_data/messages.h"
#include "radio_data/model_catalog.h"
#include "radio_data/program_files.h"
#include "radio_data/settings.h"

#include "test_support.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

// A lookup in a file's text: section, key, the buffer size, and what it finds.
struct CLookup {
    const char* text;
    const char* section;
    const char* key;
    std::size_t buffer;
    const char* found; // "(default)" when nothing is
};

TEST(IniFile, Lookups)
{
    const char* const settings = "; comment\r\n[Setting]\r\n  ModelID =  QL210  \r\nmodelid=second\r\n"
                                 "[setting]\r\nModelName=ignored\r\n[Other]\r\nKey=\"quoted value\"\r\n";
    const std::string garbage("\0\xFF[[]]==\n=\n[\nkey without value\n\x01\x02=\x03", 30);
    const CLookup lookups[] = {
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
    for (const CLookup& l : lookups)
        EXPECT_EQ(CIniFile::FromText(l.text).GetString(l.section, l.key, "(default)", l.buffer), l.found) << l.text;
    const CIniFile ini = CIniFile::FromText("[S]\nA=  42abc\nB=abc\nC=-7\nD=99999999999999999999999\n");
    EXPECT_EQ(ini.GetInt("S", "A", 5), 42);
    EXPECT_EQ(ini.GetInt("S", "B", 5), 0);
    EXPECT_EQ(ini.GetInt("S", "C", 5), -7);
    EXPECT_EQ(ini.GetInt("S", "Missing", 5), 5);
    EXPECT_GT(ini.GetInt("S", "D", 0), 0); // saturates, never wraps
}

TEST(IniFile, WritingAKeyKeepsEveryOtherLineAndReadsBackAfterASave)
{
    struct Case {
        const char* name;
        std::string text;
        const char* section;
        const char* value; // written to key K
        const char* saved;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        CIniFile ini = CIniFile::FromText(c.text);
        ini.Set(c.section, "K", c.value);
        EXPECT_EQ(ini.ToText(), c.saved) << c.name;
        const CIniFile again = CIniFile::FromText(ini.ToText());
        EXPECT_EQ(again.SectionNames(), ini.SectionNames()) << c.name;
        EXPECT_EQ(again.Find(c.section, "K"), ini.Find(c.section, "K")) << c.name;
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
    const struct {
        const char* catalogue;
        bool accept;
        int result;
        const char* key; // where the range went, or nullptr: Model.dat unchanged
        const char* number;
    } cases[] = {
        {"[Setting]\nModelID=QL210\n\n[QL210]\nNumber=2\nFreq0=136, 174, 136, 174, 128\nFreq1=350, 390, 350, 390, 2\n",
         true, 2, "Freq2", "3"},
        // A range learned sticks when the model has no section yet or a gap in its keys; none is lost.
        {"[Other]\nNumber=1\n", true, 2, "Freq0", "1"},
        {"[QL210]\nNumber=3\nFreq0=136, 174, 136, 174, 128\nFreq2=350, 390, 350, 390, 2\n", true, 2, "Freq1", "3"},
        {"[QL210]\nNumber=1\nFreq0=136, 174, 136, 174, 128\n", false, 1, nullptr, "1"},
        {"[QL210]\nNumber=1\nFreq0=400, 470, 400, 470, 1\n", false, 0, nullptr, "1"}, // known: nothing asked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.catalogue);
        CFreqRangeList list = List(c.catalogue);
        const std::vector<FreqRangeRec> known = list.Records();
        int asked = 0;
        const int result = list.CheckNewFreqRange(m_program.Settings(), m_document, FreqRangeRec{400, 470, 0, 0, 1},
                                                  [&](int lo, int hi) {
                                                      asked = lo * 1000 + hi;
                                                      return c.accept;
                                                  });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(asked, c.result == 0 ? 0 : 400470);
        if (c.result != 0) {
            EXPECT_EQ(m_program.Settings().LastRangeAnswer, c.accept ? CSettings::kAnswerYes : CSettings::kAnswerNo);
        }
        EXPECT_EQ(list.Contains(400, 470), c.accept || c.result == 0);
        const CIniFile ini = CIniFile::Load(m_dir / "Model.dat");
        EXPECT_EQ(ini.GetString("QL210", "Number", "", 100), c.number);
        if (c.key == nullptr) {
            EXPECT_EQ(test::ReadText(m_dir / "Model.dat"), c.catalogue);
            continue;
        }
        EXPECT_EQ(ini.GetString("QL210", c.key, "", 100), "400, 470, 400, 470, 1");
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
    EXPECT_EQ(catalog.FindModelID("QL-220"), "QL210");
    EXPECT_EQ(catalog.FindModelID("QL-300"), "QL300");
    EXPECT_EQ(catalog.FindModelID("QL-999"), "");
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

} // namespace
} // namespace qrv
