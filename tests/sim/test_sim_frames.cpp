// The radio answers each request frame byte for byte as the program expects,
// keeps what it was told, and leaves alone what it could not take; each of
// its faults does what it says, and no more.
#include "sim_test_support.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>

namespace qrv::sim::test {
namespace {

// Frames in hex; a session's frames one after the other, split by '|' ("" is one frame).
struct CFrameCase {
    const char* name;
    unsigned mode; // entered first
    const char* requests;
    const char* replies; // "": no answer
    friend void PrintTo(const CFrameCase& row, std::ostream* out) { *out << row.name; }
};

struct CFaultCase {
    const char* name;
    CSimFaults faults;
    std::vector<Bytes> requests;
    std::vector<const char*> replies;   // "": no answer
    int mode = 1;                       // the radio's mode afterwards
    std::chrono::microseconds delay{0}; // of every reply
    friend void PrintTo(const CFaultCase& row, std::ostream* out) { *out << row.name; }
};

using namespace std::chrono_literals;

// Every radio here says this of itself; its 13-character name is cut to the 12-byte field.
const CSimIdentity kMarine{"QL-210 MARINE", "QL210", "1.01.07.002", 0x2A, CSimIdentity::RangeBlock(0x81, 136, 174)};

class SimFrame : public ::testing::TestWithParam<CFrameCase> {};

TEST_P(SimFrame, IsAnsweredByteForByte)
{
    const CFrameCase& row = GetParam();
    CSimRadio radio(kMarine);
    ASSERT_EQ(Exchange(radio, ModeFrame(row.mode)), Ack('a', 'M', 'a'));
    const CSimRadio::MemoryBytes before = radio.Memory();
    const std::vector<std::string> requests = Split(row.requests, '|');
    const std::vector<std::string> replies = Split(row.replies, '|');
    ASSERT_EQ(requests.size(), replies.size());
    for (std::size_t i = 0; i < requests.size(); ++i)
        EXPECT_EQ(HexOf(Exchange(radio, Hex(requests[i]))), HexOf(Hex(replies[i]))) << "frame " << i;
    // A frame not answered has no effect, and what follows it is still heard.
    EXPECT_TRUE(*row.replies != '\0' || radio.Mode() == static_cast<int>(row.mode));
    EXPECT_TRUE(std::string_view(row.replies).find(kAckE) != std::string_view::npos || radio.Memory() == before);
    EXPECT_EQ(Exchange(radio, Handshake()), Ack('a', 'P', 'a'));
}

// Replies worked out by hand from the frame layouts.
// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryCommand, SimFrame, ::testing::Values(
    CFrameCase{"Handshake", 1, "02 50 61 03", kAckP},
    CFrameCase{"ReadTuneSwitch", 1, "02 45 62 27 01 00 00 02 00 03", "02 45 63 27 01 00 00 02 00 FF 87 A8 03"},
    CFrameCase{"ReadLastByte", 2, "02 45 62 FF 07 00 00 01 00 03", "02 45 63 FF 07 00 00 01 00 FF 52 03"},
    CFrameCase{"WriteTuneSwitch", 3, "02 45 61 07 00 27 01 00 00 AB CD B3 03", kAckE},
    CFrameCase{"WriteLastByte", 3, "02 45 61 06 00 FF 07 00 00 11 3D 03", kAckE},
    CFrameCase{"WritePastMemory", 3, "02 45 61 07 00 FF 07 00 00 11 22 1A 03", kRefusedE},
    CFrameCase{"WriteInTuneMode", 6, "02 45 61 07 00 27 01 00 00 AB CD B3 03", kRefusedE},
    CFrameCase{"QueryModelName", 1, "02 42 62 03 00 03",
               "02 42 63 03 00 0C 00 51 4C 2D 32 31 30 20 4D 41 52 49 4E 58 03"},
    CFrameCase{"QueryRange", 1, "02 42 62 05 00 03", "02 42 63 05 00 09 00 81 00 00 60 13 00 00 40 17 02 03"},
    CFrameCase{"QuerySignal", 1, "02 42 62 07 00 03", "02 42 63 07 00 01 00 2A 29 03"},
    CFrameCase{"QueryFirmware", 1, "02 42 62 21 00 03",
               "02 42 63 21 00 10 00 31 2E 30 31 2E 30 37 2E 30 30 32 00 00 00 00 00 15 03"},
    CFrameCase{"QueryModelId", 1, "02 42 62 22 00 03",
               "02 42 63 22 00 10 00 51 4C 32 31 30 00 00 00 00 00 00 00 00 00 00 00 F9 03"},
    CFrameCase{"TuneRead", 6, "02 56 62 50 80 03", "02 56 63 50 80 80 00 03"},
    CFrameCase{"TuneReadAlt", 6, "02 56 6C AF 84 03", "02 56 63 AF 84 80 00 03"},
    CFrameCase{"TestOptionAOn", 6, "02 4F 61 01 00 03", "02 41 61 4F 61 03"},
    CFrameCase{"TestOptionBOff", 6, "02 4F 62 00 00 03", "02 41 61 4F 62 03"},
    CFrameCase{"UnknownCommand", 1, "02 58 61 03", ""},
    // Bytes before a start byte are noise; a write whose length field is absurd swallows nothing behind it.
    CFrameCase{"NoiseBeforeAFrame", 1, "FF 00 55 02 50 61 03", kAckP},
    CFrameCase{"GarbledWriteBeforeAFrame", 3, "02 45 61 FF FF 02 50 61 03", kAckP},
    CFrameCase{"HandshakeWithoutEnd", 1, "02 50 61 00", ""},
    CFrameCase{"UnknownQuery", 1, "02 42 62 04 00 03", ""},
    CFrameCase{"QueryWithParameter", 1, "02 42 62 03 01 03", ""},
    CFrameCase{"ReadPastMemory", 2, "02 45 62 F8 07 00 00 10 00 03", ""},
    CFrameCase{"ReadNothing", 2, "02 45 62 00 01 00 00 00 00 03", ""},
    CFrameCase{"UnknownMode", 2, "02 4D 61 04 00 03", ""},
    CFrameCase{"BadWriteChecksum", 3, "02 45 61 07 00 27 01 00 00 AB CD B4 03", ""},
    CFrameCase{"TuneItemBelowRange", 6, "02 56 62 4F 80 03", ""},
    CFrameCase{"TuneWriteAboveRange", 6, "02 56 61 B0 84 01 00 03", ""},
    CFrameCase{"KeepWithParameter", 6, "02 56 6A 01 00 03", ""},
    CFrameCase{"UnknownTestOption", 6, "02 4F 63 01 00 03", ""},
    CFrameCase{"TestOptionState2", 6, "02 4F 61 02 00 03", ""},
    CFrameCase{"KeepOutsideTuneMode", 3, "02 56 6A 00 00 03", ""},
    CFrameCase{"OptionOutsideTuneMode", 1, "02 4F 61 01 00 03", ""},
    // What the radio holds shows in what it answers later.
    CFrameCase{"WriteThenReadBack", 3,
               "02 45 61 0C 00 F9 03 00 00 01 12 23 34 45 56 67 E6 03 | 02 4D 61 02 00 03 | "
               "02 45 62 F9 03 00 00 07 00 03",
               "02 41 61 45 61 03 | 02 41 61 4D 61 03 | 02 45 63 F9 03 00 00 07 00 01 12 23 34 45 56 67 E9 03"},
    // Modes 2, 3, 5 (not taken), 6 and 1: writes in mode 3 only, tuning in mode 6 only.
    CFrameCase{"ModesFollowEachOther", 1,
               "02 4D 61 02 00 03 | 02 45 61 06 00 00 01 00 00 01 52 03 | 02 4D 61 03 00 03 | 02 4D 61 05 00 03 | "
               "02 45 61 06 00 00 01 00 00 01 52 03 | 02 4D 61 06 00 03 | 02 56 62 50 80 03 | 02 4D 61 01 00 03 | "
               "02 56 62 50 80 03",
               "02 41 61 4D 61 03 | 02 41 62 45 61 03 | 02 41 61 4D 61 03 | | 02 41 61 45 61 03 | 02 41 61 4D 61 03 | "
               "02 56 63 50 80 80 00 03 | 02 41 61 4D 61 03 | "},
    // Tune 0x8391 to 0x0456, read it, drop it, read it again.
    CFrameCase{"DropDiscardsTheWorkingValue", 6,
               "02 56 61 91 83 56 04 03 | 02 56 62 91 83 03 | 02 56 6B 00 00 03 | 02 56 62 91 83 03",
               "02 41 61 56 61 03 | 02 56 63 91 83 56 04 03 | 02 41 61 56 6B 03 | 02 56 63 91 83 80 00 03"},
    // Tune 0x8391 and the volume, keep them, drop nothing, read both back.
    CFrameCase{"KeepStoresTheWorkingValues", 6,
               "02 56 61 91 83 56 04 03 | 02 56 61 0B 85 C8 00 03 | 02 56 6A 00 00 03 | 02 56 6B 00 00 03 | "
               "02 56 6C 91 83 03 | 02 56 62 0B 85 03",
               "02 41 61 56 61 03 | 02 41 61 56 61 03 | 02 41 61 56 6A 03 | 02 41 61 56 6B 03 | "
               "02 56 63 91 83 56 04 03 | 02 56 63 0B 85 C8 00 03"}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST(SimMemory, StartsAsAPlausibleRadio)
{
    const CSimRadio radio(kMarine);
    const Bytes expected =
        Cat({Bytes(0x010, 0xFF),
             Hex("51 4C 2D 32 31 30 20 4D 41 52 49 4E 01 01 2A"), // name, band flag, range ID, signalling
             Bytes(9, 0xFF),
             Hex("00 00 60 13 00 00 40 17"), // the limits
             Bytes(0x127 - 0x030, 0xFF),
             Hex("FF 87"),                                   // the tune switch word
             Bytes(0x400 - 0x129, 0xFF), Bytes(0x0A0, 0x00), // the message block, both layouts
             Bytes(0x800 - 0x4A0, 0xFF)});
    EXPECT_EQ(Bytes(radio.Memory().begin(), radio.Memory().end()), expected);
}

TEST(SimFraming, SplitsAndJoinsFramesAcrossFeeds)
{
    CSimRadio radio;
    // Two frames and the head of a third, its length field cut, in one
    // chunk; the tail in the next.
    const Bytes write = WriteFrame(0x400, {'F', 'I', 'E', 'L', 'D'});
    std::vector<CSimRadio::CReply> replies =
        radio.Feed(Cat({Handshake(), ModeFrame(3), Bytes(write.begin(), write.begin() + 4)}));
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].bytes, Ack('a', 'P', 'a'));
    EXPECT_EQ(replies[1].bytes, Ack('a', 'M', 'a'));
    replies = radio.Feed(Bytes(write.begin() + 4, write.end()));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, Ack('a', 'E', 'a'));
    EXPECT_EQ(radio.ReceivedFrames(), (std::vector<Bytes>{Handshake(), ModeFrame(3), write}));
}

// Each fault of the simulated radio does what it says, and no more.
class SimFault : public ::testing::TestWithParam<CFaultCase> {};

TEST_P(SimFault, DoesWhatItSaysAndNoMore)
{
    const CFaultCase& row = GetParam();
    CSimRadio radio;
    radio.Faults() = row.faults;
    const CSimRadio::MemoryBytes before = radio.Memory();
    ASSERT_EQ(row.requests.size(), row.replies.size());
    bool wrote = false;
    for (std::size_t i = 0; i < row.requests.size(); ++i) {
        const std::vector<CSimRadio::CReply> replies = radio.Feed(row.requests[i]);
        EXPECT_EQ(HexOf(replies.empty() ? Bytes{} : replies[0].bytes), HexOf(Hex(row.replies[i]))) << i;
        for (const CSimRadio::CReply& reply : replies)
            EXPECT_NEAR(static_cast<double>(reply.delay.count()), static_cast<double>(row.delay.count()), 1.0);
        wrote = wrote || std::string_view(row.replies[i]) == kAckE;
    }
    EXPECT_EQ(radio.Mode(), row.mode);
    EXPECT_EQ(radio.ReceivedFrames().size(), row.requests.size()); // heard, answered or not
    EXPECT_TRUE(wrote || radio.Memory() == before);                // nothing kept without an accepted write
}

const Bytes kBlock(16, 0x11);

// Wire time: 11 bits a byte at 9600 baud, for the request and the reply. Each
// row names only its own fault and leaves the defaults out, which GCC warns about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryFault, SimFault, ::testing::Values(
    CFaultCase{"Silent", {.silent = true}, {Handshake(), ModeFrame(3), WriteFrame(0x100, {1})}, {"", "", ""}},
    CFaultCase{"IgnoreFirstTwo", {.ignoreFirstRequests = 2}, {Handshake(), ModeFrame(2), Handshake(), ModeFrame(2)},
               {"", "", kAckP, kAckM}, 2},
    CFaultCase{"VanishAfterTwo", {.vanishAfterFrames = 2}, {Handshake(), ModeFrame(3), ModeFrame(2), Handshake()},
               {kAckP, kAckM, "", ""}, 3},
    CFaultCase{"ShortReplies", {.shortReplies = true}, {Handshake(), ReadFrame(0x128, 1)},
               {"02 41 61 50 61", "02 45 63 28 01 00 00 01 00 87 A7"}},
    CFaultCase{"BadChecksumExact", {.badChecksumAt = 0x128}, {ReadFrame(0x128, 1)},
               {"02 45 63 28 01 00 00 01 00 87 A8 03"}},
    CFaultCase{"BadChecksumInside", {.badChecksumAt = 0x128}, {ReadFrame(0x127, 2)},
               {"02 45 63 27 01 00 00 02 00 FF 87 A9 03"}},
    CFaultCase{"BadChecksumJustBefore", {.badChecksumAt = 0x128}, {ReadFrame(0x127, 1)},
               {"02 45 63 27 01 00 00 01 00 FF 30 03"}},
    CFaultCase{"BadChecksumJustAfter", {.badChecksumAt = 0x128}, {ReadFrame(0x129, 1)},
               {"02 45 63 29 01 00 00 01 00 FF 2E 03"}},
    CFaultCase{"SilentReadInside", {.silentReadAt = 0x7F0}, {ReadFrame(0x7EF, 2), Handshake()}, {"", kAckP}},
    CFaultCase{"RefuseMode", {.refuseMode = true}, {ModeFrame(3), Handshake()}, {"", kAckP}},
    CFaultCase{"ModeStatusC", {.modeStatusC = true}, {ModeFrame(3), WriteFrame(0x078, {0x42})},
               {"02 41 63 4D 61 03", kAckE}, 3},
    CFaultCase{"RefuseWriteAtLastByte", {.refuseWriteAt = 0x58F}, {ModeFrame(3), WriteFrame(0x580, kBlock)},
               {kAckM, kRefusedE}, 3},
    // Acknowledged and lost; the blocks beside it are kept.
    CFaultCase{"DropWrite", {.dropWriteAt = 0x105},
               {ModeFrame(3), WriteFrame(0x100, kBlock), WriteFrame(0x0F0, Bytes(16, 0x22)),
                WriteFrame(0x110, Bytes(16, 0x33)), ReadFrame(0x0FF, 2), ReadFrame(0x10F, 2)},
               {kAckM, kAckE, kAckE, kAckE, "02 45 63 FF 00 00 00 02 00 22 FF 36 03",
                "02 45 63 0F 01 00 00 02 00 FF 33 14 03"}, 3},
    CFaultCase{"WireTimingAndReplyDelay", {.replyDelay = 30ms, .wireTiming = true}, {ReadFrame(0x128, 1)},
               {kSwitchByte}, 1, 55208us}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST(SimNoise, DamagesOneByteOfAboutTheGivenShareOfReplies)
{
    CSimRadio radio;
    radio.Faults().noiseProbability = 0.25;
    const Bytes clean = Ack('a', 'P', 'a');
    int damaged = 0;
    for (int i = 0; i < 2000; ++i) {
        const Bytes got = Exchange(radio, Handshake()).value_or(Bytes{});
        ASSERT_EQ(got.size(), clean.size());
        const int bytes =
            std::inner_product(got.begin(), got.end(), clean.begin(), 0, std::plus<>(), std::not_equal_to<>());
        ASSERT_LE(bytes, 1);
        damaged += bytes;
    }
    EXPECT_GT(damaged, 400);
    EXPECT_LT(damaged, 600);
}

} // namespace
} // namespace qrv::sim::test
