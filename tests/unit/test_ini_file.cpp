// The profile files: what a lookup finds, what a write keeps, and the files
// too large to read, which are named to the user and never overwritten.
#include "radio_data/ini_file.h"
#include "radio_data/messages.h"
#include "radio_data/program_files.h"
#include "radio_data/settings.h"

#include "test_support.h"

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

} // namespace
} // namespace qrv
