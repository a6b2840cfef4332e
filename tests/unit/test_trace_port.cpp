// The serial trace: what it records of a radio command, its text, and that
// a new command starts it afresh.
#include "link_fixture.h"
#include "radio_data/settings.h"
#include "radio_link/codeplug_transfer.h"
#include "radio_link/trace_port.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using Kind = CTraceChunk::Kind;

TEST(SerialTrace, TextHasOneLinePerChunk)
{
    CSerialTrace trace;
    trace.RecordAt(0.0, Kind::Open, {}, "/dev/ttyUSB0");
    const std::vector<std::uint8_t> tx{0x02, 0x4D, 0x61};
    trace.RecordAt(12.345, Kind::Tx, tx);
    const std::vector<std::uint8_t> rx{0x02, 0x41, 0x61, 0x4D, 0x61, 0x03};
    trace.RecordAt(1234.5, Kind::Rx, rx);
    trace.RecordAt(1300.0, Kind::Close, {});
    EXPECT_EQ(trace.Text(), "   0.000 ms  OPEN  /dev/ttyUSB0\n"
                            "  12.345 ms  TX  02 4D 61\n"
                            "1234.500 ms  RX  02 41 61 4D 61 03\n"
                            "1300.000 ms  CLOSE\n");
    trace.Begin();
    EXPECT_TRUE(trace.Empty());
    EXPECT_EQ(trace.Text(), "");
}

TEST(TracePort, RecordsAHandshakeInOrderWithRisingTimes)
{
    sim::CSimRadio radio;
    auto trace = std::make_shared<CSerialTrace>();
    CRadioLink link(WrapWithTrace(std::make_unique<sim::CSimBytePort>(radio), trace));
    link.SetTiming(test::FastTiming());
    ASSERT_EQ(link.TryPort("sim", 9600, 8, 0, 2, 20, 1), "sim");
    link.Close();
    const auto chunks = trace->Chunks();
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[0].kind, Kind::Open);
    EXPECT_EQ(chunks[0].note, "sim");
    EXPECT_EQ(chunks[1].kind, Kind::Tx);
    EXPECT_EQ(chunks[1].bytes, (std::vector<std::uint8_t>{0x02, 'P', 'a', 0x03}));
    EXPECT_EQ(chunks[2].kind, Kind::Rx);
    EXPECT_EQ(chunks[2].bytes, (std::vector<std::uint8_t>{0x02, 'A', 'a', 'P', 'a', 0x03}));
    EXPECT_EQ(chunks[3].kind, Kind::Close);
    for (std::size_t i = 1; i < chunks.size(); ++i)
        EXPECT_GE(chunks[i].ms, chunks[i - 1].ms);
}

TEST(TracePort, AFailedOpenIsRecordedWithItsReason)
{
    sim::CSimRadio radio;
    auto port = std::make_unique<sim::CSimBytePort>(radio);
    port->SetPresent(false);
    auto trace = std::make_shared<CSerialTrace>();
    CRadioLink link(WrapWithTrace(std::move(port), trace));
    EXPECT_FALSE(link.Open("sim"));
    const auto chunks = trace->Chunks();
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0].kind, Kind::Open);
    EXPECT_EQ(chunks[0].note.rfind("sim failed", 0), 0u) << chunks[0].note;
}

TEST(TracePort, ANewCommandClearsTheLastOne)
{
    sim::CSimRadio radio;
    auto trace = std::make_shared<CSerialTrace>();
    {
        CRadioLink first(WrapWithTrace(std::make_unique<sim::CSimBytePort>(radio), trace));
        first.SetTiming(test::FastTiming());
        ASSERT_FALSE(first.TryPort("sim", 9600, 8, 0, 2, 20, 1).empty());
    }
    ASSERT_FALSE(trace->Empty());
    CRadioLink second(WrapWithTrace(std::make_unique<sim::CSimBytePort>(radio), trace));
    EXPECT_TRUE(trace->Empty());
}

TEST(TracePort, HoldsEveryFrameOfAReadAndEveryReply)
{
    test::CProgramDir program;
    sim::CSimRadio radio;
    auto trace = std::make_shared<CSerialTrace>();
    CRadioLink link(WrapWithTrace(std::make_unique<sim::CSimBytePort>(radio), trace));
    link.SetTiming(test::FastTiming());
    Image buffer{};
    CCodeplugTransfer transfer(CCodeplugTransfer::Direction::Read, link, program.Settings(),
                               program.Settings().RememberedModel(), buffer);
    CTransferResult result = transfer.Prepare({"sim", {}}, std::tm{});
    ASSERT_TRUE(result.ok);
    ASSERT_TRUE(transfer.Run({}).ok);
    link.Close();

    std::vector<std::uint8_t> sent;
    std::vector<std::uint8_t> received;
    for (const auto& chunk : trace->Chunks()) {
        auto& bytes = chunk.kind == Kind::Tx ? sent : received;
        bytes.insert(bytes.end(), chunk.bytes.begin(), chunk.bytes.end());
    }
    std::vector<std::uint8_t> radioGot;
    for (const auto& frame : radio.ReceivedFrames())
        radioGot.insert(radioGot.end(), frame.begin(), frame.end());
    EXPECT_EQ(sent, radioGot);
    // 128 block replies of 27 bytes at least.
    EXPECT_GE(received.size(), 128u * 27u);
}

} // namespace
} // namespace qrv
