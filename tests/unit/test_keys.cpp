// The key block: side key functions, the VOX rule and the function list.
#include "records/key_data.h"

#include "radio_data/notification.h"
#include "record_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace qrv {
namespace {

using test::Bytes;
using test::Slice;

constexpr std::size_t kArea = 0x078;
const Bytes kDefault = {0x1D, 0x1C, 0x42, 0x4B, 0x42, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE};

CKeyData KeysFrom(const Bytes& block)
{
    CKeyData keys;
    keys.LoadFromImage(test::ImageWith(kArea, block));
    return keys;
}

TEST(KeysBlock, NewBlockIsStoredAsItStands)
{
    CKeyData keys;
    keys.SetSideKeyFunction(0, 1);
    keys.SetDefaults();
    Image image = test::FilledImage(0xFF);
    keys.StoreToImage(image);
    EXPECT_TRUE(test::HoldsAt(image, kArea, kDefault));
}

TEST(KeysBlock, LoadAndStoreKeepEveryByte)
{
    EXPECT_TRUE(test::BlockRoundTrips<CKeyData>(kArea, 11));
}

TEST(KeysBlock, SideKeysAreBytesTwoToFive)
{
    CKeyData keys = KeysFrom({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B});
    EXPECT_EQ(keys.SideKeyFunction(0), 0x03);
    EXPECT_EQ(keys.SideKeyFunction(3), 0x06);
    EXPECT_EQ(keys.SideKeyFunction(4), 0xFF);
    EXPECT_FALSE(keys.SetSideKeyFunction(4, 1));
    EXPECT_TRUE(keys.SetSideKeyFunction(1, 0x30));
    EXPECT_EQ(Slice(keys.Block()), (Bytes{0x01, 0x02, 0x03, 0x30, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B}));
}

TEST(KeysVox, VoxOffClearsEverySideKeyWithTheVoxFunctionOnly)
{
    struct Case {
        CNotification notification;
        Bytes before, after;
    };
    const Case cases[] = {
        {{CNotification::Kind::VoxChanged, 0},
         kDefault,
         {0x1D, 0x1C, 0x42, 0x00, 0x42, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}},
        // 75 outside the side keys (bytes 0 and 6) is not a key function and stays.
        {{CNotification::Kind::VoxChanged, 0},
         {0x4B, 0x1C, 0x4B, 0x4B, 0x4C, 0x4B, 0x4B, 0xFF, 0xFF, 0xFF, 0xFE},
         {0x4B, 0x1C, 0x00, 0x00, 0x4C, 0x00, 0x4B, 0xFF, 0xFF, 0xFF, 0xFE}},
        // Other notices leave the keys.
        {{CNotification::Kind::VoxChanged, 3}, kDefault, kDefault},
        {{CNotification::Kind::Deleted, 0}, kDefault, kDefault},
        {{CNotification::Kind::Edited, 0}, kDefault, kDefault},
    };
    for (const auto& c : cases) {
        CKeyData keys = KeysFrom(c.before);
        keys.OnNotification(c.notification);
        EXPECT_EQ(Slice(keys.Block()), c.after) << static_cast<int>(c.notification.kind) << " " << c.notification.data;
    }
}

TEST(KeysVox, VoxFunctionNeedsVoxOn)
{
    EXPECT_FALSE(CKeyData::IsFunctionAllowed(75, 0));
    EXPECT_TRUE(CKeyData::IsFunctionAllowed(75, 3));
    EXPECT_TRUE(CKeyData::IsFunctionAllowed(66, 0));
    EXPECT_FALSE(CKeyData::IsFunctionAllowed(79, 3));
}

TEST(KeysLists, NeverOfferedFunctionIsRemovedWhereverItStands)
{
    using Lines = std::vector<CComboLine>;
    const std::pair<Lines, Lines> cases[] = {
        {{{"Monitor", 79}, {"Off", 0}, {"Light", 66}}, {{"Off", 0}, {"Light", 66}}},
        {{{"Off", 0}, {"Monitor", 79}, {"Light", 66}, {"Again", 79}}, {{"Off", 0}, {"Light", 66}}},
        {{{"Off", 0}, {"VOX", 75}}, {{"Off", 0}, {"VOX", 75}}},
        {{{"Monitor", 79}}, {}},
    };
    for (const auto& [in, out] : cases) {
        Lines lines = in;
        RemoveNeverOfferedFunctions(lines);
        EXPECT_EQ(lines, out);
    }
}

class KeysEditRecord : public ::testing::Test {
protected:
    const CSettings& Settings() { return m_texts.Settings(); }

    test::CTestTexts m_texts{"S0206605=0.None;66.Light;75.VOX;80.Scan;81.Power\r\n"};
};

TEST_F(KeysEditRecord, FillAndTakeGoThroughTheFunctionList)
{
    CKeyData keys;
    CKeyEditRecord edit;
    edit.Fill(keys, Settings());
    EXPECT_EQ(edit.texts, (std::array<std::string, 4>{"Light", "VOX", "Light", "Scan"}));
    edit.texts = {"Power", "None", "Scan", "Light"};
    EXPECT_TRUE(edit.Take(keys, Settings()));
    EXPECT_EQ(Slice(keys.Block()), (Bytes{0x1D, 0x1C, 0x51, 0x00, 0x50, 0x42, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));
}

TEST_F(KeysEditRecord, UnknownTextStoresNoEntry)
{
    CKeyData keys;
    CKeyEditRecord edit;
    edit.Fill(keys, Settings());
    edit.texts[2] = "Teleport";
    EXPECT_FALSE(edit.Take(keys, Settings()));
    EXPECT_EQ(Slice(keys.Block()), (Bytes{0x1D, 0x1C, 0x42, 0x4B, 0xFF, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));
}

} // namespace
} // namespace qrv
