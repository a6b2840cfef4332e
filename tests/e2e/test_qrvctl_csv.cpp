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
        test::CToolResult r = test::RunTool(QRVCTL_PATH, args);
        EXPECT_TRUE(test::WholeLines(r.out) && test::WholeLines(r.err)) << r.out << r.err;
        return r;
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
    // The header row tells the column set: no --format on import.
    for (const char* format : {"native", "common"}) {
        SCOPED_TRACE(format);
        ASSERT_EQ(Run({"export-csv", File("a.dat"), "-o", File("a.csv"), "--format", format}).exitCode, 0);
        const auto r = Run({"import-csv", File("a.dat"), File("a.csv"), "-o", File("b.dat")});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(Channels("b.dat"), Channels("a.dat"));
    }
}

TEST_F(QrvctlCsvTest, AShorterListTakesTheScanListAlong)
{
    ASSERT_EQ(Run({"export-csv", File("a.dat"), "-o", File("a.csv")}).exitCode, 0);
    const std::string all = test::ReadText(m_dir / "a.csv");
    const auto original = Channels("a.dat");
    for (const std::size_t count : {1u, 4u, 15u}) {
        SCOPED_TRACE(count);
        std::size_t end = 0;
        for (std::size_t line = 0; line <= count; ++line)
            end = all.find("\r\n", end) + 2;
        test::WriteText(m_dir / "part.csv", all.substr(0, end));
        const auto r = Run({"import-csv", File("a.dat"), File("part.csv"), "-o", File("b.dat")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.out.find("replaces the whole channel list"), std::string::npos) << r.out;
        // The channels kept, each but its list links (bytes 0-3).
        const auto channels = Channels("b.dat");
        for (std::size_t i = 0; i < count; ++i)
            EXPECT_TRUE(std::equal(channels.begin() + 20 * i + 4, channels.begin() + 20 * i + 20,
                                   original.begin() + 20 * i + 4))
                << "channel " << i + 1;
        // The first scan list: its members close up to the channels left, the rest of the slots are empty.
        Image image{};
        ASSERT_TRUE(ReadBlocks(m_dir / "b.dat", nullptr, image));
        std::vector<std::uint8_t> members(16, 0xFF);
        for (std::size_t i = 0; i < count; ++i)
            members[i] = static_cast<std::uint8_t>(i + 1);
        EXPECT_EQ(image[0x210 + 4], count);
        EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 0x210 + 16, image.begin() + 0x210 + 32), members);
    }
}

TEST_F(QrvctlCsvTest, BadRowsAreListedAndNothingIsWrittenUnlessSkipped)
{
    // Sixteen good rows (so that the scan list keeps all its channels) and two bad ones, lines 3 and 4.
    std::string text = "Frequency,Tone,rToneFreq\n440.5,,\n146.52,,\n441,Tone,99.9\n";
    for (int i = 1; i < 16; ++i)
        text += "440.5,,\n";
    test::WriteText(m_dir / "in.csv", text);
    const auto r = Run({"import-csv", File("a.dat"), File("in.csv"), "-o", File("b.dat")});
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
    EXPECT_NE(taken.err.find("in.csv:4: "), std::string::npos) << taken.err;
    const auto channels = Channels("b.dat");
    EXPECT_EQ(std::vector<std::uint8_t>(channels.begin() + 4, channels.begin() + 8),
              (std::vector<std::uint8_t>{0x00, 0x00, 0x05, 0x44}));
}

TEST_F(QrvctlCsvTest, AResultThatFailsTheChecksIsListedAndNotWritten)
{
    // Channel 1 names personality 5, which does not exist; the common column
    // set carries no personality, so the imported channel 1 keeps it.
    std::string file = test::ReadText(m_dir / "a.dat");
    Image image{};
    ASSERT_TRUE(ReadBlocks(m_dir / "a.dat", nullptr, image));
    const std::size_t start = file.find(std::string(image.begin(), image.end()));
    ASSERT_NE(start, std::string::npos);
    file[start + 0x580 + 18] = 5;
    test::WriteText(m_dir / "bad.dat", file);
    test::WriteText(m_dir / "in.csv", "Frequency\n440.5\n146.52\n441\n");

    const auto r = Run({"import-csv", File("bad.dat"), File("in.csv"), "-o", File("b.dat"), "--skip-bad"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("in.csv:3: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing has been saved"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("  Personality List: "), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir / "b.dat"));
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
