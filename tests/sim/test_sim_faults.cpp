// Each fault of the simulated radio does what it says, and no more.
#include "sim_test_support.h"

#include <gtest/gtest.h>

namespace qrv::sim::test {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

// Replies of a radio with the given faults to a fixed session, one entry per
// request (nullopt: no answer).
std::vector<std::optional<Bytes>> Session(CSimRadio& radio, const std::vector<Bytes>& requests)
{
    std::vector<std::optional<Bytes>> out;
    for (const Bytes& r : requests)
        out.push_back(Exchange(radio, r));
    return out;
}

TEST(SimFaults, SilentRadioHearsButNeverAnswers)
{
    CSimRadio radio;
    radio.Faults().silent = true;
    EXPECT_EQ(Session(radio, {Handshake(), ModeFrame(3), WriteFrame(0x100, {1})}),
              (std::vector<std::optional<Bytes>>(3, std::nullopt)));
    EXPECT_EQ(radio.ReceivedFrames().size(), 3u);
    EXPECT_EQ(radio.Mode(), 1);
    EXPECT_EQ(radio.Memory()[0x100], 0xFF);
}

TEST(SimFaults, IgnoresTheFirstRequestsThenAnswers)
{
    CSimRadio radio;
    radio.Faults().ignoreFirstRequests = 2;
    EXPECT_EQ(Session(radio, {Handshake(), ModeFrame(2), Handshake(), ModeFrame(2)}),
              (std::vector<std::optional<Bytes>>{std::nullopt, std::nullopt, Ack('a', 'P', 'a'), Ack('a', 'M', 'a')}));
    EXPECT_EQ(radio.Mode(), 2);
}

TEST(SimFaults, VanishesForGoodAfterSomeFrames)
{
    CSimRadio radio;
    radio.Faults().vanishAfterFrames = 2;
    EXPECT_EQ(Session(radio, {Handshake(), ModeFrame(3), ModeFrame(2), Handshake()}),
              (std::vector<std::optional<Bytes>>{Ack('a', 'P', 'a'), Ack('a', 'M', 'a'), std::nullopt, std::nullopt}));
    EXPECT_EQ(radio.Mode(), 3);
}

TEST(SimFaults, ShortRepliesLoseTheirLastByte)
{
    CSimRadio radio;
    radio.Faults().shortReplies = true;
    const std::optional<Bytes> ack = Exchange(radio, Handshake());
    EXPECT_EQ(ack, (Bytes{STX, 'A', 'a', 'P', 'a'}));
    const std::optional<Bytes> block = Exchange(radio, ReadFrame(0x010, 16));
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->size(), 26u);
}

struct CReadFaultCase {
    const char* name;
    std::uint32_t address;
    unsigned length;
    bool answered;
    bool goodChecksum;
};
// Rows print as their name in test listings.
inline void PrintTo(const CReadFaultCase& row, std::ostream* out)
{
    *out << row.name;
}

class SimReadFaults : public ::testing::TestWithParam<CReadFaultCase> {};

TEST_P(SimReadFaults, HitOnlyTheBlocksCoveringTheirAddress)
{
    const CReadFaultCase& c = GetParam();
    CSimRadio radio;
    radio.Faults().badChecksumAt = 0x128;
    radio.Faults().silentReadAt = 0x7F0;
    const std::optional<Bytes> reply = Exchange(radio, ReadFrame(c.address, c.length));
    ASSERT_EQ(reply.has_value(), c.answered);
    if (!reply)
        return;
    ASSERT_EQ(reply->size(), c.length + 11);
    EXPECT_EQ(SumsToZero(std::span<const std::uint8_t>(*reply).subspan(1, c.length + 9)), c.goodChecksum);
    // The data itself is untouched; only the checksum lies.
    EXPECT_EQ(Bytes(reply->begin() + 9, reply->begin() + 9 + c.length),
              Bytes(radio.Memory().begin() + c.address, radio.Memory().begin() + c.address + c.length));
}

INSTANTIATE_TEST_SUITE_P(Cases, SimReadFaults,
                         ::testing::Values(CReadFaultCase{"BadChecksumExact", 0x128, 1, true, false},
                                           CReadFaultCase{"BadChecksumInside", 0x120, 16, true, false},
                                           CReadFaultCase{"BadChecksumJustBefore", 0x118, 16, true, true},
                                           CReadFaultCase{"BadChecksumJustAfter", 0x129, 16, true, true},
                                           CReadFaultCase{"SilentExact", 0x7F0, 16, false, true},
                                           CReadFaultCase{"SilentInside", 0x7E8, 16, false, true},
                                           CReadFaultCase{"SilentJustBefore", 0x7E0, 16, true, true}),
                         CaseName());

TEST(SimFaults, RefusedModeIsNotAnsweredNorTaken)
{
    CSimRadio radio;
    radio.Faults().refuseMode = true;
    EXPECT_FALSE(Exchange(radio, ModeFrame(3)).has_value());
    EXPECT_EQ(radio.Mode(), 1);
    EXPECT_EQ(Exchange(radio, Handshake()), Ack('a', 'P', 'a'));
}

TEST(SimFaults, ModeStatusCStillChangesTheMode)
{
    CSimRadio radio;
    radio.Faults().modeStatusC = true;
    EXPECT_EQ(Exchange(radio, ModeFrame(3)), Ack('c', 'M', 'a'));
    EXPECT_EQ(radio.Mode(), 3);
    EXPECT_EQ(Exchange(radio, WriteFrame(0x078, {0x42})), Ack('a', 'E', 'a'));
}

TEST(SimFaults, NoiseDamagesExactlyOneByteOfEachReply)
{
    const std::vector<Bytes> session{Handshake(), ModeFrame(2), ReadFrame(0x010, 16), QueryFrame(0x21),
                                     ReadFrame(0x400, 16)};
    CSimRadio clean;
    const std::vector<std::optional<Bytes>> expected = Session(clean, session);

    CSimRadio noisy;
    noisy.Faults().noiseProbability = 1.0;
    const std::vector<std::optional<Bytes>> got = Session(noisy, session);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_TRUE(got[i] && expected[i]);
        ASSERT_EQ(got[i]->size(), expected[i]->size());
        int differing = 0;
        for (std::size_t b = 0; b < got[i]->size(); ++b)
            differing += (*got[i])[b] != (*expected[i])[b];
        EXPECT_EQ(differing, 1) << "reply " << i;
    }

    CSimRadio quiet;
    quiet.Faults().noiseProbability = 0.0;
    EXPECT_EQ(Session(quiet, session), expected);
}

TEST(SimFaults, NoiseHitsAboutTheGivenShareOfReplies)
{
    CSimRadio radio;
    radio.Faults().noiseProbability = 0.25;
    constexpr int kReplies = 2000;
    int damaged = 0;
    for (int i = 0; i < kReplies; ++i)
        damaged += Exchange(radio, Handshake()) != Ack('a', 'P', 'a');
    EXPECT_GT(damaged, kReplies / 5);
    EXPECT_LT(damaged, kReplies * 3 / 10);
}

struct CDelayCase {
    const char* name;
    bool wireTiming;
    milliseconds replyDelay;
    Bytes request;
    microseconds delay;
};
// Rows print as their name in test listings.
inline void PrintTo(const CDelayCase& row, std::ostream* out)
{
    *out << row.name;
}

class SimReplyDelay : public ::testing::TestWithParam<CDelayCase> {};

TEST_P(SimReplyDelay, CountsWireTimeOfBothFramesAndTheExtraDelay)
{
    const CDelayCase& c = GetParam();
    CSimRadio radio;
    radio.Faults().wireTiming = c.wireTiming;
    radio.Faults().replyDelay = c.replyDelay;
    const std::vector<CSimRadio::CReply> replies = radio.Feed(c.request);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_NEAR(static_cast<double>(replies[0].delay.count()), static_cast<double>(c.delay.count()), 1.0);
}

// 11 bits per byte at 9600 baud: 1145.83 us a byte.
INSTANTIATE_TEST_SUITE_P(
    Cases, SimReplyDelay,
    ::testing::Values(CDelayCase{"None", false, milliseconds(0), Handshake(), microseconds(0)},
                      CDelayCase{"HandshakeOnTheWire", true, milliseconds(0), Handshake(), microseconds(11458)},
                      CDelayCase{"BlockReadOnTheWire", true, milliseconds(0), ReadFrame(0, 16), microseconds(42395)},
                      CDelayCase{"ExtraDelay", false, milliseconds(250), Handshake(), microseconds(250000)},
                      CDelayCase{"Both", true, milliseconds(30), ReadFrame(0, 16), microseconds(72395)}),
    CaseName());

TEST(SimFaults, DropWriteAcknowledgesTheBlockButKeepsNothing)
{
    CSimRadio radio;
    radio.Faults().dropWriteAt = 0x105;
    EXPECT_EQ(Exchange(radio, ModeFrame(3)), Ack('a', 'M', 'a'));
    // The block covering the address is answered as accepted, and lost.
    EXPECT_EQ(Exchange(radio, WriteFrame(0x100, Bytes(16, 0x11))), Ack('a', 'E', 'a'));
    // Blocks beside it are kept as usual.
    EXPECT_EQ(Exchange(radio, WriteFrame(0x0F0, Bytes(16, 0x22))), Ack('a', 'E', 'a'));
    EXPECT_EQ(Exchange(radio, WriteFrame(0x110, Bytes(16, 0x33))), Ack('a', 'E', 'a'));
    EXPECT_EQ(radio.Memory()[0x100], 0xFF);
    EXPECT_EQ(radio.Memory()[0x10F], 0xFF);
    EXPECT_EQ(radio.Memory()[0x0FF], 0x22);
    EXPECT_EQ(radio.Memory()[0x110], 0x33);
    EXPECT_EQ(radio.Writes(), (std::vector<std::pair<std::uint32_t, std::uint16_t>>{{0x0F0, 16}, {0x110, 16}}));
}

} // namespace
} // namespace qrv::sim::test
