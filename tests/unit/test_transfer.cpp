// Read from Radio and Write to Radio against the simulated radio in process:
// every row of the failure table, with the message and exactly what changed.
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/codeplug_transfer.h"
#include "radio_link/factory_link.h"
#include "radio_link/radio_messages.h"
#include "records/adjustment_data.h"
#include "records/radio_info_data.h"
#include "sim_link.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>

namespace qrv {
namespace {

using sim::CSimRadio;

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
        m_data.Identity() = {"QL210", "QL-210", "400-470", 0, "1.01.05.001"};
        m_data.Clear();
        m_data.Reset();
        m_data.StoreToImage(m_data.GetImage());
        for (std::size_t i = 0; i < m_radio.Memory().size(); ++i)
            m_radio.Memory()[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0xFF);
        m_radio.Memory()[0x128] = 0x48; // the manual tune switch on, the other bits unlike the document's
        m_initialRadio = m_radio.Memory();
        m_ranges.SetModel(Settings().ProgramDirectory(), m_data.Identity());
    }

    CSettings& Settings() { return m_program.Settings(); }

    CTransferResult Run(CCodeplugTransfer::Direction direction, bool present = true)
    {
        const auto linkOwner = test::SimLink(m_radio, present);
        CRadioLink& link = *linkOwner;
        Image& image = direction == CCodeplugTransfer::Direction::Read ? m_buffer : m_data.GetImage();
        CCodeplugTransfer transfer(direction, link, Settings(), m_data.Identity(), image);
        const CDocumentIdentity before = m_data.Identity();
        const std::string portBefore = Settings().PortName;
        transfer.SetStopRequest(&m_stop);
        CTransferResult result = transfer.Prepare({"sim", {}}, Noon());
        if (result.ok)
            result = transfer.Run([this](int percent) {
                m_progress.push_back(percent);
                m_stop = m_stop || m_progress.size() == m_stopAfterBlocks;
            });
        // What may run on a worker thread leaves the document and the settings alone; Finish applies the outcome.
        EXPECT_EQ(m_data.Identity(), before);
        EXPECT_EQ(Settings().PortName, portBefore);
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
    std::atomic<bool> m_stop{false};
    std::size_t m_stopAfterBlocks = 0; // the user stops the write when this many blocks went out (0: never)
};

TEST_F(TransferTest, ReadTakesTheRadiosImageAndIdentity)
{
    m_data.Identity().freqRange = "136-174";
    const auto r = Run(CCodeplugTransfer::Direction::Read);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.message, msg::kRadioReadDone);
    EXPECT_TRUE(std::equal(m_initialRadio.begin(), m_initialRadio.end(), m_data.GetImage().begin()));
    EXPECT_EQ(m_data.Identity().freqRange, "400-470");
    EXPECT_EQ(Settings().PreviousRange, "136-174");
    EXPECT_EQ(m_radio.Mode(), 1);
    ASSERT_EQ(m_progress.size(), 128u);
    EXPECT_EQ(m_progress[1], 0);
    EXPECT_EQ(m_progress[2], 1);
    EXPECT_EQ(m_progress.back(), 100);
}

TEST_F(TransferTest, WriteSendsItsRangesWithTheRadiosTuneSwitchThenTheStamp)
{
    const Image document = m_data.GetImage();
    const auto r = Run(CCodeplugTransfer::Direction::Write);
    ASSERT_TRUE(r.ok) << r.message;
    for (const auto& [address, length] : m_radio.Writes()) {
        const bool stamp = address == 0x020 && length == 8;
        EXPECT_TRUE(stamp || (address >= 0x078 && address + length <= 0x310) || address >= 0x580)
            << std::hex << address;
    }
    const auto& memory = m_radio.Memory();
    for (std::size_t o = 0x078; o <= 0x30F; ++o)
        if (o != 0x128) {
            ASSERT_EQ(memory[o], document[o]) << std::hex << o;
        }
    // The word goes out in its block with the radio's own switch and the
    // document's other bits, and the codeplug takes what the radio now holds.
    const std::uint8_t word = (document[0x128] & ~0x08) | 0x08;
    EXPECT_EQ(memory[0x128], word);
    EXPECT_EQ(m_data.GetImage()[0x128], word);
    EXPECT_TRUE(m_data.Mode().TuneSwitch());
    EXPECT_EQ(memory[0x310], m_initialRadio[0x310]); // tuning points: factory levels only
    const std::array<std::uint8_t, 8> stamp{9, 5, 14, 7, 3, 11, 20, 0};
    EXPECT_TRUE(std::equal(stamp.begin(), stamp.end(), memory.begin() + 0x20));
    EXPECT_TRUE(std::equal(stamp.begin(), stamp.end(), m_data.GetImage().begin() + 0x20));
    EXPECT_EQ(m_data.RadioInfo().LastProgrammedText(), "2011-03-07 14:05:09");
    ASSERT_EQ(m_progress.size(), 82u);
    EXPECT_EQ(m_progress.front(), 1);
    EXPECT_EQ(m_progress.back(), 100);
    EXPECT_EQ(m_radio.Mode(), 1);
}

// Every kind of radio write against a radio that fails it: the command says
// so, the radio keeps its tune switch and every byte outside what the
// command writes, it ends in mode 1, and the codeplug is unchanged.
enum class Command { WriteToRadio, BaseBand, TuneData, FactoryModel, TuneSwitch };

struct CWriteFaultRow {
    const char* name;
    Command command;
    std::function<void(sim::CSimFaults&)> fault;
    int message;
    std::uint32_t address;
    int partialNote;
};
// Rows print as their name in test listings.
inline void PrintTo(const CWriteFaultRow& row, std::ostream* out)
{
    *out << row.name;
}

class WriteFaultTest : public TransferTest, public ::testing::WithParamInterface<CWriteFaultRow> {
protected:
    CTransferResult RunCommand(Command command)
    {
        if (command == Command::WriteToRadio)
            return Run(CCodeplugTransfer::Direction::Write);
        const auto link = test::SimLink(m_radio);
        const CPortChoice ports{"sim", {}};
        CRadioInfoData info;
        info.SetDefaults();
        switch (command) {
        case Command::FactoryModel:
            return WriteFactoryModel(*link, ports, info);
        case Command::TuneSwitch:
            return WriteTuneSwitch(*link, ports, false);
        default:
            break;
        }
        CAdjustmentData tune;
        tune.SetDefaults();
        CTransferResult result = EnterRadioMode(*link, Settings(), m_data.Identity(), ports, CRadioLink::kModeWrite);
        if (result.ok)
            result = command == Command::BaseBand ? WriteBaseBand(*link, tune)
                                                  : WriteTuneData(*link, tune, m_data.GetImage());
        LeaveRadioMode(*link);
        return result;
    }

    static std::vector<CCodeplugTransfer::CRange> WrittenBy(Command command)
    {
        switch (command) {
        case Command::WriteToRadio:
            return {{0x020, 0x027}, {0x078, 0x30F}, {0x580, 0x7FF}};
        case Command::BaseBand:
            return {{0x3E9, 0x3FF}};
        case Command::TuneData:
            return {{0x340, 0x3FF}};
        case Command::FactoryModel:
            return {{0x010, 0x01F}, {0x028, 0x02F}, {0x068, 0x077}};
        case Command::TuneSwitch:
            return {{0x127, 0x128}};
        }
        return {};
    }
};

TEST_P(WriteFaultTest, FailsAndLeavesTheRestOfTheRadioAlone)
{
    const CWriteFaultRow& row = GetParam();
    row.fault(m_radio.Faults());
    const Image document = m_data.GetImage();
    const CTransferResult r = RunCommand(row.command);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, row.message);
    EXPECT_EQ(r.address, row.address);
    EXPECT_EQ(r.partialNote, row.partialNote);
    EXPECT_EQ(m_radio.Mode(), 1);
    EXPECT_EQ(m_radio.Memory()[0x128] & 0x08, m_initialRadio[0x128] & 0x08) << "the radio's tune switch";
    const auto written = WrittenBy(row.command);
    for (std::size_t o = 0; o < kImageSize; ++o) {
        const bool inside = std::any_of(written.begin(), written.end(),
                                        [o](const auto& range) { return o >= range.first && o <= range.last; });
        if (!inside) {
            ASSERT_EQ(m_radio.Memory()[o], m_initialRadio[o]) << std::hex << o;
        }
    }
    if (row.command == Command::WriteToRadio) {
        EXPECT_EQ(m_data.GetImage(), document);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WriteFaultTest,
    ::testing::Values(
        CWriteFaultRow{"TuneSwitchUnanswered", Command::WriteToRadio, [](auto& f) { f.silentReadAt = 0x127; },
                       msg::kTuneSwitchUnread, 0x127, 0},
        CWriteFaultRow{"TuneSwitchBlockRefused", Command::WriteToRadio, [](auto& f) { f.refuseWriteAt = 0x128; },
                       msg::kRadioWriteFailed, 0x128, msg::kPartialCodeplug},
        CWriteFaultRow{"LaterBlockRefused", Command::WriteToRadio, [](auto& f) { f.refuseWriteAt = 0x200; },
                       msg::kRadioWriteFailed, 0x1F8, msg::kPartialCodeplug},
        CWriteFaultRow{"StampRefused", Command::WriteToRadio, [](auto& f) { f.refuseWriteAt = 0x020; },
                       msg::kRadioWriteFailed, 0x020, msg::kPartialCodeplug},
        CWriteFaultRow{"BlockAcknowledgedNotStored", Command::WriteToRadio, [](auto& f) { f.dropWriteAt = 0x200; },
                       msg::kVerifyFailed, 0x1F8, msg::kPartialCodeplug},
        CWriteFaultRow{"BaseBandFirstBlockRefused", Command::BaseBand, [](auto& f) { f.refuseWriteAt = 0x3E9; },
                       msg::kRadioWriteFailed, 0x3E9, msg::kPartialValues},
        CWriteFaultRow{"BaseBandBlockLost", Command::BaseBand, [](auto& f) { f.dropWriteAt = 0x3F9; },
                       msg::kVerifyFailed, 0x3F9, msg::kPartialValues},
        CWriteFaultRow{"TuneDataBlockLost", Command::TuneData, [](auto& f) { f.dropWriteAt = 0x3A0; },
                       msg::kVerifyFailed, 0x3A0, msg::kPartialValues},
        CWriteFaultRow{"FactoryModelBlockRefused", Command::FactoryModel, [](auto& f) { f.refuseWriteAt = 0x068; },
                       msg::kRadioWriteFailed, 0x068, msg::kPartialValues},
        CWriteFaultRow{"FactoryModelBlockLost", Command::FactoryModel, [](auto& f) { f.dropWriteAt = 0x06C; },
                       msg::kVerifyFailed, 0x06C, msg::kPartialValues},
        CWriteFaultRow{"TuneSwitchWriteLost", Command::TuneSwitch, [](auto& f) { f.dropWriteAt = 0x127; },
                       msg::kVerifyFailed, 0x128, msg::kPartialValues}),
    [](const auto& param) { return std::string(param.param.name); });

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
// Rows print as their name in test listings.
inline void PrintTo(const CFailureRow& row, std::ostream* out)
{
    *out << row.name;
}

class TransferFailureTest : public TransferTest, public ::testing::WithParamInterface<CFailureRow> {};

TEST_P(TransferFailureTest, MessageAndWhatChanged)
{
    const CFailureRow& row = GetParam();
    row.fault(m_radio);
    m_data.Identity().modelId = "QL210";
    m_data.Identity().freqRange = row.write ? "400-470" : "136-174";
    m_data.Identity().radioDataVersion = "1.00.07.001";
    const Image document = m_data.GetImage();
    const auto r = Run(row.write ? CCodeplugTransfer::Direction::Write : CCodeplugTransfer::Direction::Read);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, row.message);
    EXPECT_EQ(r.argument, row.argument);
    EXPECT_EQ(r.address, row.address);
    EXPECT_EQ(m_data.GetImage(), document); // the document is never changed by a failure
    EXPECT_EQ(m_data.Identity().radioDataVersion, row.versionTaken ? "1.01.05.001" : "1.00.07.001");
    if (!row.write) {
        EXPECT_EQ(m_data.Identity().freqRange, row.settingsTaken ? "400-470" : "136-174");
    }
    EXPECT_TRUE(m_radio.Writes().empty());
    EXPECT_EQ(m_radio.Mode(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TransferFailureTest,
    ::testing::Values(
        CFailureRow{"NoRadio", false, [](CSimRadio& r) { r.Faults().silent = true; }, msg::kNoRadioAnswer, "", 0, false,
                    false},
        CFailureRow{"IdentityQueriesFail", false, [](CSimRadio& r) { r.Faults().vanishAfterFrames = 1; },
                    msg::kRadioIdentityFailed, "", 0, false, false},
        CFailureRow{"ModelNameWithLineBreak", false, [](CSimRadio& r) { r.Identity().modelName = "QL-210\r\n"; },
                    msg::kRadioIdentityFailed, "", 0, false, false},
        CFailureRow{"FirmwareWithEscape", false, [](CSimRadio& r) { r.Identity().firmware = "1.01\x1b[2J"; },
                    msg::kRadioIdentityFailed, "", 0, false, false},
        CFailureRow{"FirmwareLongerThanItsField", true,
                    [](CSimRadio& r) { r.Identity().firmware = "1.01.05.001.0000"; }, msg::kRadioIdentityFailed, "", 0,
                    false, false},
        CFailureRow{"OtherModelName", false, [](CSimRadio& r) { r.Identity().modelName = "QL-999"; },
                    msg::kModelMismatch, "", 0, false, false},
        CFailureRow{"NewerFirmware", false, [](CSimRadio& r) { r.Identity().firmware = "1.02.00.000"; },
                    msg::kNewerVersion, "1.02", 0, false, false},
        CFailureRow{"OtherModelOnWrite", true, [](CSimRadio& r) { r.Identity().modelId = "QL211"; },
                    msg::kModelMismatch, "", 0, false, false},
        CFailureRow{"RangeOutsideTheRadio", true,
                    [](CSimRadio& r) { r.Identity().range = sim::CSimIdentity::RangeBlock(0x80, 136, 174); },
                    msg::kRangeOutsideRadio, "136-174", 0, false, true},
        CFailureRow{"ModeNotAnswered", false, [](CSimRadio& r) { r.Faults().refuseMode = true; }, msg::kNoRadioAnswer,
                    "", 0, true, true},
        CFailureRow{"BlockReadFails", false, [](CSimRadio& r) { r.Faults().badChecksumAt = 0x7F0; },
                    msg::kRadioReadFailed, "", 0x7F0, false, true}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(TransferTest, AFailedReadRestoresOnlyTheRange)
{
    m_radio.Faults().badChecksumAt = 0x7F0;
    m_data.Identity().freqRange = "136-174";
    m_data.Identity().modelName = "QL-210";
    Run(CCodeplugTransfer::Direction::Read);
    EXPECT_EQ(m_data.Identity().freqRange, "136-174");
    EXPECT_EQ(m_data.Identity().radioDataVersion, "1.01.05.001"); // the radio's: taken before the blocks
    EXPECT_EQ(m_radio.Mode(), 1);                                 // back to normal after a failed read
}

// Stop asked for before the first block or in the middle: the write ends
// before its next block, says where, and leaves the radio in mode 1.
TEST_F(TransferTest, AStoppedWriteEndsBeforeItsNextBlock)
{
    const struct {
        bool before;
        std::uint32_t address; // the first block not sent
        int partialNote;
    } cases[] = {{true, 0x078, 0}, {false, 0x078 + 10 * 16, msg::kPartialCodeplug}};
    for (const auto& c : cases) {
        m_radio.Memory() = m_initialRadio;
        m_progress.clear();
        m_stop = c.before;
        m_stopAfterBlocks = 10;
        const CTransferResult r = Run(CCodeplugTransfer::Direction::Write);
        EXPECT_EQ(r.message, msg::kWriteStopped);
        EXPECT_EQ(r.address, c.address);
        EXPECT_EQ(r.partialNote, c.partialNote);
        EXPECT_EQ(m_radio.Memory()[c.address], m_initialRadio[c.address]);
        EXPECT_EQ(m_radio.Mode(), 1);
    }
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
