#include "radio_link/codeplug_transfer.h"
#include "radio_link/radio_link.h"

#include "scripted_port.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using test::CScriptedPort;
using Bytes = std::vector<std::uint8_t>;

const Bytes kAckPa{0x02, 'A', 'a', 'P', 'a', 0x03};

class RadioLinkTest : public ::testing::Test {
protected:
    RadioLinkTest()
    {
        auto port = std::make_unique<CScriptedPort>();
        m_port = port.get();
        m_link = std::make_unique<CRadioLink>(std::move(port));
        CLinkTiming fast;
        fast.exchangePause = fast.writePause = fast.handshakePause = fast.openPause = std::chrono::milliseconds(0);
        fast.readTimeoutMs = 1;
        m_link->SetTiming(fast);
        m_link->Open("scripted");
        m_link->SetReadTimeout(1);
    }
    // Closing may still talk to the radio: no script of a finished case may answer.
    ~RadioLinkTest() override { m_port->answer = nullptr; }

    CScriptedPort* m_port = nullptr;
    std::unique_ptr<CRadioLink> m_link;
};

TEST(Checksum, SumsToZero)
{
    EXPECT_EQ(CRadioLink::Checksum(Bytes{0x45, 0x61}), 0x5A);
    EXPECT_EQ(CRadioLink::Checksum(Bytes{}), 0x00);
    EXPECT_EQ(CRadioLink::Checksum(Bytes{0x80, 0x80}), 0x00);
    EXPECT_EQ(CRadioLink::Checksum(Bytes{0x01}), 0xFF);
}

TEST(Frames, BlockRequestsAsTheyGoOnTheWire)
{
    EXPECT_EQ(CRadioLink::ReadBlockRequest(0x0010, 16), (Bytes{0x02, 0x45, 0x62, 0x10, 0, 0, 0, 0x10, 0, 0x03}));
    Bytes data(16);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i);
    const Bytes frame = CRadioLink::WriteBlockRequest(0x0078, data);
    ASSERT_EQ(frame.size(), 27u);
    EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 9), (Bytes{0x02, 'E', 'a', 0x15, 0x00, 0x78, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Bytes(frame.begin() + 9, frame.begin() + 25), data);
    EXPECT_EQ(frame[25], CRadioLink::Checksum(std::span(frame).subspan(1, 24)));
    EXPECT_EQ(frame[26], 0x03);
}

TEST_F(RadioLinkTest, ModeAnswers)
{
    struct Case {
        Bytes reply;
        int result;
    };
    const Case cases[] = {
        {{0x02, 'A', 'a', 'M', 'a', 0x03}, 1},
        {{0x02, 'A', 'c', 'M', 'a', 0x03}, -1},
        {{0x02, 'A', 'b', 'M', 'a', 0x03}, 0},
        {{}, 0},
    };
    for (const auto& c : cases) {
        m_port->written.clear();
        m_port->answer = [&c](const Bytes&) { return c.reply; };
        EXPECT_EQ(m_link->SetRadioMode(3), c.result);
        EXPECT_EQ(m_port->written.front(), (Bytes{0x02, 'M', 'a', 0x03, 0x00, 0x03}));
        // Silence is tried three times; a full but wrong reply only once.
        EXPECT_EQ(m_port->written.size(), c.reply.empty() ? 3u : 1u);
    }
}

TEST_F(RadioLinkTest, ClosingSendsARadioLeftInAnotherModeBackToModeOne)
{
    const std::vector<std::vector<std::uint16_t>> cases{{}, {3}, {2, 1}, {1, 6}};
    m_port->answer = [](const Bytes&) { return Bytes{0x02, 'A', 'a', 'M', 'a', 0x03}; };
    for (const auto& modes : cases) {
        ASSERT_TRUE(m_link->Open("scripted"));
        for (const std::uint16_t mode : modes)
            m_link->SetRadioMode(mode);
        m_port->written.clear();
        EXPECT_TRUE(m_link->Close());
        const bool leftOutside = !modes.empty() && modes.back() != 1;
        const std::vector<Bytes> modeOne{{0x02, 'M', 'a', 0x01, 0x00, 0x03}};
        EXPECT_EQ(m_port->written, leftOutside ? modeOne : std::vector<Bytes>{});
        EXPECT_FALSE(m_link->IsOpen());
    }
}

TEST_F(RadioLinkTest, ShortRepliesAreRetriedWrongContentIsNot)
{
    int calls = 0;
    m_port->answer = [&calls](const Bytes&) {
        ++calls;
        return calls < 3 ? Bytes{0x02, 'A', 'a'} : Bytes{0x02, 'A', 'a', 'E', 'a', 0x03};
    };
    EXPECT_TRUE(m_link->WriteBlock(0x100, Bytes(16, 0x11)));
    EXPECT_EQ(calls, 3);

    calls = 0;
    m_port->answer = [&calls](const Bytes&) {
        ++calls;
        return Bytes{0x02, 'A', 'b', 'E', 'a', 0x03};
    };
    EXPECT_FALSE(m_link->WriteBlock(0x100, Bytes(16, 0x11)));
    EXPECT_EQ(calls, 1);
}

Bytes BlockReply(const Bytes& data, std::uint8_t start = 0x02, std::uint8_t end = 0x03, int checksumError = 0)
{
    Bytes reply{start, 'E', 'c', 0, 0, 0, 0, static_cast<std::uint8_t>(data.size()), 0};
    reply.insert(reply.end(), data.begin(), data.end());
    reply.push_back(static_cast<std::uint8_t>(CRadioLink::Checksum(std::span(reply).subspan(1)) + checksumError));
    reply.push_back(end);
    return reply;
}

TEST_F(RadioLinkTest, BlockReadsCheckOnlyTheChecksum)
{
    const Bytes data{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    struct Case {
        Bytes reply;
        bool ok;
    };
    const Case cases[] = {
        {BlockReply(data), true},
        {BlockReply(data, 0x7E, 0x7F), true}, // start and end bytes are not examined
        {BlockReply(data, 0x02, 0x03, 1), false},
    };
    for (const auto& c : cases) {
        m_port->answer = [&c](const Bytes&) { return c.reply; };
        Bytes out(16, 0xEE);
        EXPECT_EQ(m_link->ReadBlock(0x10, out), c.ok);
        EXPECT_EQ(out == data, c.ok);
    }
}

Bytes InfoReply(const Bytes& data, std::uint8_t start = 0x02, std::uint8_t end = 0x03)
{
    Bytes reply{start, 'B', 'c', 0, 0, 0, 0};
    reply.insert(reply.end(), data.begin(), data.end());
    reply.push_back(CRadioLink::Checksum(std::span(reply).subspan(1)));
    reply.push_back(end);
    return reply;
}

TEST_F(RadioLinkTest, InfoRepliesNeedStartEndAndChecksum)
{
    const Bytes data{'Q', 'L'};
    Bytes badChecksum = InfoReply(data);
    badChecksum[badChecksum.size() - 2] ^= 1;
    struct Case {
        Bytes reply;
        bool ok;
    };
    const Case cases[] = {{InfoReply(data), true},
                          {InfoReply(data, 0x01), false},
                          {InfoReply(data, 0x02, 0x04), false},
                          {badChecksum, false}};
    for (const auto& c : cases) {
        m_port->answer = [&c](const Bytes&) { return c.reply; };
        Bytes out(2);
        EXPECT_EQ(m_link->QueryInfo(0x03, out), c.ok);
        EXPECT_EQ(m_port->written.back(), (Bytes{0x02, 'B', 'b', 0x03, 0x00, 0x03}));
    }
}

TEST_F(RadioLinkTest, FirmwareComparison)
{
    for (const auto& [firmware, expected] :
         std::vector<std::pair<std::string, int>>{{"1.02.00.000", 1}, {"1.01.99.999", 0}, {"0.99.01.001", -1}}) {
        m_port->answer = [firmware = firmware](const Bytes& frame) {
            const std::size_t n = frame[3] == 0x03 ? 12 : frame[3] == 0x05 ? 9 : frame[3] == 0x07 ? 1 : 16;
            Bytes data(n, 0);
            if (frame[3] == 0x21)
                std::copy(firmware.begin(), firmware.end(), data.begin());
            return InfoReply(data);
        };
        CRadioIdentity identity;
        ASSERT_TRUE(m_link->ReadRadioInfo("1.01.05.001", identity));
        EXPECT_EQ(identity.versionComparison, expected) << firmware;
        EXPECT_EQ(identity.firmware, firmware);
    }
}

TEST_F(RadioLinkTest, HandshakeRejectsAStrangerAtOnce)
{
    m_port->answer = [](const Bytes&) { return Bytes{0x02, 'A', 'a', 'P', 'b', 0x03}; };
    EXPECT_FALSE(m_link->Handshake(4));
    EXPECT_EQ(m_port->written.size(), 1u);
    m_port->written.clear();
    m_port->answer = [](const Bytes&) { return Bytes{}; };
    EXPECT_FALSE(m_link->Handshake(4));
    EXPECT_EQ(m_port->written.size(), 12u); // four passes of three tries
    m_port->answer = [](const Bytes&) { return kAckPa; };
    EXPECT_TRUE(m_link->Handshake(1));
}

TEST_F(RadioLinkTest, ALineErrorEndsAReadAtOnce)
{
    m_port->answer = [](const Bytes&) { return Bytes{0x02, 'A'}; };
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
    m_port->answer = [](const Bytes&) { return Bytes{}; };
    EXPECT_EQ(m_link->Connect("A", {"B", "C"}), "");
    EXPECT_EQ(m_port->written.size(), 4u * 3u + 3u + 3u); // four passes, then one for each listed port
    EXPECT_FALSE(m_link->IsOpen());
    m_port->written.clear();
    m_port->answer = [](const Bytes&) { return kAckPa; };
    EXPECT_EQ(m_link->Connect("", {"B", "C"}), "B");
    EXPECT_TRUE(m_link->IsOpen());
    EXPECT_EQ(m_port->line.baud, 9600u);
    EXPECT_EQ(m_port->line.stopBits, 2);
}

TEST_F(RadioLinkTest, TuneFrames)
{
    m_port->answer = [](const Bytes& frame) -> Bytes {
        if (frame[1] == 'M')
            return {0x02, 'A', 'a', 'M', 'a', 0x03};
        if (frame[1] == 'V' && (frame[2] == 'b' || frame[2] == 'l'))
            return {0x02, 'V', 'c', frame[3], frame[4], 0x34, 0x12, 0x00};
        if (frame[1] == 'V')
            return {0x02, 'A', 'a', 'V', frame[2], 0x03};
        return {0x02, 'A', 'a', 'O', frame[2], 0x03};
    };
    Bytes value(2);
    EXPECT_EQ(m_link->ReadTuneValue(0x8050, value), 1);
    EXPECT_EQ(value, (Bytes{0x34, 0x12}));
    EXPECT_EQ(m_port->written[0], (Bytes{0x02, 'M', 'a', 0x06, 0x00, 0x03}));
    EXPECT_EQ(m_port->written[1], (Bytes{0x02, 'V', 'b', 0x50, 0x80, 0x03}));
    EXPECT_TRUE(m_link->WriteTuneValue(0x850B, Bytes{0x80, 0x00}));
    EXPECT_EQ(m_port->written.back(), (Bytes{0x02, 'V', 'a', 0x0B, 0x85, 0x80, 0x00, 0x03}));
    EXPECT_TRUE(m_link->SetTransmit(false));
    EXPECT_EQ(m_port->written.back(), (Bytes{0x02, 'V', 'k', 0x00, 0x00, 0x03}));
    EXPECT_TRUE(m_link->SetTestOption('b', 1));
    EXPECT_EQ(m_port->written.back(), (Bytes{0x02, 'O', 'b', 0x01, 0x00, 0x03}));
    // A reply for another item is no answer.
    m_port->answer = [](const Bytes&) { return Bytes{0x02, 'V', 'c', 0x51, 0x80, 1, 2, 0}; };
    EXPECT_EQ(m_link->ReadTuneValueAlt(0x8050, value), 0);
}

TEST(TransferPlan, WriteRangesBlocksProgressAndStamp)
{
    std::size_t blocks = 0;
    for (const auto& range : CCodeplugTransfer::WriteRanges(false))
        blocks += CCodeplugTransfer::Blocks(range).size();
    EXPECT_EQ(blocks, 82u);
    blocks = 0;
    for (const auto& range : CCodeplugTransfer::WriteRanges(true))
        blocks += CCodeplugTransfer::Blocks(range).size();
    EXPECT_EQ(blocks, 85u);
    const auto first = CCodeplugTransfer::Blocks({0x078, 0x30F});
    EXPECT_EQ(first.size(), 42u);
    EXPECT_EQ(first.back(), (std::pair<std::uint32_t, std::uint16_t>{0x308, 8}));
    const auto factory = CCodeplugTransfer::Blocks({0x310, 0x338});
    EXPECT_EQ(factory.back(), (std::pair<std::uint32_t, std::uint16_t>{0x330, 9}));

    EXPECT_EQ(CCodeplugTransfer::ReadProgress(0), 0);
    EXPECT_EQ(CCodeplugTransfer::ReadProgress(1), 0);
    EXPECT_EQ(CCodeplugTransfer::ReadProgress(2), 1);
    EXPECT_EQ(CCodeplugTransfer::ReadProgress(127), 100);

    std::tm t{};
    t.tm_year = 2011 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 7;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    EXPECT_EQ(CCodeplugTransfer::Stamp(t), (std::array<std::uint8_t, 8>{9, 5, 14, 7, 3, 11, 20, 0}));
}

} // namespace
} // namespace qrv
