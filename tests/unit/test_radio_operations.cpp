// The message, password and factory exchanges against the simulated radio
// when all goes well (their failures are rows of the transfer fault table),
// the comparison of a write with what the radio gave back, and the embedded
// message block, its edit record and the radio password's rules.
#include "radio_data/messages.h"
#include "radio_link/factory_link.h"
#include "radio_link/message_transfer.h"
#include "radio_link/radio_messages.h"
#include "radio_link/write_verify.h"
#include "records/adjustment_data.h"
#include "records/embedded_message_data.h"
#include "records/radio_info_data.h"

#include "link_fixture.h"
#include "record_test_support.h"

namespace qrv {
namespace {

using test::Bytes;
using test::Slice;

class RadioOperationsTest : public test::RadioFixture {
protected:
    std::unique_ptr<CRadioLink> m_linkOwner = test::SimLink(radio);
    CRadioLink& m_link = *m_linkOwner;
    const CPortChoice m_ports{"sim", {}};
};

TEST_F(RadioOperationsTest, MessagesGoWhereTheCodeplugKeepsThem)
{
    MessageBlock block{};
    block.fill(0x41);
    CMessageTransfer transfer(m_link, Settings(), data.Identity());
    ASSERT_TRUE(transfer.Write(m_ports, block).ok);
    EXPECT_FALSE(m_link.IsOpen());
    for (std::size_t o = 0; o < 0x4A0; ++o)
        ASSERT_EQ(radio.Memory()[o], o >= 0x400 && o < 0x490 ? 0x41 : initialRadio[o]) << std::hex << o;

    MessageBlock back{};
    radio.Identity().range = sim::CSimIdentity::RangeBlock(0x80, 136, 174);
    ASSERT_TRUE(transfer.Read(m_ports, back).ok);
    EXPECT_EQ(back, block);
    EXPECT_EQ(radio.Mode(), 1);
    // The radio's range reaches the document only when handed over.
    EXPECT_EQ(data.Identity().freqRange, "400-470");
    transfer.ApplyTo(data.Identity(), Settings());
    EXPECT_EQ(data.Identity().freqRange, "136-174");

    block[0] = 'N';
    const std::size_t writes = radio.Writes().size();
    ASSERT_TRUE(transfer.WritePassword(m_ports, block).ok);
    ASSERT_EQ(radio.Writes().size(), writes + 1); // the first block only
    EXPECT_EQ(radio.Writes().back(), (std::pair<std::uint32_t, std::uint16_t>{0x400, 16}));
    EXPECT_EQ(radio.Memory()[0x400], 'N');
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

TEST_F(RadioOperationsTest, AdjustModeTakesTheRadiosRangeAndMovesTheTuneData)
{
    radio.Identity().range = sim::CSimIdentity::RangeBlock(0x80, 136, 174);
    const auto entered = EnterRadioMode(m_link, Settings(), data.Identity(), m_ports, CRadioLink::kModeAdjust);
    ASSERT_TRUE(entered.ok);
    EXPECT_TRUE(entered.rangeChanged);
    EXPECT_EQ(data.Identity().freqRange, "136-174");
    EXPECT_EQ(radio.Mode(), 6);
    LeaveRadioMode(m_link);
    EXPECT_EQ(radio.Mode(), 1);
    EXPECT_FALSE(m_link.IsOpen());

    radio.Identity().range = sim::CSimIdentity::RangeBlock(0x01, 400, 470);
    data.Identity().freqRange = "400-470";
    ASSERT_TRUE(EnterRadioMode(m_link, Settings(), data.Identity(), m_ports, CRadioLink::kModeWrite).ok);
    CAdjustmentData tune;
    tune.SetDefaults();
    ASSERT_EQ(ReadBaseBand(m_link, tune).message, msg::kTuneRead);
    EXPECT_EQ(tune.BytesAt(0x3E9, 1)[0], initialRadio[0x3E9]);
    EXPECT_EQ(tune.BytesAt(0x3FF, 1)[0], initialRadio[0x3FF]);
    EXPECT_EQ(tune.BytesAt(0x3E8, 1)[0], 0xFF); // outside the base-band blocks
    tune.SetValue(0, 0x1234);
    Image image{};
    image.fill(0xFF);
    ASSERT_EQ(WriteTuneData(m_link, tune, image).message, msg::kTuneWritten);
    EXPECT_EQ(radio.Writes().size(), 12u);
    EXPECT_EQ(radio.Memory()[0x340], 0x34);
    EXPECT_EQ(image[0x341], 0x12);
    LeaveRadioMode(m_link);
}

TEST_F(RadioOperationsTest, FactoryModelAndTuneSwitch)
{
    CRadioInfoData info;
    info.SetDefaults();
    CRadioIdentity identity;
    ASSERT_TRUE(ReadFactoryModel(m_link, m_ports, info, identity).ok);
    EXPECT_EQ(info.Block()[0x028 - 0x010], initialRadio[0x028]);
    EXPECT_EQ(info.Block()[0x030 - 0x010], 0xFF); // not read
    EXPECT_EQ(identity.modelId, "QL210");

    info.SetModelName("QL-220");
    ASSERT_TRUE(WriteFactoryModel(m_link, m_ports, info).ok);
    EXPECT_EQ(radio.Memory()[0x010], 'Q');
    const std::array<std::uint8_t, 4> marker{0x55, 0xAA, 0xAA, 0x55};
    EXPECT_TRUE(std::equal(marker.begin(), marker.end(), radio.Memory().begin() + 0x068));
    EXPECT_EQ(radio.Memory()[0x048], info.Block()[0x048 - 0x010]);
    EXPECT_FALSE(m_link.IsOpen());

    for (const auto& [open, word] : {std::pair{false, 0x40}, {true, 0x48}}) {
        ASSERT_TRUE(WriteTuneSwitch(m_link, m_ports, open).ok);
        EXPECT_EQ(radio.Memory()[0x128], word) << open; // bit 3 only
    }
    EXPECT_EQ(radio.Mode(), 1);
}

struct CRunsRow {
    const char* name;
    std::vector<std::uint32_t> changed;
    std::uint32_t first;
    std::uint32_t last;
    std::string text;
    friend void PrintTo(const CRunsRow& row, std::ostream* out) { *out << row.name; }
};

class DifferingRunsTest : public ::testing::TestWithParam<CRunsRow> {};

TEST_P(DifferingRunsTest, NamesEveryDifferenceInTheRange)
{
    const CRunsRow& row = GetParam();
    Image sent{};
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<std::uint8_t>(i * 13);
    Image back = sent;
    for (const std::uint32_t a : row.changed)
        back[a] = static_cast<std::uint8_t>(~back[a]);
    EXPECT_EQ(DescribeRuns(DifferingRuns(sent, back, row.first, row.last)), row.text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, DifferingRunsTest, ::testing::Values(
    CRunsRow{"OutsideTheRangeIsNotLookedAt", {0x077, 0x310, 0x200}, 0x078, 0x30F, "0x0200"},
    CRunsRow{"EdgesOfTheRange", {0x078, 0x079, 0x30F}, 0x078, 0x30F, "0x0078-0x0079, 0x030F"},
    CRunsRow{"EightRunsThenAnEllipsis", {0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0, 0x100}, 0x078, 0x30F,
             "0x0080, 0x0090, 0x00A0, 0x00B0, 0x00C0, 0x00D0, 0x00E0, 0x00F0, ..."}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST(RadioPasswordText, OnlyPrintableAsciiUpToTheFieldWidth)
{
    const std::pair<std::string, int> cases[] = {
        {"", 0},
        {" ~Az09!", 0}, // both ends of the printable range
        {"12345678", 0},
        {"123456789", msg::kPasswordTooLong},
        {"caf\xC3\xA9", msg::kPasswordNotAscii},  // an accented letter in UTF-8
        {"\xE4\xB8\xAD", msg::kPasswordNotAscii}, // a Chinese character
        {"tab\t", msg::kPasswordNotAscii},
        {"del\x7F", msg::kPasswordNotAscii},
        {"\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD", msg::kPasswordNotAscii}, // too long, but first of all not ASCII
    };
    for (const auto& [text, problem] : cases)
        EXPECT_EQ(RadioPasswordProblem(text), problem) << text;
}

TEST(RadioPasswordText, StoredAndTypedAreComparedAsThePaddedField)
{
    // Set through the record (as the password change stores it), typed, whether it opens; the
    // embedded window pins case and prefixes.
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"ab  ", "ab", true}, {"ab", "ab ", true},
        {"a b", "ab", false}, {"12345678", "123456789", false},  // never cut to the field
        {"", "", true},       {"caf\xC3", "caf\xC3\xA9", false}, // a stored text cut mid-character
    };
    for (const auto& [set, typed, opens] : cases) {
        CEmbeddedMessageData data;
        ASSERT_TRUE(data.SetFieldText(CEmbeddedMessageData::kPasswordField, set));
        EXPECT_EQ(SameRadioPassword(data.Password(), typed), opens) << set << '|' << typed;
    }
}

TEST(EmbeddedMessageBlock, RadioBlockMustBeWhole)
{
    CEmbeddedMessageData data;
    EXPECT_FALSE(data.SetBlock(Bytes(143, 'M')));
    EXPECT_EQ(Slice(data.Block()), Bytes(144, 0x00));
    EXPECT_TRUE(data.SetBlock(Bytes(144, 'M')));
    EXPECT_EQ(Slice(data.Block()), Bytes(144, 'M'));
    EXPECT_EQ(Slice(data.FieldBBytes()), Bytes(8, 'M'));
}

TEST(EmbeddedMessageEditRecord, StoringTheMessagesKeepsFieldsAAndB)
{
    const Bytes fields = {'1', '2', '3', 0x00, 0xAA, 0xBB, 0xCC, 0xDD, 0xFF, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
    CEmbeddedMessageData data;
    data.LoadFromImage(test::ImageWith(0x400, fields, 0x00));
    CEmbeddedMessageEditRecord edit;
    edit.Fill(data);
    EXPECT_EQ(std::pair(edit.texts[0], edit.texts[1]), (std::pair<std::string, std::string>("123", "")));
    edit.texts[2] = "Call base";
    edit.Take(data);
    Bytes expected = fields;
    const Bytes message = test::Padded(test::Text("Call base"), 32, ' ');
    expected.insert(expected.end(), message.begin(), message.end());
    EXPECT_EQ(Slice(data.Block()), test::Padded(expected, 144, 0x00)); // empty messages keep their zero bytes
}

} // namespace
} // namespace qrv
