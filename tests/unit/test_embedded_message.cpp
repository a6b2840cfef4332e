// The embedded message block as a whole, its edit record and the radio password's rule.
#include "records/embedded_message_data.h"

#include "radio_data/messages.h"
#include "radio_link/message_transfer.h"
#include "record_test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using test::Bytes;
using test::Slice;

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
