// Read from Radio and Write to Radio against the simulated radio in process:
// every row of the failure table, with the message and exactly what changed.
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/radio_messages.h"
#include "radio_link/transfer.h"
#include "sim_byte_port.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using sim::CSimBytePort;
using sim::CSimRadio;

CLinkTiming FastTiming()
{
    CLinkTiming t;
    t.exchangePause = t.writePause = t.handshakePause = t.openPause = std::chrono::milliseconds(0);
    t.readTimeoutMs = 20;
    return t;
}

std::tm Noon()
{
    std::tm t{};
    t.tm_year = 2011 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 7;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    return t;
}

class TransferTest : public ::testing::Test {
protected:
    TransferTest() : m_data(Settings())
    {
        Settings().ModelID = "QL210";
        Settings().ModelName = "QL-210";
        Settings().FreqRange = "400-470";
        Settings().RadioDataVersion = "1.01.05.001";
        m_data.Clear();
        m_data.Reset();
        m_data.StoreToImage(m_data.GetImage());
        for (std::size_t i = 0; i < m_radio.Memory().size(); ++i)
            m_radio.Memory()[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0xFF);
        m_radio.Memory()[0x128] = 0x8F;
        m_initialRadio = m_radio.Memory();
        m_ranges.SetModel(Settings());
    }

    CSettings& Settings() { return m_program.Settings(); }

    CTransferResult Run(CCodeplugTransfer::Direction direction, bool present = true)
    {
        auto port = std::make_unique<CSimBytePort>(m_radio);
        port->SetPresent(present);
        CRadioLink link(std::move(port));
        link.SetTiming(FastTiming());
        Image& image = direction == CCodeplugTransfer::Direction::Read ? m_buffer : m_data.GetImage();
        CCodeplugTransfer transfer(direction, link, Settings(), image);
        CTransferResult result = transfer.Prepare({"sim", {}}, Noon());
        if (result.ok)
            result = transfer.Run([this](int percent) { m_progress.push_back(percent); });
        transfer.Finish(result, m_data, m_ranges, [](int, int) { return false; });
        EXPECT_FALSE(link.IsOpen());
        return result;
    }

    test::CProgramDir m_program;
    CRadioData m_data;
    CFreqRangeList m_ranges;
    CSimRadio m_radio;
    CSimRadio::MemoryBytes m_initialRadio{};
    Image m_buffer{};
    std::vector<int> m_progress;
};

TEST_F(TransferTest, ReadTakesTheRadiosImageAndIdentity)
{
    Settings().FreqRange = "136-174";
    const auto r = Run(CCodeplugTransfer::Direction::Read);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.message, msg::kRadioReadDone);
    EXPECT_TRUE(std::equal(m_initialRadio.begin(), m_initialRadio.end(), m_data.GetImage().begin()));
    EXPECT_EQ(Settings().FreqRange, "400-470");
    EXPECT_EQ(Settings().PreviousRange, "136-174");
    EXPECT_EQ(m_radio.Mode(), 1);
    ASSERT_EQ(m_progress.size(), 128u);
    EXPECT_EQ(m_progress[1], 0);
    EXPECT_EQ(m_progress[2], 1);
    EXPECT_EQ(m_progress.back(), 100);
}

TEST_F(TransferTest, WriteSendsItsRangesThenTheStampAndRestoresTheTuneSwitch)
{
    const Image document = m_data.GetImage();
    const auto r = Run(CCodeplugTransfer::Direction::Write);
    ASSERT_TRUE(r.ok) << r.message;
    for (const auto& [address, length] : m_radio.Writes()) {
        const bool stamp = address == 0x020 && length == 8;
        const bool tuneSwitch = address == 0x127 && length == 2;
        EXPECT_TRUE(stamp || tuneSwitch || (address >= 0x078 && address + length <= 0x310) || address >= 0x580)
            << std::hex << address;
    }
    const auto& memory = m_radio.Memory();
    for (std::size_t o = 0x078; o <= 0x30F; ++o)
        if (o != 0x128) {
            ASSERT_EQ(memory[o], document[o]) << std::hex << o;
        }
    EXPECT_EQ(memory[0x128] & 0x08, 0x08);                     // the radio's own switch
    EXPECT_EQ(memory[0x128] & ~0x08, document[0x128] & ~0x08); // the rest as written
    EXPECT_EQ(memory[0x310], m_initialRadio[0x310]);           // tuning points: factory levels only
    const std::array<std::uint8_t, 8> stamp{9, 5, 14, 7, 3, 11, 20, 0};
    EXPECT_TRUE(std::equal(stamp.begin(), stamp.end(), memory.begin() + 0x20));
    EXPECT_TRUE(std::equal(stamp.begin(), stamp.end(), m_data.GetImage().begin() + 0x20));
    EXPECT_EQ(m_data.RadioInfo().LastProgrammedText(), "2011-03-07 14:05:09");
    ASSERT_EQ(m_progress.size(), 82u);
    EXPECT_EQ(m_progress.front(), 1);
    EXPECT_EQ(m_progress.back(), 100);
    EXPECT_EQ(m_radio.Mode(), 1);
}

struct CFailureRow {
    const char* name;
    bool write;
    std::function<void(CSimRadio&)> fault;
    int message;
    std::string argument;
    std::uint32_t address;
    bool settingsTaken; // a read that failed after the radio's identity was taken
    bool versionTaken;  // the radio's data version stays after the failure
};

class TransferFailureTest : public TransferTest, public ::testing::WithParamInterface<CFailureRow> {};

TEST_P(TransferFailureTest, MessageAndWhatChanged)
{
    const CFailureRow& row = GetParam();
    row.fault(m_radio);
    Settings().ModelID = "QL210";
    Settings().FreqRange = row.write ? "400-470" : "136-174";
    Settings().RadioDataVersion = "1.00.07.001";
    const Image document = m_data.GetImage();
    const auto r = Run(row.write ? CCodeplugTransfer::Direction::Write : CCodeplugTransfer::Direction::Read);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, row.message);
    EXPECT_EQ(r.argument, row.argument);
    EXPECT_EQ(r.address, row.address);
    EXPECT_EQ(m_data.GetImage(), document); // the document is never changed by a failure
    EXPECT_EQ(Settings().RadioDataVersion, row.versionTaken ? "1.01.05.001" : "1.00.07.001");
    if (!row.write) {
        EXPECT_EQ(Settings().FreqRange, row.settingsTaken ? "400-470" : "136-174");
    }
    if (row.message != msg::kRadioWriteFailed) {
        EXPECT_TRUE(m_radio.Writes().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TransferFailureTest,
    ::testing::Values(CFailureRow{"NoRadio", false, [](CSimRadio& r) { r.Faults().silent = true; }, msg::kNoRadioAnswer,
                                  "", 0, false, false},
                      CFailureRow{"IdentityQueriesFail", false, [](CSimRadio& r) { r.Faults().vanishAfterFrames = 1; },
                                  msg::kRadioIdentityFailed, "", 0, false, false},
                      CFailureRow{"OtherModelName", false, [](CSimRadio& r) { r.Identity().modelName = "QL-999"; },
                                  1172, "", 0, false, false},
                      CFailureRow{"NewerFirmware", false, [](CSimRadio& r) { r.Identity().firmware = "1.02.00.000"; },
                                  817, "1.02", 0, false, false},
                      CFailureRow{"OtherModelOnWrite", true, [](CSimRadio& r) { r.Identity().modelId = "QL211"; }, 1172,
                                  "", 0, false, false},
                      CFailureRow{
                          "RangeOutsideTheRadio", true,
                          [](CSimRadio& r) { r.Identity().range = sim::CSimIdentity::RangeBlock(0x80, 136, 174); },
                          1142, "136-174", 0, false, true},
                      CFailureRow{"ModeNotAnswered", false, [](CSimRadio& r) { r.Faults().refuseMode = true; },
                                  msg::kNoRadioAnswer, "", 0, true, true},
                      CFailureRow{"BlockReadFails", false, [](CSimRadio& r) { r.Faults().badChecksumAt = 0x7F0; },
                                  msg::kRadioReadFailed, "", 0x7F0, false, true},
                      CFailureRow{"BlockWriteRefused", true, [](CSimRadio& r) { r.Faults().refuseWriteAt = 0x108; },
                                  msg::kRadioWriteFailed, "", 0x108, false, true}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(TransferTest, AFailedReadRestoresOnlyTheRange)
{
    m_radio.Faults().badChecksumAt = 0x7F0;
    Settings().FreqRange = "136-174";
    Settings().ModelName = "QL-210";
    Run(CCodeplugTransfer::Direction::Read);
    EXPECT_EQ(Settings().FreqRange, "136-174");
    EXPECT_EQ(Settings().RadioDataVersion, "1.01.05.001"); // the radio's: taken before the blocks
    EXPECT_EQ(m_radio.Mode(), 2);                          // no mode 1 after a failed read
}

TEST_F(TransferTest, ModeStatusCProceeds)
{
    m_radio.Faults().modeStatusC = true;
    EXPECT_TRUE(Run(CCodeplugTransfer::Direction::Read).ok);
}

TEST_F(TransferTest, FactoryLevelsAlsoWriteTheTuningPoints)
{
    test::WriteText(m_program.Path() / "Settings.ini", "[User Mode]\nLevel=659\n");
    ASSERT_TRUE(Settings().IsFactoryLevel());
    ASSERT_TRUE(Run(CCodeplugTransfer::Direction::Write).ok);
    EXPECT_EQ(m_progress.size(), 85u);
    EXPECT_EQ(m_radio.Memory()[0x338], m_data.GetImage()[0x338]);
    EXPECT_EQ(m_radio.Memory()[0x339], m_initialRadio[0x339]);
}

TEST_F(TransferTest, AMissingPortIsNoRadio)
{
    const auto r = Run(CCodeplugTransfer::Direction::Read, false);
    EXPECT_TRUE(r.noRadio);
    EXPECT_EQ(r.message, msg::kNoRadioAnswer);
}

} // namespace
} // namespace qrv
