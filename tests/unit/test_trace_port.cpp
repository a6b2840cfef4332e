// The serial trace: what it records of a radio command, its text, and that
// a new command starts it afresh.
#include "radio_link/trace_port.h"

#include "link_fixture.h"

namespace qrv {
namespace {

using Kind = CTraceChunk::Kind;

TEST(SerialTrace, TextHasOneLinePerChunk)
{
    CSerialTrace trace;
    trace.RecordAt(0.0, Kind::Open, {}, "/dev/ttyUSB0");
    trace.RecordAt(12.345, Kind::Tx, std::vector<std::uint8_t>{0x02, 0x4D, 0x61});
    trace.RecordAt(1234.5, Kind::Rx, std::vector<std::uint8_t>{0x02, 0x41, 0x61, 0x4D, 0x61, 0x03});
    trace.RecordAt(1300.0, Kind::Close, {});
    EXPECT_EQ(trace.Text(), "   0.000 ms  OPEN  /dev/ttyUSB0\n"
                            "  12.345 ms  TX  02 4D 61\n"
                            "1234.500 ms  RX  02 41 61 4D 61 03\n"
                            "1300.000 ms  CLOSE\n");
}

// A handshake in order with rising times; the next command's link starts
// the trace afresh, and a failed open is recorded with its reason.
TEST(TracePort, RecordsAHandshakeThenANewCommandStartsAfresh)
{
    sim::CSimRadio radio;
    auto trace = std::make_shared<CSerialTrace>();
    {
        CRadioLink link(WrapWithTrace(std::make_unique<sim::CSimBytePort>(radio), trace));
        link.SetTiming(test::FastTiming());
        ASSERT_EQ(link.TryPort("sim", 9600, 8, 0, 2, 20, 1), "sim");
        link.Close();
    }
    // Each line without its time: what happened and the bytes.
    std::string lines;
    for (std::size_t at = 0; (at = trace->Text().find(" ms  ", at)) != std::string::npos; at += 5)
        lines += trace->Text().substr(at + 5, trace->Text().find('\n', at) - at - 5) + "|";
    EXPECT_EQ(lines, "OPEN  sim|TX  02 50 61 03|RX  02 41 61 50 61 03|CLOSE|");
    const auto chunks = trace->Chunks();
    for (std::size_t i = 1; i < chunks.size(); ++i)
        EXPECT_GE(chunks[i].ms, chunks[i - 1].ms);

    auto port = std::make_unique<sim::CSimBytePort>(radio);
    port->SetPresent(false);
    CRadioLink second(WrapWithTrace(std::move(port), trace));
    EXPECT_TRUE(trace->Empty());
    EXPECT_FALSE(second.Open("sim"));
    ASSERT_EQ(trace->Chunks().size(), 1u);
    EXPECT_EQ(trace->Chunks()[0].kind, Kind::Open);
    EXPECT_EQ(trace->Chunks()[0].note.rfind("sim failed", 0), 0u) << trace->Chunks()[0].note;
}

} // namespace
} // namespace qrv
