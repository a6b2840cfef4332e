// What the radio holds: its memory, its mode, its tune values and test options.
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qrv::sim::test {
namespace {

bool AllEqual(const CSimRadio::MemoryBytes& m, std::size_t first, std::size_t end, std::uint8_t value)
{
    return std::all_of(m.begin() + first, m.begin() + end, [value](std::uint8_t b) { return b == value; });
}

TEST(SimMemory, StartsAsAPlausibleRadio)
{
    CSimIdentity identity;
    identity.modelName = "QL-210";
    identity.range = CSimIdentity::RangeBlock(0x81, 136, 174);
    identity.signal = 3;
    const CSimRadio radio(identity);
    const CSimRadio::MemoryBytes& m = radio.Memory();
    EXPECT_EQ(Bytes(m.begin() + 0x010, m.begin() + 0x01C), (Bytes{'Q', 'L', '-', '2', '1', '0', 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(m[0x01C], 1);    // band flag
    EXPECT_EQ(m[0x01D], 0x01); // range ID
    EXPECT_EQ(m[0x01E], 3);    // signalling
    EXPECT_EQ(Bytes(m.begin() + 0x028, m.begin() + 0x030), (Bytes{0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17}));
    EXPECT_EQ(m[0x127], 0xFF);
    EXPECT_EQ(m[0x128], 0x87);
    EXPECT_TRUE(AllEqual(m, 0x400, 0x4A0, 0x00)); // message block, both layouts
    EXPECT_TRUE(AllEqual(m, 0x000, 0x010, 0xFF));
    EXPECT_TRUE(AllEqual(m, 0x078, 0x127, 0xFF));
    EXPECT_TRUE(AllEqual(m, 0x129, 0x400, 0xFF));
    EXPECT_TRUE(AllEqual(m, 0x4A0, 0x800, 0xFF));
    EXPECT_EQ(radio.Mode(), 1);
}

struct CWriteCase {
    const char* name;
    unsigned mode;
    std::optional<std::uint32_t> refuseAt;
    std::uint32_t address;
    std::optional<Bytes> reply; // nullopt: no answer
    bool stored;
};
// Rows print as their name in test listings.
inline void PrintTo(const CWriteCase& row, std::ostream* out)
{
    *out << row.name;
}

class SimBlockWrite : public ::testing::TestWithParam<CWriteCase> {};

TEST_P(SimBlockWrite, ChangesMemoryOnlyWhenAccepted)
{
    const CWriteCase& c = GetParam();
    CSimRadio radio;
    radio.Faults().refuseWriteAt = c.refuseAt;
    ASSERT_TRUE(EnterMode(radio, c.mode));
    const CSimRadio::MemoryBytes before = radio.Memory();
    const Bytes data{0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};

    EXPECT_EQ(Exchange(radio, WriteFrame(c.address, data)), c.reply);

    CSimRadio::MemoryBytes expected = before;
    if (c.stored)
        std::copy(data.begin(), data.end(), expected.begin() + c.address);
    EXPECT_EQ(radio.Memory(), expected);
    using Log = std::vector<std::pair<std::uint32_t, std::uint16_t>>;
    const Log expectedLog = c.stored ? Log{{c.address, 16}} : Log{};
    EXPECT_EQ(radio.Writes(), expectedLog);
}

INSTANTIATE_TEST_SUITE_P(Cases, SimBlockWrite,
                         ::testing::Values(CWriteCase{"InWriteMode", 3, std::nullopt, 0x078, Ack('a', 'E', 'a'), true},
                                           CWriteCase{"LastBlock", 3, std::nullopt, 0x7F0, Ack('a', 'E', 'a'), true},
                                           CWriteCase{"InReadMode", 2, std::nullopt, 0x078, Ack('b', 'E', 'a'), false},
                                           CWriteCase{"InNormalMode", 1, std::nullopt, 0x078, Ack('b', 'E', 'a'),
                                                      false},
                                           CWriteCase{"InTuneMode", 6, std::nullopt, 0x3E9, Ack('b', 'E', 'a'), false},
                                           CWriteCase{"PastMemory", 3, std::nullopt, 0x7F8, Ack('b', 'E', 'a'), false},
                                           CWriteCase{"RefusedAtFirstByte", 3, 0x580, 0x580, Ack('b', 'E', 'a'), false},
                                           CWriteCase{"RefusedAtLastByte", 3, 0x58F, 0x580, Ack('b', 'E', 'a'), false},
                                           CWriteCase{"RefusalElsewhere", 3, 0x590, 0x580, Ack('a', 'E', 'a'), true}),
                         CaseName());

TEST(SimBlockWrite, ReadsBackWhatWasWritten)
{
    CSimRadio radio;
    ASSERT_TRUE(EnterMode(radio, 3));
    const Bytes baseBand{0x01, 0x12, 0x23, 0x34, 0x45, 0x56, 0x67};
    ASSERT_EQ(Exchange(radio, WriteFrame(0x3F9, baseBand)), Ack('a', 'E', 'a'));
    ASSERT_TRUE(EnterMode(radio, 2));
    const std::optional<Bytes> reply = Exchange(radio, ReadFrame(0x3F9, 7));
    ASSERT_TRUE(reply.has_value());
    ASSERT_EQ(reply->size(), 18u);
    EXPECT_EQ(Bytes(reply->begin() + 9, reply->begin() + 16), baseBand);
}

TEST(SimBlockRead, IsAnsweredInEveryMode)
{
    for (const unsigned mode : {1u, 2u, 3u, 6u}) {
        CSimRadio radio;
        ASSERT_TRUE(EnterMode(radio, mode));
        const std::optional<Bytes> reply = Exchange(radio, ReadFrame(0x127, 2));
        ASSERT_TRUE(reply.has_value()) << "mode " << mode;
        EXPECT_EQ((*reply)[10], 0x87) << "mode " << mode;
    }
}

TEST(SimMode, FollowsEveryAcceptedModeChange)
{
    CSimRadio radio;
    for (const unsigned mode : {2u, 1u, 3u, 6u, 1u}) {
        EXPECT_TRUE(EnterMode(radio, mode));
        EXPECT_EQ(radio.Mode(), static_cast<int>(mode));
    }
    EXPECT_FALSE(Exchange(radio, ModeFrame(5)).has_value());
    EXPECT_EQ(radio.Mode(), 1);
}

class SimTuning : public ::testing::Test {
protected:
    void SetUp() override
    {
        radio.TuneValues()[kItem] = 0x0123;
        ASSERT_TRUE(EnterMode(radio, 6));
    }
    std::optional<unsigned> Read(char op)
    {
        const std::optional<Bytes> reply = Exchange(radio, TuneReadFrame(op, kItem));
        if (!reply || reply->size() != 8)
            return std::nullopt;
        return (*reply)[5] | ((*reply)[6] << 8);
    }
    static constexpr unsigned kItem = 0x8391;
    CSimRadio radio;
};

TEST_F(SimTuning, ReadsTheKeptValueWithEitherCommand)
{
    EXPECT_EQ(Read('b'), 0x0123u);
    EXPECT_EQ(Read('l'), 0x0123u);
}

TEST_F(SimTuning, DropDiscardsTheWorkingValues)
{
    ASSERT_EQ(Exchange(radio, TuneWriteFrame(kItem, 0x0456)), Ack('a', 'V', 'a'));
    EXPECT_EQ(Read('b'), 0x0456u); // the radio runs on the value being tuned
    ASSERT_EQ(Exchange(radio, KeepFrame(false)), Ack('a', 'V', 'k'));
    EXPECT_EQ(Read('b'), 0x0123u);
    EXPECT_EQ(radio.TuneValues().at(kItem), 0x0123);
}

TEST_F(SimTuning, KeepStoresTheWorkingValues)
{
    ASSERT_EQ(Exchange(radio, TuneWriteFrame(kItem, 0x0456)), Ack('a', 'V', 'a'));
    ASSERT_EQ(Exchange(radio, TuneWriteFrame(0x850B, 0x00C8)), Ack('a', 'V', 'a'));
    EXPECT_EQ(radio.TuneValues().at(kItem), 0x0123); // not before "Vj"
    ASSERT_EQ(Exchange(radio, KeepFrame(true)), Ack('a', 'V', 'j'));
    EXPECT_EQ(radio.TuneValues().at(kItem), 0x0456);
    EXPECT_EQ(radio.TuneValues().at(0x850B), 0x00C8);
    ASSERT_EQ(Exchange(radio, KeepFrame(false)), Ack('a', 'V', 'k'));
    EXPECT_EQ(Read('b'), 0x0456u);
}

TEST_F(SimTuning, TestOptionsFollowTheLastSwitch)
{
    ASSERT_EQ(Exchange(radio, OptionFrame('b', 1)), Ack('a', 'O', 'b'));
    EXPECT_TRUE(radio.TestOption('b'));
    EXPECT_FALSE(radio.TestOption('a'));
    ASSERT_EQ(Exchange(radio, OptionFrame('a', 1)), Ack('a', 'O', 'a'));
    ASSERT_EQ(Exchange(radio, OptionFrame('b', 0)), Ack('a', 'O', 'b'));
    EXPECT_TRUE(radio.TestOption('a'));
    EXPECT_FALSE(radio.TestOption('b'));
}

TEST(SimLog, RecordsEveryFrameUntilCleared)
{
    CSimRadio radio;
    radio.Faults().refuseMode = true;
    radio.Feed(Cat({Handshake(), ModeFrame(3), {0x77}}));
    EXPECT_EQ(radio.ReceivedFrames(), (std::vector<Bytes>{Handshake(), ModeFrame(3)}));
    radio.ClearLog();
    EXPECT_TRUE(radio.ReceivedFrames().empty());
    EXPECT_TRUE(radio.Writes().empty());
}

} // namespace
} // namespace qrv::sim::test
