// Verify after write: the comparison itself, and a write against a simulated
// radio that keeps or silently loses a block.
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/codeplug_transfer.h"
#include "radio_link/radio_messages.h"
#include "radio_link/write_verify.h"
#include "sim_link.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace qrv {
namespace {

struct CRunsRow {
    const char* name;
    std::vector<std::uint32_t> changed;
    std::uint32_t first;
    std::uint32_t last;
    std::vector<CAddressRun> runs;
    std::string text;
};
// Rows print as their name in test listings.
inline void PrintTo(const CRunsRow& row, std::ostream* out)
{
    *out << row.name;
}

class DifferingRunsTest : public ::testing::TestWithParam<CRunsRow> {};

TEST_P(DifferingRunsTest, NamesEveryDifferenceInTheRange)
{
    const CRunsRow& row = GetParam();
    Image sent{};
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<std::uint8_t>(i * 13);
    Image back = sent;
    for (const std::uint32_t a : row.changed)
        back[a] = static_cast<std::uint8_t>(~back[a]);
    const auto runs = DifferingRuns(sent, back, row.first, row.last);
    EXPECT_EQ(runs, row.runs);
    EXPECT_EQ(DescribeRuns(runs), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DifferingRunsTest,
    ::testing::Values(
        CRunsRow{"Same", {}, 0x078, 0x30F, {}, ""},
        CRunsRow{"OneByte", {0x100}, 0x078, 0x30F, {{0x100, 0x100}}, "0x0100"},
        CRunsRow{"OneBlock",
                 {0x100, 0x101, 0x102, 0x10F},
                 0x078,
                 0x30F,
                 {{0x100, 0x102}, {0x10F, 0x10F}},
                 "0x0100-0x0102, 0x010F"},
        CRunsRow{"OutsideTheRangeIsNotLookedAt", {0x077, 0x310, 0x200}, 0x078, 0x30F, {{0x200, 0x200}}, "0x0200"},
        CRunsRow{"EdgesOfTheRange", {0x078, 0x30F}, 0x078, 0x30F, {{0x078, 0x078}, {0x30F, 0x30F}}, "0x0078, 0x030F"},
        CRunsRow{"LastByteOfTheImage", {0x7FE, 0x7FF}, 0x580, 0x7FF, {{0x7FE, 0x7FF}}, "0x07FE-0x07FF"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DescribeRuns, ShowsTheFirstRunsThenAnEllipsis)
{
    std::vector<CAddressRun> runs;
    for (std::uint32_t a = 0; a < 10; ++a)
        runs.push_back({a * 16, a * 16 + 1});
    EXPECT_EQ(DescribeRuns(runs, 2), "0x0000-0x0001, 0x0010-0x0011, ...");
    EXPECT_EQ(DescribeRuns(runs, 10).find("..."), std::string::npos);
}

class VerifyAfterWriteTest : public ::testing::Test {
protected:
    VerifyAfterWriteTest() : m_data(Settings())
    {
        m_data.Identity() = {"QL210", "QL-210", "400-470", 0, "1.01.05.001"};
        m_data.Clear();
        m_data.Reset();
        m_data.StoreToImage(m_data.GetImage());
        // Every byte the radio holds differs from the document's, so a lost
        // block shows in full.
        for (std::size_t i = 0; i < m_radio.Memory().size(); ++i)
            m_radio.Memory()[i] = static_cast<std::uint8_t>(~m_data.GetImage()[i]);
        m_ranges.SetModel(Settings().ProgramDirectory(), m_data.Identity());
    }

    CSettings& Settings() { return m_program.Settings(); }

    CTransferResult Write(bool verify)
    {
        const auto linkOwner = test::SimLink(m_radio);
        CRadioLink& link = *linkOwner;
        CCodeplugTransfer transfer(CCodeplugTransfer::Direction::Write, link, Settings(), m_data.Identity(),
                                   m_data.GetImage());
        EXPECT_TRUE(transfer.Verify()); // on unless turned off
        transfer.SetVerify(verify);
        std::tm noon{};
        noon.tm_year = 111;
        noon.tm_mday = 1;
        CTransferResult result = transfer.Prepare({"sim", {}}, noon);
        if (result.ok)
            result = transfer.Run({});
        transfer.Finish(result, m_data, m_ranges, [](int, int) { return false; });
        return result;
    }

    // Frames of the radio from the first read-mode request after the last block write.
    std::vector<std::vector<std::uint8_t>> FramesAfterTheWrite() const
    {
        const auto frames = m_radio.ReceivedFrames();
        std::size_t stamp = 0;
        for (std::size_t i = 0; i < frames.size(); ++i)
            if (frames[i][1] == 'E' && frames[i][2] == 'a' && GetLe32(frames[i], 5) == 0x20)
                stamp = i;
        return {frames.begin() + static_cast<std::ptrdiff_t>(stamp) + 1, frames.end()};
    }

    test::CProgramDir m_program;
    CRadioData m_data;
    CFreqRangeList m_ranges;
    sim::CSimRadio m_radio;
};

TEST_F(VerifyAfterWriteTest, AGoodWriteIsReadBackInModeTwoThenModeOne)
{
    const auto r = Write(true);
    ASSERT_TRUE(r.ok) << r.message << " " << r.argument;
    EXPECT_EQ(r.message, msg::kRadioWriteDone);
    const auto after = FramesAfterTheWrite();
    ASSERT_GE(after.size(), 3u);
    EXPECT_EQ(after[0], (std::vector<std::uint8_t>{0x02, 'M', 'a', 2, 0, 0x03}));
    // Every written block and the stamp are read back, each with its own length.
    std::set<std::pair<std::uint32_t, std::uint16_t>> readBack;
    std::size_t modeOne = 0;
    for (std::size_t i = 1; i < after.size(); ++i) {
        if (after[i][1] == 'E' && after[i][2] == 'b' && modeOne == 0)
            readBack.insert({GetLe32(after[i], 3), GetLe16(after[i], 7)});
        if (after[i][1] == 'M' && after[i][3] == 1 && modeOne == 0)
            modeOne = i;
    }
    EXPECT_NE(modeOne, 0u);
    std::set<std::pair<std::uint32_t, std::uint16_t>> expected{{0x020, 8}};
    for (const auto& range : CCodeplugTransfer::WriteRanges(false))
        for (const auto& block : CCodeplugTransfer::Blocks(range))
            expected.insert(block);
    EXPECT_EQ(readBack, expected);
}

TEST_F(VerifyAfterWriteTest, ABlockTheRadioLostIsNamedAndTheWriteFails)
{
    m_radio.Faults().dropWriteAt = 0x105;
    const auto r = Write(true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, msg::kVerifyFailed);
    EXPECT_EQ(r.argument, "0x00F8-0x0107"); // the whole block the address fell in
    EXPECT_EQ(r.address, 0x0F8u);
    EXPECT_EQ(m_radio.Mode(), 1); // the radio is left in its normal mode all the same
}

TEST_F(VerifyAfterWriteTest, TurnedOffNothingIsReadBack)
{
    m_radio.Faults().dropWriteAt = 0x105;
    const auto r = Write(false);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.message, msg::kRadioWriteDone);
    for (const auto& frame : FramesAfterTheWrite())
        EXPECT_FALSE(frame[1] == 'M' && frame[3] == 2) << "no read mode after the write";
}

TEST_F(VerifyAfterWriteTest, ARadioThatStopsAnsweringDuringTheReadBackFails)
{
    // A first write counts the frames up to the read-back's mode change; the
    // second radio session answers exactly those and then goes silent.
    ASSERT_TRUE(Write(true).ok);
    const auto frames = m_radio.ReceivedFrames();
    const std::size_t total = frames.size();
    const std::size_t readBackMode = total - FramesAfterTheWrite().size();
    m_radio.ClearLog();
    m_radio.Faults().vanishAfterFrames = static_cast<int>(total + readBackMode + 1);
    const auto r = Write(true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, msg::kVerifyReadFailed);
    EXPECT_EQ(r.address, 0x078u);
}

} // namespace
} // namespace qrv
