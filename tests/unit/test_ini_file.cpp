#include "radio_data/ini_file.h"
#include "radio_data/messages.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(IniFile, LookupsIgnoreCaseAndBlanksAndTakeTheFirstMatch)
{
    const CIniFile ini = CIniFile::FromText("; comment\r\n[Setting]\r\n  ModelID =  QL210  \r\nmodelid=second\r\n"
                                            "[setting]\r\nModelName=ignored\r\n[Other]\r\nKey=\"quoted value\"\r\n");
    EXPECT_EQ(ini.GetString("SETTING", "modelid", "", 256), "QL210");
    EXPECT_EQ(ini.GetString("Setting", "ModelName", "none", 256), "none"); // only the first [Setting] counts
    EXPECT_EQ(ini.GetString("other", "KEY", "", 256), "quoted value");
    EXPECT_EQ(ini.GetString("Missing", "Key", "fallback", 256), "fallback");
}

TEST(IniFile, BufferLimitCutsValuesWithoutSplittingCharacters)
{
    const CIniFile ini = CIniFile::FromText("[S]\nA=abcdefghij\nB=信道信道\n");
    EXPECT_EQ(ini.GetString("S", "A", "", 5), "abcd");
    // Each of these characters takes three bytes: a buffer of 8 holds two of them.
    EXPECT_EQ(ini.GetString("S", "B", "", 8), "信道");
    EXPECT_EQ(ini.GetString("S", "A", "", 0), "");
}

TEST(IniFile, IntegersReadLikeTheProfileFunctions)
{
    const CIniFile ini = CIniFile::FromText("[S]\nA=  42abc\nB=abc\nC=-7\nD=99999999999999999999999\n");
    EXPECT_EQ(ini.GetInt("S", "A", 5), 42);
    EXPECT_EQ(ini.GetInt("S", "B", 5), 0);
    EXPECT_EQ(ini.GetInt("S", "C", 5), -7);
    EXPECT_EQ(ini.GetInt("S", "Missing", 5), 5);
    EXPECT_GT(ini.GetInt("S", "D", 0), 0); // saturates, never wraps
}

TEST(IniFile, WritingOneKeyKeepsEveryOtherLine)
{
    const std::string text = "; my settings\r\n[Setting]\r\nSignal=0\r\n\r\n  ComPort = 3 ; port\r\n"
                             "[User Mode]\r\nLevel=659\r\n";
    CIniFile ini = CIniFile::FromText(text);
    ini.Set("setting", "signal", "2");
    EXPECT_EQ(ini.ToText(), "; my settings\r\n[Setting]\r\nSignal=2\r\n\r\n  ComPort = 3 ; port\r\n"
                            "[User Mode]\r\nLevel=659\r\n");

    ini.Set("Setting", "FreqRange", "136-174"); // new key: after the last line of its section
    EXPECT_EQ(ini.ToText(),
              "; my settings\r\n[Setting]\r\nSignal=2\r\n\r\n  ComPort = 3 ; port\r\nFreqRange=136-174\r\n"
              "[User Mode]\r\nLevel=659\r\n");

    ini.Set("New", "Key", "v"); // new section at the end
    EXPECT_EQ(CIniFile::FromText(ini.ToText()).GetString("New", "Key", "", 256), "v");
    EXPECT_EQ(CIniFile::FromText(ini.ToText()).GetInt("User Mode", "Level", 0), 659);
}

TEST(IniFile, WritingAKeyReadsBackTheSameAfterASave)
{
    struct Case {
        const char* name;
        std::string text;
        const char* section;
        const char* value; // written to key K
        const char* saved;
    };
    const Case cases[] = {
        {"line ends kept, mark dropped", "\xEF\xBB\xBF[A]\nK=1\n", "A", "2", "[A]\nK=2\n"},
        {"CRLF kept", "[A]\r\nK=1\r\n", "A", "2", "[A]\r\nK=2\r\n"},
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

TEST(IniFile, GarbageNeverCrashesAndYieldsDefaults)
{
    const std::string garbage("\0\xFF[[]]==\n=\n[\nkey without value\n\x01\x02=\x03", 30);
    const CIniFile ini = CIniFile::FromText(garbage);
    EXPECT_EQ(ini.GetString("Setting", "ModelID", "dflt", 100), "dflt");
    EXPECT_EQ(ini.GetInt("Setting", "Signal", 0), 0);
}

TEST(IniFile, SavesAtomicallyAndLoadsBack)
{
    test::CTempDir dir;
    CIniFile ini;
    ini.Set("Setting", "ModelID", "QL210");
    ASSERT_TRUE(ini.SaveAtomically(dir / "Settings.ini"));
    EXPECT_EQ(CIniFile::Load(dir / "Settings.ini").GetString("Setting", "ModelID", "", 100), "QL210");
    EXPECT_FALSE(ini.SaveAtomically(dir / "no-such-dir" / "Settings.ini"));
    EXPECT_TRUE(CIniFile::Load(dir / "missing.ini").SectionNames().empty());
    EXPECT_EQ(CIniFile::RefusalOf(dir / "missing.ini"), 0);
}

TEST(IniFile, FilesBeyondTheLimitsAreRefusedAndKept)
{
    struct Case {
        std::string text;
        int refusal;
    };
    const std::string head = "[Setting]\nModelID=QL210\n";
    const Case cases[] = {
        {head + std::string(CIniFile::kMaxFileBytes - head.size(), ' '), 0},
        {head + std::string(CIniFile::kMaxFileBytes - head.size() + 1, ' '), msg::kFileTooLarge},
        {head + std::string(CIniFile::kMaxFileLines - 2, '\n'), 0},
        {head + std::string(CIniFile::kMaxFileLines - 2, '\n') + "x", msg::kFileTooManyLines},
    };
    test::CTempDir dir;
    const auto path = dir / "Settings.ini";
    for (const Case& c : cases) {
        test::WriteText(path, c.text);
        CIniFile ini = CIniFile::Load(path);
        EXPECT_EQ(ini.LoadRefusal(), c.refusal) << c.text.size();
        EXPECT_EQ(CIniFile::RefusalOf(path), c.refusal) << c.text.size();
        EXPECT_EQ(ini.Find("Setting", "ModelID").has_value(), c.refusal == 0) << c.text.size();
        ini.Set("Setting", "Signal", "1");
        EXPECT_EQ(ini.SaveAtomically(path), c.refusal == 0) << c.text.size();
        if (c.refusal != 0) {
            EXPECT_EQ(test::ReadText(path), c.text);
        }
    }
}

} // namespace
} // namespace qrv
