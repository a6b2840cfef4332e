// qrvctl export-csv and import-csv as a user runs them.
#include "radio_data/data_file.h"
#include "test_support.h"
#include "tool_runner.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

class QrvctlCsvTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::CopyResources(m_dir.Path());
        ASSERT_EQ(Run({"new", "-o", File("a.dat"), "--range", "400-470"}).exitCode, 0);
    }

    test::CToolResult Run(std::vector<std::string> args)
    {
        args.push_back("--data-dir");
        args.push_back(m_dir.Path().string());
        return test::RunTool(QRVCTL_PATH, args);
    }

    std::string File(const std::string& name) { return (m_dir / name).string(); }

    // The channel table of a data file's image.
    std::vector<std::uint8_t> Channels(const std::string& name)
    {
        Image image{};
        EXPECT_TRUE(ReadBlocks(m_dir / name, nullptr, image));
        return {image.begin() + 0x580, image.begin() + 0x6C0};
    }

    test::CTempDir m_dir;
};

TEST_F(QrvctlCsvTest, ExportThenImportKeepsTheChannelsInBothFormats)
{
    for (const char* format : {"native", "common"}) {
        SCOPED_TRACE(format);
        ASSERT_EQ(Run({"export-csv", File("a.dat"), "-o", File("a.csv"), "--format", format}).exitCode, 0);
        const auto r = Run({"import-csv", File("a.dat"), File("a.csv"), "-o", File("b.dat"), "--format", format});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(Channels("b.dat"), Channels("a.dat"));
    }
}

TEST_F(QrvctlCsvTest, BadRowsAreListedAndNothingIsWrittenUnlessSkipped)
{
    // Sixteen good rows (so that the scan list keeps all its channels) and two bad ones, lines 3 and 4.
    std::string text = "Frequency,Tone,rToneFreq\n440.5,,\n146.52,,\n441,Tone,99.9\n";
    for (int i = 1; i < 16; ++i)
        text += "440.5,,\n";
    test::WriteText(m_dir / "in.csv", text);
    const auto r = Run({"import-csv", File("a.dat"), File("in.csv"), "-o", File("b.dat"), "--format", "common"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("in.csv:3: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("in.csv:4: "), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir / "b.dat"));

    const auto skipped = Run({"import-csv", File("a.dat"), File("in.csv"), "-o", File("b.dat"), "--format", "common",
                              "--skip-bad", "--append"});
    EXPECT_EQ(skipped.exitCode, 1) << "the default codeplug has 16 channels: no room to append";
    EXPECT_FALSE(std::filesystem::exists(m_dir / "b.dat"));

    const auto taken =
        Run({"import-csv", File("a.dat"), File("in.csv"), "-o", File("b.dat"), "--format", "common", "--skip-bad"});
    EXPECT_EQ(taken.exitCode, 0) << taken.err;
    const auto channels = Channels("b.dat");
    EXPECT_EQ(std::vector<std::uint8_t>(channels.begin() + 4, channels.begin() + 8),
              (std::vector<std::uint8_t>{0x00, 0x00, 0x05, 0x44}));
}

TEST_F(QrvctlCsvTest, UsageErrors)
{
    EXPECT_EQ(Run({"export-csv", File("a.dat")}).exitCode, 2);
    EXPECT_EQ(Run({"export-csv", File("a.dat"), "-o", File("x.csv"), "--format", "other"}).exitCode, 2);
    EXPECT_EQ(Run({"import-csv", File("a.dat"), "-o", File("b.dat")}).exitCode, 2);
    EXPECT_EQ(Run({"import-csv", File("a.dat"), File("none.csv"), "-o", File("b.dat")}).exitCode, 1);
}

} // namespace
} // namespace qrv
