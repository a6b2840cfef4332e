// The message, password and factory exchanges against the simulated radio in
// process: what reaches the radio, what comes back, and that the port is
// closed with the radio back in mode 1 whatever happened.
#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "radio_link/factory_link.h"
#include "radio_link/message_transfer.h"
#include "radio_link/radio_messages.h"
#include "records/adjustment_data.h"
#include "records/radio_info_data.h"
#include "sim_link.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using sim::CSimRadio;

class RadioOperationsTest : public ::testing::Test {
protected:
    RadioOperationsTest() : m_linkOwner(test::SimLink(m_radio)), m_link(*m_linkOwner)
    {
        for (std::size_t i = 0; i < m_radio.Memory().size(); ++i)
            m_radio.Memory()[i] = static_cast<std::uint8_t>(i & 0xFF);
    }

    CSettings& Settings() { return m_program.Settings(); }

    test::CProgramDir m_program;
    CSimRadio m_radio;
    std::unique_ptr<CRadioLink> m_linkOwner;
    CRadioLink& m_link;
    const CPortChoice m_ports{"sim", {}};
    CDocumentIdentity m_document{"QL210", "QL-210", "400-470", 0, CSettings::kProgramVersion};
};

TEST_F(RadioOperationsTest, MessagesGoWhereTheCodeplugKeepsThem)
{
    MessageBlock block{};
    block.fill(0x41);
    CMessageTransfer transfer(m_link, Settings(), m_document);
    ASSERT_TRUE(transfer.Write(m_ports, block).ok);
    EXPECT_FALSE(m_link.IsOpen());
    EXPECT_EQ(m_radio.Mode(), 1);
    for (std::size_t o = 0; o < 0x4A0; ++o)
        ASSERT_EQ(m_radio.Memory()[o], o >= 0x400 && o < 0x490 ? 0x41 : (o & 0xFF)) << std::hex << o;

    MessageBlock back{};
    m_radio.Identity().range = sim::CSimIdentity::RangeBlock(0x80, 136, 174);
    ASSERT_TRUE(transfer.Read(m_ports, back).ok);
    EXPECT_EQ(back, block);
    EXPECT_EQ(m_radio.Mode(), 1);
    // The radio's range reaches the document only when handed over.
    EXPECT_EQ(m_document.freqRange, "400-470");
    transfer.ApplyTo(m_document, Settings());
    EXPECT_EQ(m_document.freqRange, "136-174");
}

TEST_F(RadioOperationsTest, AFailedMessageReadLeavesTheBlockAlone)
{
    m_radio.Faults().badChecksumAt = 0x430;
    MessageBlock block{};
    block.fill(0x5A);
    CMessageTransfer transfer(m_link, Settings(), m_document);
    const auto r = transfer.Read(m_ports, block);
    EXPECT_EQ(r.message, msg::kRadioReadFailed);
    EXPECT_EQ(r.address, 0x430u);
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](auto b) { return b == 0x5A; }));
    EXPECT_FALSE(m_link.IsOpen());
}

TEST_F(RadioOperationsTest, AMessageReadNeedsTheDocumentsModel)
{
    m_document.modelId = "QL211";
    MessageBlock block{};
    CMessageTransfer transfer(m_link, Settings(), m_document);
    EXPECT_EQ(transfer.Read(m_ports, block).message, msg::kModelMismatch);
}

TEST_F(RadioOperationsTest, ThePasswordChangeWritesTheFirstBlockOnly)
{
    MessageBlock block{};
    block.fill(0x20);
    block[0] = 'N';
    CMessageTransfer transfer(m_link, Settings(), m_document);
    ASSERT_TRUE(transfer.WritePassword(m_ports, block).ok);
    ASSERT_EQ(m_radio.Writes().size(), 1u);
    EXPECT_EQ(m_radio.Writes()[0], (std::pair<std::uint32_t, std::uint16_t>{0x400, 16}));
    EXPECT_EQ(m_radio.Memory()[0x400], 'N');
    EXPECT_EQ(m_radio.Memory()[0x410], 0x10);
}

TEST(RadioPassword, ThreeTriesCaseSensitive)
{
    struct Case {
        std::string current;
        std::vector<std::optional<std::string>> typed;
        bool passes;
        int asked;
        int wrong;
    };
    const Case cases[] = {
        {"", {}, true, 0, 0},
        {"abc", {"abc"}, true, 1, 0},
        {"abc", {"ABC", "abc"}, true, 2, 1},
        {"abc", {"x", "y", "z", "abc"}, false, 3, 3},
        {"abc", {std::nullopt}, false, 1, 0},
        {"abc", {"abc "}, true, 1, 0}, // compared as the space-padded field the radio keeps
    };
    for (const auto& c : cases) {
        int asked = 0;
        int wrong = 0;
        const bool passes = VerifyRadioPassword(
            c.current,
            [&]() -> std::optional<std::string> {
                const auto i = static_cast<std::size_t>(asked++);
                return i < c.typed.size() ? c.typed[i] : std::optional<std::string>("abc ");
            },
            [&wrong] { ++wrong; });
        EXPECT_EQ(passes, c.passes) << c.current;
        EXPECT_EQ(asked, c.asked) << c.current;
        EXPECT_EQ(wrong, c.wrong) << c.current;
    }
}

TEST_F(RadioOperationsTest, EnterRadioModeChecksTheRangeOnlyForWriting)
{
    m_radio.Identity().range = sim::CSimIdentity::RangeBlock(0x80, 136, 174);
    auto r = EnterRadioMode(m_link, Settings(), m_document, m_ports, CRadioLink::kModeWrite);
    EXPECT_EQ(r.message, msg::kRangeOutsideRadio);
    EXPECT_EQ(r.argument, "136-174");
    EXPECT_FALSE(m_link.IsOpen());
    EXPECT_EQ(m_document.freqRange, "400-470");

    r = EnterRadioMode(m_link, Settings(), m_document, m_ports, CRadioLink::kModeAdjust);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.rangeChanged);
    EXPECT_EQ(m_document.freqRange, "136-174");
    EXPECT_EQ(m_radio.Mode(), 6);
    EXPECT_TRUE(m_link.IsOpen());
    LeaveRadioMode(m_link);
    EXPECT_EQ(m_radio.Mode(), 1);
    EXPECT_FALSE(m_link.IsOpen());
}

TEST_F(RadioOperationsTest, BaseBandAndTuneData)
{
    ASSERT_TRUE(EnterRadioMode(m_link, Settings(), m_document, m_ports, CRadioLink::kModeWrite).ok);
    CAdjustmentData tune;
    tune.SetDefaults();
    ASSERT_EQ(ReadBaseBand(m_link, tune).message, msg::kTuneRead);
    EXPECT_EQ(tune.BytesAt(0x3E9, 1)[0], 0xE9);
    EXPECT_EQ(tune.BytesAt(0x3FF, 1)[0], 0xFF);
    EXPECT_EQ(tune.BytesAt(0x3E8, 1)[0], 0xFF); // outside the base-band blocks

    tune.SetValue(0, 0x1234);
    Image image{};
    image.fill(0xFF);
    ASSERT_EQ(WriteTuneData(m_link, tune, image).message, msg::kTuneWritten);
    EXPECT_EQ(m_radio.Writes().size(), 12u);
    EXPECT_EQ(m_radio.Memory()[0x340], 0x34);
    EXPECT_EQ(image[0x341], 0x12);
    m_radio.Faults().refuseWriteAt = 0x3F9;
    EXPECT_EQ(WriteBaseBand(m_link, tune).message, msg::kRadioWriteFailed);
    LeaveRadioMode(m_link);
    EXPECT_EQ(m_radio.Mode(), 1);
}

TEST_F(RadioOperationsTest, FactoryModelAndTuneSwitch)
{
    CRadioInfoData info;
    info.SetDefaults();
    CRadioIdentity radio;
    ASSERT_TRUE(ReadFactoryModel(m_link, m_ports, info, radio).ok);
    EXPECT_EQ(info.Block()[0x028 - 0x010], 0x28);
    EXPECT_EQ(info.Block()[0x030 - 0x010], 0xFF); // not read
    EXPECT_EQ(radio.modelId, "QL210");

    info.SetModelName("QL-220");
    ASSERT_TRUE(WriteFactoryModel(m_link, m_ports, info).ok);
    EXPECT_EQ(m_radio.Memory()[0x010], 'Q');
    const std::array<std::uint8_t, 4> marker{0x55, 0xAA, 0xAA, 0x55};
    EXPECT_TRUE(std::equal(marker.begin(), marker.end(), m_radio.Memory().begin() + 0x068));
    EXPECT_EQ(m_radio.Memory()[0x048], info.Block()[0x048 - 0x010]);
    EXPECT_FALSE(m_link.IsOpen());

    m_radio.Memory()[0x128] = 0x00;
    ASSERT_TRUE(WriteTuneSwitch(m_link, m_ports, true).ok);
    EXPECT_EQ(m_radio.Memory()[0x128], 0x08);
    ASSERT_TRUE(WriteTuneSwitch(m_link, m_ports, false).ok);
    EXPECT_EQ(m_radio.Memory()[0x128], 0x00);
    EXPECT_EQ(m_radio.Mode(), 1);
}

} // namespace
} // namespace qrv
