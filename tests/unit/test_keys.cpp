#include "records/keys.h"

#include "radio_data/notification.h"
#include "radio_data/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace qrv {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kArea = 0x078;

Bytes BlockOf(const CKeyData& keys)
{
    return Bytes(keys.Block().begin(), keys.Block().end());
}

CKeyData KeysFrom(const Bytes& block)
{
    Image image{};
    image.fill(0xFF);
    std::copy(block.begin(), block.end(), image.begin() + kArea);
    CKeyData keys;
    keys.LoadFromImage(image);
    return keys;
}

TEST(KeysBlock, NewBlockIsStoredAsItStands)
{
    CKeyData keys;
    keys.SetSideKeyFunction(0, 1);
    keys.SetDefaults();
    Image image{};
    image.fill(0xFF);
    keys.StoreToImage(image);
    EXPECT_EQ(Bytes(image.begin() + kArea, image.begin() + kArea + 11),
              (Bytes{0x1D, 0x1C, 0x42, 0x4B, 0x42, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));
    EXPECT_EQ(image[kArea - 1], 0xFF);
    EXPECT_EQ(image[kArea + 11], 0xFF);
}

TEST(KeysBlock, LoadAndStoreKeepEveryByte)
{
    Image pattern{};
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<std::uint8_t>(i * 13 + 5);
    CKeyData keys;
    keys.LoadFromImage(pattern);
    Image out{};
    out.fill(0xFF);
    keys.StoreToImage(out);
    EXPECT_EQ(Bytes(out.begin() + kArea, out.begin() + kArea + 11),
              Bytes(pattern.begin() + kArea, pattern.begin() + kArea + 11));
    EXPECT_EQ(out[kArea + 11], 0xFF);
}

TEST(KeysBlock, SideKeysAreBytesTwoToFive)
{
    CKeyData keys = KeysFrom({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B});
    EXPECT_EQ(keys.SideKeyFunction(0), 0x03);
    EXPECT_EQ(keys.SideKeyFunction(3), 0x06);
    EXPECT_EQ(keys.SideKeyFunction(4), 0xFF);
    EXPECT_FALSE(keys.SetSideKeyFunction(4, 1));
    EXPECT_TRUE(keys.SetSideKeyFunction(1, 0x30));
    EXPECT_EQ(BlockOf(keys), (Bytes{0x01, 0x02, 0x03, 0x30, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B}));
}

TEST(KeysVox, VoxOffClearsTheVoxFunctionOnly)
{
    CKeyData keys;
    keys.OnNotification({CNotification::kVoxChanged, 0});
    EXPECT_EQ(BlockOf(keys), (Bytes{0x1D, 0x1C, 0x42, 0x00, 0x42, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));
}

TEST(KeysVox, EverySideKeyWithTheVoxFunctionIsCleared)
{
    // 75 outside the side keys (bytes 0 and 6) is not a key function and stays.
    CKeyData keys = KeysFrom({0x4B, 0x1C, 0x4B, 0x4B, 0x4C, 0x4B, 0x4B, 0xFF, 0xFF, 0xFF, 0xFE});
    keys.OnNotification({CNotification::kVoxChanged, 0});
    EXPECT_EQ(BlockOf(keys), (Bytes{0x4B, 0x1C, 0x00, 0x00, 0x4C, 0x00, 0x4B, 0xFF, 0xFF, 0xFF, 0xFE}));
}

TEST(KeysVox, OtherNoticesLeaveTheKeys)
{
    for (const CNotification n :
         {CNotification{CNotification::kVoxChanged, 3}, CNotification{CNotification::kDeleted, 0},
          CNotification{CNotification::kEdited, 0}}) {
        CKeyData keys;
        keys.OnNotification(n);
        EXPECT_EQ(keys.SideKeyFunction(1), CKeyData::kFunctionVox) << n.kind << " " << n.data;
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
    struct Case {
        std::vector<CComboLine> in;
        std::vector<CComboLine> out;
    };
    const std::vector<Case> cases = {
        {{{"Monitor", 79}, {"Off", 0}, {"Light", 66}}, {{"Off", 0}, {"Light", 66}}},
        {{{"Off", 0}, {"Monitor", 79}, {"Light", 66}, {"Again", 79}}, {{"Off", 0}, {"Light", 66}}},
        {{{"Off", 0}, {"VOX", 75}}, {{"Off", 0}, {"VOX", 75}}},
        {{{"Monitor", 79}}, {}},
    };
    for (const Case& c : cases) {
        auto lines = c.in;
        RemoveNeverOfferedFunctions(lines);
        EXPECT_EQ(lines, c.out);
    }
}

class KeysEditRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::WriteText(m_dir / "QRV_E.lng", "[Setting]\r\nLanguage=English\r\nLanguageList=English\r\n"
                                             "S0206605=0.None;66.Light;75.VOX;80.Scan;81.Power\r\n");
        m_settings = std::make_unique<CSettings>(m_dir.Path());
        m_settings->SetReadOnly(true);
        m_settings->SelectLanguage(0);
    }

    test::CTempDir m_dir;
    std::unique_ptr<CSettings> m_settings;
};

TEST_F(KeysEditRecord, FillAndTakeGoThroughTheFunctionList)
{
    CKeyData keys;
    CKeyEditRecord edit;
    edit.Fill(keys, *m_settings);
    EXPECT_EQ(edit.texts, (std::array<std::string, 4>{"Light", "VOX", "Light", "Scan"}));
    edit.texts = {"Power", "None", "Scan", "Light"};
    EXPECT_TRUE(edit.Take(keys, *m_settings));
    EXPECT_EQ(BlockOf(keys), (Bytes{0x1D, 0x1C, 0x51, 0x00, 0x50, 0x42, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));
}

TEST_F(KeysEditRecord, UnknownTextStoresNoEntry)
{
    CKeyData keys;
    CKeyEditRecord edit;
    edit.Fill(keys, *m_settings);
    edit.texts[2] = "Teleport";
    EXPECT_FALSE(edit.Take(keys, *m_settings));
    EXPECT_EQ(BlockOf(keys), (Bytes{0x1D, 0x1C, 0x42, 0x4B, 0xFF, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));
}

} // namespace
} // namespace qrv
