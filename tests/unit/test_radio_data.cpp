// The whole codeplug: its default, where the areas lie, what loading and
// storing keep, and what follows when channels come and go.
#include "radio_data/radio_data.h"

#include "codeplug_fixture.h"
#include "record_test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

class RadioDataTest : public ::testing::Test, public test::CResetCodeplug {};

TEST_F(RadioDataTest, DefaultCodeplugFillsUnownedAreasAndForcesItsBytes)
{
    EXPECT_EQ((std::vector<std::size_t>{data.Channels().size(), data.Personalities().size(), data.ScanLists().size(),
                                        data.DTMFSystems().size()}),
              (std::vector<std::size_t>{16, 1, 1, 1}));
    EXPECT_EQ((std::vector<int>{data.ChannelHead(), data.PersonalityHead(), data.DtmfHead(), data.ScanHead()}),
              (std::vector<int>{0x580, 0x130, 0x1C0, 0x210}));
    EXPECT_FALSE(data.CheckAll());
    data.Volume().SetAlertToneVolume(5);
    const Image image = Stored();
    const std::pair<int, int> unowned[] = {{0x000, 0x00F}, {0x091, 0x110}, {0x1C0, 0x20F},
                                           {0x338, 0x338}, {0x490, 0x57F}, {0x6C0, 0x7FF}};
    for (const auto& [first, last] : unowned)
        for (int o = first; o <= last; ++o)
            ASSERT_EQ(image[static_cast<std::size_t>(o)], 0xFF) << std::hex << o;
    EXPECT_EQ(image[0x339], 0x08);
    EXPECT_EQ(image[0x085], 0x0C);
    EXPECT_EQ(data.Volume().AlertToneVolume(), 5); // the object keeps its own value
}

TEST_F(RadioDataTest, LoadThenStoreKeepsEveryBitNoEditorTouches)
{
    Image image = Stored();
    // Bytes and bits that no editor changes, in several areas.
    const std::size_t carried[] = {0x130, 0x137, 0x210,          0x213,      0x21F, 0x078, 0x079, 0x07E, 0x082,
                                   0x1BA, 0x1BF, 0x267,          0x26F,      0x11A, 0x11D, 0x401, 0x48F, 0x340,
                                   0x3FF, 0x30F, 0x588 + 20 * 3, 0x580 + 19, 0x115, 0x116, 0x050};
    std::uint8_t value = 0x11;
    for (const std::size_t o : carried)
        image[o] = value++;
    data.LoadFromImage(image);
    EXPECT_TRUE(test::SameImage(Stored(), image));
}

// The channel window pins how channels come and go; here the ends of the table.
TEST_F(RadioDataTest, MissingReferencesAndTheEndsOfTheChannelTable)
{
    data.Channels()[2]->SetPersonalityPosition(5);
    data.AfterLoad();
    EXPECT_TRUE(data.CheckAll());
    ASSERT_EQ(data.InvalidLog().Count(), 1);
    EXPECT_EQ(data.InvalidLog().Entries()[0].key, data.Channels()[2]->TreeId() + 69238);
    EXPECT_FALSE(data.RemoveChannel(16));
    EXPECT_EQ(data.AddChannel(), nullptr);
    while (data.Channels().size() > 1)
        ASSERT_TRUE(data.RemoveChannel(0));
    EXPECT_FALSE(data.RemoveChannel(0)); // the last channel stays
    ASSERT_NE(data.AddChannel(), nullptr);
    // An added channel is the default channel of its place.
    EXPECT_EQ(data.Channels()[1]->Record(), CChannelData(1).Record());
}

TEST_F(RadioDataTest, ResettingChannelsKeepsPersonalitiesAndFollowsTheRange)
{
    data.Personalities().push_back(std::make_unique<CPersonalityData>());
    data.Channels().resize(3);
    data.Identity().freqRange = "136-174";
    data.ResetChannels();
    EXPECT_EQ(data.Channels().size(), 16u);
    EXPECT_EQ(data.Personalities().size(), 2u);
    EXPECT_EQ(data.ScanLists().size(), 1u);
    EXPECT_EQ(data.TestFrequencies().PointTxText(0), "136.00000");
}

} // namespace
} // namespace qrv
