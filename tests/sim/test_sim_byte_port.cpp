// The in-process port: the program's view of the simulated radio.
#include "sim_byte_port.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <thread>
#include <time.h>

namespace qrv::sim::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class SimBytePort : public ::testing::Test {
protected:
    void OpenLine(const qrv::CLineSettings& line = {})
    {
        ASSERT_TRUE(port.Open("sim"));
        ASSERT_TRUE(port.Configure(line));
    }
    // Writes a request and collects what arrives within the time.
    Bytes Ask(const Bytes& request, std::size_t wanted, std::chrono::milliseconds timeout = 200ms)
    {
        port.DiscardInput();
        EXPECT_EQ(port.Write(request), request.size());
        const qrv::CPortStatus status = port.WaitForBytes(wanted, timeout);
        Bytes got(status.queued);
        got.resize(port.ReadQueued(got));
        return got;
    }
    static double ThreadCpuMs()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
    }

    CSimRadio radio;
    CSimBytePort port{radio};
};

TEST_F(SimBytePort, CarriesRequestsAndReplies)
{
    OpenLine();
    EXPECT_EQ(Ask(Handshake(), 6), Ack('a', 'P', 'a'));
    EXPECT_EQ(Ask(ModeFrame(3), 6), Ack('a', 'M', 'a'));
    EXPECT_EQ(Ask(WriteFrame(0x127, {0xFF, 0x8F}), 6), Ack('a', 'E', 'a'));
    EXPECT_EQ(radio.Memory()[0x128], 0x8F);
    EXPECT_EQ(port.PortName(), "sim");
}

struct CLineCase {
    const char* name;
    bool configure;
    qrv::CLineSettings line;
};
// Rows print as their name in test listings.
inline void PrintTo(const CLineCase& row, std::ostream* out)
{
    *out << row.name;
}

class SimBytePortLine : public SimBytePort, public ::testing::WithParamInterface<CLineCase> {};

// Only a line set up like the radio's reaches it.
TEST_P(SimBytePortLine, OtherLineSettingsReachNothing)
{
    ASSERT_TRUE(port.Open("sim"));
    if (GetParam().configure) {
        ASSERT_TRUE(port.Configure(GetParam().line));
    }
    EXPECT_TRUE(Ask(Handshake(), 6, 30ms).empty());
    EXPECT_TRUE(radio.ReceivedFrames().empty());
}

qrv::CLineSettings Line(std::uint32_t baud, std::uint8_t bits, std::uint8_t parity, std::uint8_t stop)
{
    qrv::CLineSettings s;
    s.baud = baud;
    s.dataBits = bits;
    s.parity = parity;
    s.stopBits = stop;
    return s;
}

INSTANTIATE_TEST_SUITE_P(Cases, SimBytePortLine,
                         ::testing::Values(CLineCase{"NotConfigured", false, {}},
                                           CLineCase{"Baud19200", true, Line(19200, 8, 0, 2)},
                                           CLineCase{"SevenBits", true, Line(9600, 7, 0, 2)},
                                           CLineCase{"EvenParity", true, Line(9600, 8, 2, 2)},
                                           CLineCase{"OneStopBit", true, Line(9600, 8, 0, 0)}),
                         CaseName());

TEST_F(SimBytePort, MissingDeviceCannotBeOpened)
{
    port.SetPresent(false);
    EXPECT_FALSE(port.Open("sim"));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.LastError().empty());
    port.SetPresent(true);
    EXPECT_TRUE(port.Open("sim"));
    EXPECT_FALSE(port.Open("sim")); // held already
}

TEST_F(SimBytePort, DeviceGoingAwayWakesTheReader)
{
    OpenLine();
    const Clock::time_point start = Clock::now();
    std::thread unplug([this] {
        std::this_thread::sleep_for(50ms);
        port.SetPresent(false);
    });
    const qrv::CPortStatus status = port.WaitForBytes(6, 5s);
    unplug.join();
    EXPECT_TRUE(status.gone);
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_EQ(port.Write(Handshake()), 0u);
}

TEST_F(SimBytePort, LineErrorIsReportedOnceAndAtOnce)
{
    OpenLine();
    std::thread glitch([this] {
        std::this_thread::sleep_for(30ms);
        port.InjectLineError();
    });
    const Clock::time_point start = Clock::now();
    const qrv::CPortStatus first = port.WaitForBytes(6, 5s);
    glitch.join();
    EXPECT_TRUE(first.lineError);
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_FALSE(port.WaitForBytes(6, 10ms).lineError);
}

TEST_F(SimBytePort, ReplyArrivesWhenItsDelayHasPassed)
{
    radio.Faults().replyDelay = 80ms;
    OpenLine();
    const Clock::time_point start = Clock::now();
    ASSERT_EQ(port.Write(Handshake()), 4u);
    EXPECT_EQ(port.WaitForBytes(6, 20ms).queued, 0u);
    const qrv::CPortStatus status = port.WaitForBytes(6, 3s);
    const Clock::duration took = Clock::now() - start;
    EXPECT_EQ(status.queued, 6u);
    EXPECT_GE(took, 80ms);
    EXPECT_LT(took, 2s); // woken by the reply, not by the time-out
}

TEST_F(SimBytePort, WireTimingHoldsTheReplyForItsBitTimes)
{
    radio.Faults().wireTiming = true;
    OpenLine();
    const Clock::time_point start = Clock::now();
    const Bytes reply = Ask(ReadFrame(0x000, 16), 27, 3s);
    EXPECT_EQ(reply.size(), 27u);
    EXPECT_GE(Clock::now() - start, 42ms); // 37 bytes of 11 bits at 9600 baud
}

TEST_F(SimBytePort, WaitingSleepsInsteadOfSpinning)
{
    radio.Faults().silent = true;
    OpenLine();
    ASSERT_EQ(port.Write(Handshake()), 4u);
    const double cpuBefore = ThreadCpuMs();
    EXPECT_EQ(port.WaitForBytes(6, 300ms).queued, 0u);
    EXPECT_LT(ThreadCpuMs() - cpuBefore, 30.0);
}

TEST_F(SimBytePort, DiscardAndCloseDropWhatWasQueued)
{
    OpenLine();
    ASSERT_EQ(port.Write(Handshake()), 4u);
    EXPECT_EQ(port.WaitForBytes(6, 100ms).queued, 6u);
    port.DiscardInput();
    EXPECT_EQ(port.WaitForBytes(1, 0ms).queued, 0u);

    ASSERT_EQ(port.Write(Handshake()), 4u);
    EXPECT_TRUE(port.Close());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Write(Handshake()), 0u);
    OpenLine();
    EXPECT_EQ(port.WaitForBytes(1, 0ms).queued, 0u);
}

TEST_F(SimBytePort, RepliesNeverOvertakeEachOther)
{
    OpenLine();
    radio.Faults().replyDelay = 60ms;
    ASSERT_EQ(port.Write(Handshake()), 4u);
    radio.Faults().replyDelay = 0ms;
    ASSERT_EQ(port.Write(ModeFrame(2)), 6u);
    ASSERT_EQ(port.WaitForBytes(12, 2s).queued, 12u);
    Bytes got(12);
    ASSERT_EQ(port.ReadQueued(got), 12u);
    EXPECT_EQ(got, Cat({Ack('a', 'P', 'a'), Ack('a', 'M', 'a')}));
}

} // namespace
} // namespace qrv::sim::test
