// The in-process port: the program's view of the simulated radio. Its times
// are bounded from below only, or far above, as the suite also runs loaded
// and under sanitizers.
#include "sim_byte_port.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <ctime>
#include <optional>
#include <thread>

namespace qrv::sim::test {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class SimBytePort : public ::testing::Test {
protected:
    void OpenLine()
    {
        ASSERT_TRUE(port.Open("sim"));
        ASSERT_TRUE(port.Configure({}));
    }
    CSimRadio radio;
    CSimBytePort port{radio};
};

// Only a line set up like the radio's (9600 8N2) reaches it.
TEST_F(SimBytePort, OtherLineSettingsReachNothing)
{
    const std::pair<const char*, std::optional<qrv::CLineSettings>> lines[] = {
        {"opened, never configured", std::nullopt},
        {"19200 baud", qrv::CLineSettings{19200, 8, 0, 2, true, true}},
        {"seven bits", qrv::CLineSettings{9600, 7, 0, 2, true, true}},
        {"even parity", qrv::CLineSettings{9600, 8, 2, 2, true, true}},
        {"one stop bit", qrv::CLineSettings{9600, 8, 0, 0, true, true}},
    };
    for (const auto& [name, line] : lines) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(port.Open("sim"));
        ASSERT_TRUE(!line || port.Configure(*line));
        EXPECT_EQ(port.Write(Handshake()), 4u);
        EXPECT_EQ(port.WaitForBytes(6, 30ms).queued, 0u);
        ASSERT_TRUE(port.Close());
    }
    EXPECT_TRUE(radio.ReceivedFrames().empty());
}

TEST_F(SimBytePort, LineErrorAndUnpluggingWakeTheSleepingReader)
{
    OpenLine();
    for (const bool unplug : {false, true}) {
        const Clock::time_point start = Clock::now();
        const std::clock_t cpu = std::clock();
        std::thread event([this, unplug] {
            std::this_thread::sleep_for(200ms);
            unplug ? port.SetPresent(false) : port.InjectLineError();
        });
        const qrv::CPortStatus status = port.WaitForBytes(6, 5s);
        event.join();
        EXPECT_LT(std::clock() - cpu, CLOCKS_PER_SEC * 30 / 1000); // it slept while it waited
        EXPECT_LT(Clock::now() - start, 2s);
        EXPECT_EQ(status.gone, unplug);
        EXPECT_EQ(status.lineError, !unplug);
        EXPECT_FALSE(port.WaitForBytes(6, 10ms).lineError); // reported once
    }
    EXPECT_EQ(port.Write(Handshake()), 0u);
}

// A reply is held for its time, and one held longer still comes first.
TEST_F(SimBytePort, PacedRepliesArriveInTurnWhenTheirTimeHasCome)
{
    radio.Faults().wireTiming = true;
    radio.Faults().replyDelay = 150ms;
    OpenLine();
    const Clock::time_point start = Clock::now();
    ASSERT_EQ(port.Write(ReadFrame(0x127, 2)), 10u);
    radio.Faults() = {};
    ASSERT_EQ(port.Write(Handshake()), 4u);
    EXPECT_EQ(port.WaitForBytes(19, 20ms).queued, 0u);
    ASSERT_EQ(port.WaitForBytes(19, 3s).queued, 19u);
    const Clock::duration took = Clock::now() - start;
    EXPECT_GE(took, 176ms); // 150 ms, and 23 bytes of 11 bits at 9600 baud
    EXPECT_LT(took, 2s);    // woken by the reply, not by the time-out
    Bytes got(19);
    ASSERT_EQ(port.ReadQueued(got), 19u);
    EXPECT_EQ(HexOf(got), HexOf(Hex(std::string("02 45 63 27 01 00 00 02 00 FF 87 A8 03 ") + kAckP)));
}

TEST_F(SimBytePort, DiscardAndCloseDropWhatWasQueued)
{
    OpenLine();
    ASSERT_EQ(port.Write(Handshake()), 4u);
    EXPECT_EQ(port.WaitForBytes(6, 2s).queued, 6u);
    port.DiscardInput();
    EXPECT_EQ(port.WaitForBytes(1, 0ms).queued, 0u);

    ASSERT_EQ(port.Write(Handshake()), 4u);
    EXPECT_FALSE(port.Open("sim")); // held already
    EXPECT_TRUE(port.Close());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Write(Handshake()), 0u);
    OpenLine();
    EXPECT_EQ(port.WaitForBytes(1, 0ms).queued, 0u);
}

} // namespace
} // namespace qrv::sim::test
