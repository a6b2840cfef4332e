#include "radio_data/ini_file.h"

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

TEST(IniFile, KeepsLineEndingsAndSkipsAByteOrderMark)
{
    CIniFile ini = CIniFile::FromText("\xEF\xBB\xBF[A]\nK=1\n");
    EXPECT_EQ(ini.GetInt("A", "K", 0), 1);
    ini.Set("A", "K", "2");
    EXPECT_EQ(ini.ToText(), "[A]\nK=2\n");
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
}

} // namespace
} // namespace qrv
