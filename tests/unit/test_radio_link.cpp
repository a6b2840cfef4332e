// The link's frames byte for byte and what it makes of every kind of answer:
// right, refused, short, silent, with a bad checksum or for another item; and
// the serial trace of a radio command.
#include "radio_link/radio_link.h"

#include "link_fixture.h"
#include "radio_link/trace_port.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using test::Bytes;
using test::CScriptedPort;
using Kind = CTraceChunk::Kind;

const Bytes kAckMode{0x02, 'A', 'a', 'M', 'a', 0x03};
const Bytes kAckHandshake{0x02, 'A', 'a', 'P', 'a', 0x03};
const Bytes kSixteen{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

Bytes Reply(Bytes head, const Bytes& data, std::uint8_t end = 0x03, int checksumError = 0)
{
    head.insert(head.end(), data.begin(), data.end());
    head.push_back(static_cast<std::uint8_t>(CRadioLink::Checksum(std::span(head).subspan(1)) + checksumError));
    head.push_back(end);
    return head;
}
Bytes BlockReply(const Bytes& data, std::uint8_t start = 0x02, std::uint8_t end = 0x03, int checksumError = 0)
{
    return Reply({start, 'E', 'c', 0, 0, 0, 0, static_cast<std::uint8_t>(data.size()), 0}, data, end, checksumError);
}
Bytes InfoReply(const Bytes& data, std::uint8_t start = 0x02, std::uint8_t end = 0x03, int checksumError = 0)
{
    return Reply({start, 'B', 'c', 0, 0, 0, 0}, data, end, checksumError);
}
std::function<Bytes(const Bytes&)> Always(Bytes reply)
{
    return [reply](const Bytes&) { return reply; };
}
// Short replies until the third frame, then a whole one: a short reply is tried again.
const auto kShortTwice = [calls = 0](const Bytes&) mutable {
    return ++calls < 3 ? Bytes{0x02, 'A', 'a'} : Bytes{0x02, 'A', 'a', 'E', 'a', 0x03};
};
// The adjust mode's radio: tune values are answered for item 0x8050 with 0x1234.
Bytes TuneRadio(const Bytes& frame)
{
    if (frame[1] == 'M')
        return kAckMode;
    if (frame[1] == 'V' && (frame[2] == 'b' || frame[2] == 'l'))
        return {0x02, 'V', 'c', frame[3], frame[4], 0x34, 0x12, 0x00};
    return {0x02, 'A', 'a', frame[1], frame[2], 0x03};
}

// Closing after the modes given: a radio left outside mode 1 is sent back to it.
std::function<int(CRadioLink&)> CloseAfter(std::vector<std::uint16_t> modes)
{
    return [modes](CRadioLink& l) {
        for (const std::uint16_t mode : modes)
            l.SetRadioMode(mode);
        return int{l.Close() && !l.IsOpen()};
    };
}

int ReadInto(bool ok, const Bytes& out, const Bytes& expected)
{
    return ok ? (out == expected ? 1 : -9) : 0;
}

// One call against a scripted radio: its result, the last frame sent and how many went.
struct CExchangeRow {
    const char* name;
    std::function<Bytes(const Bytes&)> radio;
    std::function<int(CRadioLink&)> call;
    int result;
    Bytes lastFrame;
    std::size_t frames = 1;
    friend void PrintTo(const CExchangeRow& row, std::ostream* out) { *out << row.name; }
};

const auto kMode3 = [](CRadioLink& l) { return l.SetRadioMode(3); };
const auto kWrite16 = [](CRadioLink& l) { return int{l.WriteBlock(0x100, Bytes(16, 0x11))}; };
const auto kReadBlock = [](CRadioLink& l) {
    Bytes out(16, 0xEE);
    return ReadInto(l.ReadBlock(0x10, out), out, kSixteen);
};
const auto kQueryInfo = [](CRadioLink& l) {
    Bytes out(2);
    return ReadInto(l.QueryInfo(0x03, out), out, {'Q', 'L'});
};
const auto kReadTune = [](CRadioLink& l) {
    Bytes value(2);
    return ReadInto(l.ReadTuneValue(0x8050, value) == 1, value, {0x34, 0x12});
};
const Bytes kModeFrame{0x02, 'M', 'a', 0x03, 0x00, 0x03};
const Bytes kInfoFrame{0x02, 'B', 'b', 0x03, 0x00, 0x03};
// The length field before the address counts five more; the checksum is the negated sum of the bytes after STX.
const Bytes kWriteFrame = [] {
    Bytes frame{0x02, 'E', 'a', 0x15, 0x00, 0x00, 0x01, 0x00, 0x00};
    frame.insert(frame.end(), 16, 0x11);
    frame.insert(frame.end(), {0x34, 0x03});
    return frame;
}();
const Bytes kReadFrame{0x02, 'E', 'b', 0x10, 0, 0, 0, 0x10, 0, 0x03};

// clang-format off
const CExchangeRow kExchanges[] = {
    {"ModeAccepted", Always(kAckMode), kMode3, 1, kModeFrame},
    {"ModeStatusC", Always({0x02, 'A', 'c', 'M', 'a', 0x03}), kMode3, -1, kModeFrame},
    {"ModeRefusedOnce", Always({0x02, 'A', 'b', 'M', 'a', 0x03}), kMode3, 0, kModeFrame},
    {"ModeSilenceTriedThrice", Always({}), kMode3, 0, kModeFrame, 3},
    {"WriteShortRepliesRetried", kShortTwice, kWrite16, 1, kWriteFrame, 3},
    {"WriteRefusedNotRetried", Always({0x02, 'A', 'b', 'E', 'a', 0x03}), kWrite16, 0, kWriteFrame},
    {"ReadBlock", Always(BlockReply(kSixteen)), kReadBlock, 1, kReadFrame},
    {"ReadBlockStartEndNotExamined", Always(BlockReply(kSixteen, 0x7E, 0x7F)), kReadBlock, 1, kReadFrame},
    {"ReadBlockBadChecksum", Always(BlockReply(kSixteen, 0x02, 0x03, 1)), kReadBlock, 0, kReadFrame},
    {"Info", Always(InfoReply({'Q', 'L'})), kQueryInfo, 1, kInfoFrame},
    {"InfoBadStart", Always(InfoReply({'Q', 'L'}, 0x01)), kQueryInfo, 0, kInfoFrame},
    {"InfoBadEnd", Always(InfoReply({'Q', 'L'}, 0x02, 0x04)), kQueryInfo, 0, kInfoFrame},
    {"InfoBadChecksum", Always(InfoReply({'Q', 'L'}, 0x02, 0x03, 1)), kQueryInfo, 0, kInfoFrame},
    {"HandshakeStrangerAtOnce", Always({0x02, 'A', 'a', 'P', 'b', 0x03}),
     [](CRadioLink& l) { return int{l.Handshake(4)}; }, 0, {0x02, 'P', 'a', 0x03}},
    {"Handshake", Always(kAckHandshake), [](CRadioLink& l) { return int{l.Handshake(1)}; }, 1, {0x02, 'P', 'a', 0x03}},
    {"TuneReadInModeSix", TuneRadio, kReadTune, 1, {0x02, 'V', 'b', 0x50, 0x80, 0x03}, 2},
    {"TuneReadAlt", TuneRadio,
     [](CRadioLink& l) { Bytes v(2); return ReadInto(l.ReadTuneValueAlt(0x8050, v) == 1, v, {0x34, 0x12}); }, 1,
     {0x02, 'V', 'l', 0x50, 0x80, 0x03}},
    // A reply for another item (0x8051) is no answer.
    {"TuneReplyForAnotherItem", Always({0x02, 'V', 'c', 0x51, 0x80, 1, 2, 0}),
     [](CRadioLink& l) { Bytes v(2); return l.ReadTuneValueAlt(0x8050, v); }, 0, {}},
    {"TuneWrite", TuneRadio, [](CRadioLink& l) { return int{l.WriteTuneValue(0x850B, Bytes{0x80, 0x00})}; }, 1,
     {0x02, 'V', 'a', 0x0B, 0x85, 0x80, 0x00, 0x03}},
    {"Transmit", TuneRadio, [](CRadioLink& l) { return int{l.SetTransmit(false)}; }, 1,
     {0x02, 'V', 'k', 0x00, 0x00, 0x03}},
    {"CloseUntouched", Always(kAckMode), CloseAfter({}), 1, {}, 0},
    {"CloseBackInModeOne", Always(kAckMode), CloseAfter({2, 1}), 1, {0x02, 'M', 'a', 0x01, 0x00, 0x03}, 2},
    {"CloseInModeSixSendsModeOne", Always(kAckMode), CloseAfter({1, 6}), 1, {0x02, 'M', 'a', 0x01, 0x00, 0x03}, 3},
    {"TestOption", TuneRadio, [](CRadioLink& l) { return int{l.SetTestOption('b', 1)}; }, 1,
     {0x02, 'O', 'b', 0x01, 0x00, 0x03}},
};
// clang-format on

class RadioLinkTest : public ::testing::Test {
protected:
    RadioLinkTest()
    {
        auto port = std::make_unique<CScriptedPort>();
        m_port = port.get();
        m_link = std::make_unique<CRadioLink>(std::move(port));
        CLinkTiming timing = test::FastTiming();
        timing.readTimeoutMs = 1; // the script answers at once or never
        m_link->SetTiming(timing);
        m_link->Open("scripted");
        m_link->SetReadTimeout(1);
    }
    // Closing may still talk to the radio: no script of a finished case may answer.
    ~RadioLinkTest() override { m_port->answer = nullptr; }

    CScriptedPort* m_port = nullptr;
    std::unique_ptr<CRadioLink> m_link;
};

class ExchangeTest : public RadioLinkTest, public ::testing::WithParamInterface<CExchangeRow> {};

TEST_P(ExchangeTest, ResultAndFrames)
{
    const CExchangeRow& row = GetParam();
    m_port->answer = row.radio;
    EXPECT_EQ(row.call(*m_link), row.result);
    if (!row.lastFrame.empty()) {
        ASSERT_FALSE(m_port->written.empty());
        EXPECT_EQ(m_port->written.back(), row.lastFrame);
    }
    EXPECT_EQ(m_port->written.size(), row.frames);
}

INSTANTIATE_TEST_SUITE_P(Link, ExchangeTest, ::testing::ValuesIn(kExchanges),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(RadioLinkTest, ALineErrorEndsAReadAtOnce)
{
    m_port->answer = Always({0x02, 'A'});
    m_port->Write(Bytes{0x00});
    m_port->lineErrorOnNextWait = true;
    Bytes buffer(6);
    EXPECT_EQ(m_link->Read(buffer), 0u);
    EXPECT_FALSE(m_link->TimedOut());
    EXPECT_EQ(m_link->Read(buffer), 2u); // a short reply after the time-out
    EXPECT_TRUE(m_link->TimedOut());
}

TEST_F(RadioLinkTest, ConnectTriesTheRememberedPortThenTheList)
{
    m_link->Close();
    m_port->answer = Always({});
    EXPECT_EQ(m_link->Connect("A", {"B", "C"}), "");
    // A silent port gets passes of three tries: four on the remembered port, then one on each listed port.
    EXPECT_EQ(m_port->written.size(), 4u * 3u + 3u + 3u);
    EXPECT_FALSE(m_link->IsOpen());
    m_port->answer = Always(kAckHandshake);
    EXPECT_EQ(m_link->Connect("", {"B", "C"}), "B");
    EXPECT_TRUE(m_link->IsOpen());
    EXPECT_EQ(m_port->line.baud, 9600u);
    EXPECT_EQ(m_port->line.stopBits, 2);
}

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
