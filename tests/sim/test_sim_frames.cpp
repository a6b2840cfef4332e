// The radio answers each request frame byte for byte as the program expects.
#include "sim_frames.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

namespace qrv::sim::test {
namespace {

TEST(SimChecksum, IsTheTwosComplementOfTheByteSum)
{
    const Bytes example{0x45, 0x61};
    EXPECT_EQ(wire::Checksum(example), 0x5A);
    EXPECT_EQ(wire::Checksum({}), 0x00);
    const Bytes wraps{0xFF, 0x01, 0x80};
    EXPECT_EQ(wire::Checksum(wraps), 0x80);
}

struct CFrameCase {
    const char* name;
    unsigned mode; // entered before the request
    Bytes request;
    Bytes reply;
};
// Rows print as their name in test listings.
inline void PrintTo(const CFrameCase& row, std::ostream* out)
{
    *out << row.name;
}

class SimFrameAnswer : public ::testing::TestWithParam<CFrameCase> {};

TEST_P(SimFrameAnswer, MatchesTheWireBytes)
{
    CSimRadio radio;
    ASSERT_TRUE(EnterMode(radio, GetParam().mode));
    const std::optional<Bytes> reply = Exchange(radio, GetParam().request);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(*reply, GetParam().reply);
}

// Expected replies worked out by hand from the frame layouts.
INSTANTIATE_TEST_SUITE_P(
    EveryCommand, SimFrameAnswer,
    ::testing::Values(
        CFrameCase{"Handshake", 1, {0x02, 0x50, 0x61, 0x03}, {0x02, 0x41, 0x61, 0x50, 0x61, 0x03}},
        CFrameCase{"ModeRead", 1, {0x02, 0x4D, 0x61, 0x02, 0x00, 0x03}, {0x02, 0x41, 0x61, 0x4D, 0x61, 0x03}},
        CFrameCase{"ReadTuneSwitch",
                   1,
                   {0x02, 0x45, 0x62, 0x27, 0x01, 0x00, 0x00, 0x02, 0x00, 0x03},
                   {0x02, 0x45, 0x63, 0x27, 0x01, 0x00, 0x00, 0x02, 0x00, 0xFF, 0x87, 0xA8, 0x03}},
        CFrameCase{"WriteTuneSwitch",
                   3,
                   {0x02, 0x45, 0x61, 0x07, 0x00, 0x27, 0x01, 0x00, 0x00, 0xAB, 0xCD, 0xB3, 0x03},
                   {0x02, 0x41, 0x61, 0x45, 0x61, 0x03}},
        CFrameCase{"QuerySignal",
                   1,
                   {0x02, 0x42, 0x62, 0x07, 0x00, 0x03},
                   {0x02, 0x42, 0x63, 0x07, 0x00, 0x01, 0x00, 0x00, 0x53, 0x03}},
        CFrameCase{
            "TuneRead", 6, {0x02, 0x56, 0x62, 0x50, 0x80, 0x03}, {0x02, 0x56, 0x63, 0x50, 0x80, 0x80, 0x00, 0x03}},
        CFrameCase{
            "TuneReadAlt", 6, {0x02, 0x56, 0x6C, 0xAF, 0x84, 0x03}, {0x02, 0x56, 0x63, 0xAF, 0x84, 0x80, 0x00, 0x03}},
        CFrameCase{"TuneWriteVolume",
                   6,
                   {0x02, 0x56, 0x61, 0x0B, 0x85, 0x40, 0x00, 0x03},
                   {0x02, 0x41, 0x61, 0x56, 0x61, 0x03}},
        CFrameCase{"TuneKeep", 6, {0x02, 0x56, 0x6A, 0x00, 0x00, 0x03}, {0x02, 0x41, 0x61, 0x56, 0x6A, 0x03}},
        CFrameCase{"TuneDrop", 6, {0x02, 0x56, 0x6B, 0x00, 0x00, 0x03}, {0x02, 0x41, 0x61, 0x56, 0x6B, 0x03}},
        CFrameCase{"TestOptionAOn", 6, {0x02, 0x4F, 0x61, 0x01, 0x00, 0x03}, {0x02, 0x41, 0x61, 0x4F, 0x61, 0x03}},
        CFrameCase{"TestOptionBOff", 6, {0x02, 0x4F, 0x62, 0x00, 0x00, 0x03}, {0x02, 0x41, 0x61, 0x4F, 0x62, 0x03}}),
    CaseName());

struct CQueryCase {
    const char* name;
    std::uint8_t code;
    Bytes data;
};
// Rows print as their name in test listings.
inline void PrintTo(const CQueryCase& row, std::ostream* out)
{
    *out << row.name;
}

class SimIdentityQuery : public ::testing::TestWithParam<CQueryCase> {};

TEST_P(SimIdentityQuery, CarriesTheIdentityInAChecksummedReply)
{
    CSimIdentity identity;
    identity.modelName = "QL-210 MARINE"; // 13 characters: cut to the 12-byte field
    identity.modelId = "QL210";
    identity.firmware = "1.01.07.002";
    identity.signal = 0x2A;
    identity.range = CSimIdentity::RangeBlock(0x81, 136, 174);
    CSimRadio radio(identity);

    const Bytes& data = GetParam().data;
    const std::optional<Bytes> reply = Exchange(radio, QueryFrame(GetParam().code));
    ASSERT_TRUE(reply.has_value());
    const std::size_t n = data.size();
    ASSERT_EQ(reply->size(), n + 9);
    EXPECT_EQ(reply->front(), STX);
    EXPECT_EQ(reply->back(), ETX);
    EXPECT_EQ(Bytes(reply->begin() + 7, reply->begin() + 7 + static_cast<std::ptrdiff_t>(n)), data);
    EXPECT_TRUE(SumsToZero(std::span<const std::uint8_t>(*reply).subspan(1, n + 7)));
}

Bytes Text(const std::string& text, std::size_t width)
{
    Bytes b(text.begin(), text.end());
    b.resize(width, 0);
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    EveryCode, SimIdentityQuery,
    ::testing::Values(CQueryCase{"ModelName", 0x03, Text("QL-210 MARIN", 12)},
                      CQueryCase{"Range", 0x05, {0x81, 0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17}},
                      CQueryCase{"Signal", 0x07, {0x2A}}, CQueryCase{"Firmware", 0x21, Text("1.01.07.002", 16)},
                      CQueryCase{"ModelId", 0x22, Text("QL210", 16)}),
    CaseName());

TEST(SimIdentity, DefaultRangeIs400To470)
{
    const CSimIdentity identity;
    EXPECT_EQ(identity.range, CSimIdentity::RangeBlock(0x01, 400, 470));
    EXPECT_EQ(identity.LowerMHz(), 400);
    EXPECT_EQ(identity.UpperMHz(), 470);
}

TEST(SimBlockRead, ReturnsTheDataAfterAnEightByteHeader)
{
    CSimRadio radio;
    radio.Memory()[0x7FF] = 0x5C;
    const std::optional<Bytes> reply = Exchange(radio, ReadFrame(0x7F0, 16));
    ASSERT_TRUE(reply.has_value());
    ASSERT_EQ(reply->size(), 27u);
    EXPECT_EQ(Bytes(reply->begin() + 9, reply->begin() + 25),
              Bytes(radio.Memory().begin() + 0x7F0, radio.Memory().end()));
    EXPECT_EQ((*reply)[24], 0x5C);
    EXPECT_TRUE(SumsToZero(std::span<const std::uint8_t>(*reply).subspan(1, 25)));
    EXPECT_EQ(reply->back(), ETX);
}

struct CSilentCase {
    const char* name;
    unsigned mode;
    Bytes request;
};
// Rows print as their name in test listings.
inline void PrintTo(const CSilentCase& row, std::ostream* out)
{
    *out << row.name;
}

class SimUnanswered : public ::testing::TestWithParam<CSilentCase> {};

// A frame the radio cannot take gets no answer, and what follows it still does.
TEST_P(SimUnanswered, GetsNoReplyAndDoesNotBlockTheNextFrame)
{
    CSimRadio radio;
    ASSERT_TRUE(EnterMode(radio, GetParam().mode));
    const std::vector<std::uint8_t> before(radio.Memory().begin(), radio.Memory().end());
    EXPECT_FALSE(Exchange(radio, GetParam().request).has_value());
    EXPECT_EQ(Exchange(radio, Handshake()), Ack('a', 'P', 'a'));
    EXPECT_EQ(radio.Mode(), static_cast<int>(GetParam().mode));
    EXPECT_TRUE(std::equal(before.begin(), before.end(), radio.Memory().begin()));
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, SimUnanswered,
    ::testing::Values(
        CSilentCase{"UnknownCommand", 1, {STX, 'X', 'a', ETX}},
        CSilentCase{"HandshakeWithoutEnd", 1, {STX, 'P', 'a', 0x00}}, CSilentCase{"UnknownQuery", 1, QueryFrame(0x04)},
        CSilentCase{"QueryWithParameter", 1, {STX, 'B', 'b', 0x03, 0x01, ETX}},
        CSilentCase{"ReadPastMemory", 2, ReadFrame(0x7F8, 16)}, CSilentCase{"ReadNothing", 2, ReadFrame(0x100, 0)},
        CSilentCase{"UnknownMode", 2, ModeFrame(4)},
        CSilentCase{"BadWriteChecksum", 3, {STX, 'E', 'a', 0x07, 0x00, 0x27, 0x01, 0x00, 0x00, 0xAB, 0xCD, 0xB4, ETX}},
        CSilentCase{"TuneItemOutOfRange", 6, TuneReadFrame('b', 0x804F)},
        CSilentCase{"TuneWriteOutOfRange", 6, TuneWriteFrame(0x84B0, 1)},
        CSilentCase{"KeepWithParameter", 6, {STX, 'V', 'j', 0x01, 0x00, ETX}},
        CSilentCase{"UnknownTestOption", 6, OptionFrame('c', 1)},
        CSilentCase{"TestOptionState2", 6, OptionFrame('a', 2)},
        CSilentCase{"TuneReadOutsideTuneMode", 2, TuneReadFrame('b', 0x8050)},
        CSilentCase{"TuneWriteOutsideTuneMode", 3, TuneWriteFrame(0x8050, 1)},
        CSilentCase{"KeepOutsideTuneMode", 3, KeepFrame(true)},
        CSilentCase{"OptionOutsideTuneMode", 1, OptionFrame('a', 1)}),
    CaseName());

TEST(SimFraming, AnswersAFrameOnlyOnceItsLastByteArrived)
{
    CSimRadio radio;
    ASSERT_TRUE(EnterMode(radio, 3));
    const Bytes frame = WriteFrame(0x400, {'F', 'I', 'E', 'L', 'D', '-', 'B', '!'});
    for (std::size_t i = 0; i + 1 < frame.size(); ++i)
        EXPECT_TRUE(radio.Feed(std::span<const std::uint8_t>(&frame[i], 1)).empty()) << "byte " << i;
    const std::vector<CSimRadio::CReply> replies = radio.Feed(std::span<const std::uint8_t>(&frame.back(), 1));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, Ack('a', 'E', 'a'));
    EXPECT_EQ(radio.Memory()[0x407], '!');
}

TEST(SimFraming, SplitsAndJoinsFramesAcrossFeeds)
{
    CSimRadio radio;
    // Line noise before the first start byte, two frames and the head of a
    // third in one chunk, its tail in the next.
    const Bytes read = ReadFrame(0x127, 2);
    Bytes chunk = Cat({{0xFF, 0x00, 0x55}, Handshake(), ModeFrame(2), Bytes(read.begin(), read.begin() + 4)});
    std::vector<CSimRadio::CReply> replies = radio.Feed(chunk);
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].bytes, Ack('a', 'P', 'a'));
    EXPECT_EQ(replies[1].bytes, Ack('a', 'M', 'a'));
    replies = radio.Feed(Bytes(read.begin() + 4, read.end()));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes.size(), 13u);
    EXPECT_EQ(radio.ReceivedFrames(), (std::vector<Bytes>{Handshake(), ModeFrame(2), read}));
}

TEST(SimFraming, FindsTheNextFrameAfterAGarbledOne)
{
    CSimRadio radio;
    // A write whose length field is absurd must not swallow the frames behind it.
    const Bytes chunk = Cat({{STX, 'E', 'a', 0xFF, 0xFF}, Handshake()});
    const std::vector<CSimRadio::CReply> replies = radio.Feed(chunk);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, Ack('a', 'P', 'a'));
}

} // namespace
} // namespace qrv::sim::test
