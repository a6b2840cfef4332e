// The embedded message block: its fields, their texts, the edit record and
// the radio password's rule.
#include "records/embedded_message_data.h"

#include "radio_data/messages.h"
#include "radio_link/message_transfer.h"
#include "record_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qrv {
namespace {

using test::Bytes;

constexpr std::size_t kArea = 0x400;

Bytes FieldBytes(const CEmbeddedMessageData& data, std::size_t offset, std::size_t width)
{
    return test::Slice(data.Block(), offset, width);
}

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Join(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(EmbeddedMessageBlock, NewBlockIsAllZero)
{
    CEmbeddedMessageData data;
    ASSERT_TRUE(data.SetMessage(0, "x"));
    data.SetDefaults();
    Image image = test::FilledImage(0xFF);
    data.StoreToImage(image);
    EXPECT_TRUE(test::HoldsAt(image, kArea, Bytes(144, 0x00)));
    for (std::size_t field = 0; field < CEmbeddedMessageData::kFieldCount; ++field)
        EXPECT_EQ(data.FieldText(field), "");
}

TEST(EmbeddedMessageBlock, LoadAndStoreKeepEveryByte)
{
    EXPECT_TRUE(test::BlockRoundTrips<CEmbeddedMessageData>(kArea, 144));
}

TEST(EmbeddedMessageText, MessagesAreCutOrPaddedToTheirField)
{
    CEmbeddedMessageData data;
    const std::string forty = "0123456789abcdefghijABCDEFGHIJ!?klmnopqr";
    ASSERT_TRUE(data.SetMessage(1, forty));
    ASSERT_TRUE(data.SetMessage(3, "HELLO"));
    // Fields A, B and message 0 and 2, the neighbours, stay zero.
    EXPECT_EQ(test::Slice(data.Block()), Join(Join(Bytes(48, 0x00), Text(forty.substr(0, 32))),
                                              Join(Bytes(32, 0x00), Text("HELLO" + std::string(27, ' ')))));
    EXPECT_EQ(data.Message(1), forty.substr(0, 32));
    EXPECT_EQ(data.Message(3), "HELLO");
}

TEST(EmbeddedMessageText, ReadingRules)
{
    struct Case {
        Bytes field;
        std::string text;
    };
    const std::vector<Case> cases = {
        {Bytes(32, 0xFF), ""},
        {Join({0xFF, 'A', 'B'}, Bytes(29, ' ')), ""},
        {Join(Text("AB"), Join({0x00, 'C'}, Bytes(28, ' '))), "AB"},
        {Join(Text("A B  "), Bytes(27, ' ')), "A B"},
        {Join(Text("AB"), Bytes(30, 0xFF)), "AB" + std::string(30, '\xFF')},
        {Text(std::string(32, 'Z')), std::string(32, 'Z')},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        CEmbeddedMessageData data;
        data.LoadFromImage(test::ImageWith(kArea + 80, cases[i].field, 0x00));
        EXPECT_EQ(data.Message(2), cases[i].text) << i;
        EXPECT_EQ(data.Message(1), "") << i;
    }
}

TEST(EmbeddedMessageText, ShortFieldsHoldEightCharacters)
{
    CEmbeddedMessageData data;
    ASSERT_TRUE(data.SetFieldText(CEmbeddedMessageData::kPasswordField, "secret-password"));
    ASSERT_TRUE(data.SetFieldText(CEmbeddedMessageData::kFieldB, "ab"));
    EXPECT_EQ(FieldBytes(data, 0, 16), Text("secret-pab      "));
    EXPECT_EQ(data.Password(), "secret-p");
    const auto b = data.FieldBBytes();
    EXPECT_EQ(Bytes(b.begin(), b.end()), Text("ab      "));
    EXPECT_FALSE(data.SetFieldText(6, "x"));
    EXPECT_FALSE(data.SetMessage(4, "x"));
    EXPECT_EQ(data.FieldText(6), "");
}

TEST(RadioPasswordText, OnlyPrintableAsciiUpToTheFieldWidth)
{
    struct Case {
        std::string text;
        int problem;
    };
    const std::vector<Case> cases = {
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
    for (const Case& c : cases)
        EXPECT_EQ(RadioPasswordProblem(c.text), c.problem) << c.text;
}

TEST(RadioPasswordText, StoredAndTypedAreComparedAsThePaddedField)
{
    struct Case {
        std::string set; // through the record, as the password change stores it
        std::string typed;
        bool opens;
    };
    const std::vector<Case> cases = {
        {"ab  ", "ab  ", true},
        {"ab  ", "ab", true},
        {"ab", "ab ", true},
        {"a b", "ab", false},
        {"Secret", "secret", false},
        {"Secret", "Secre", false},
        {"12345678", "12345678", true},
        {"12345678", "123456789", false}, // never cut to the field
        {"", "", true},
        {"caf\xC3", "caf\xC3\xA9", false}, // a stored text cut mid-character
    };
    for (const Case& c : cases) {
        CEmbeddedMessageData data;
        ASSERT_TRUE(data.SetFieldText(CEmbeddedMessageData::kPasswordField, c.set));
        EXPECT_EQ(SameRadioPassword(data.Password(), c.typed), c.opens) << c.set << '|' << c.typed;
    }
}

TEST(EmbeddedMessageText, RadioBlockMustBeWhole)
{
    CEmbeddedMessageData data;
    Bytes block(144, 'M');
    EXPECT_FALSE(data.SetBlock(Bytes(143, 'M')));
    EXPECT_EQ(FieldBytes(data, 0, 144), Bytes(144, 0x00));
    EXPECT_TRUE(data.SetBlock(block));
    EXPECT_EQ(FieldBytes(data, 0, 144), block);
}

TEST(EmbeddedMessageEditRecord, StoringTheMessagesKeepsFieldsAAndB)
{
    const Bytes fieldA = {'1', '2', '3', 0x00, 0xAA, 0xBB, 0xCC, 0xDD};
    const Bytes fieldB = {0xFF, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
    CEmbeddedMessageData data;
    data.LoadFromImage(test::ImageWith(kArea, Join(fieldA, fieldB), 0x00));

    CEmbeddedMessageEditRecord edit;
    edit.Fill(data);
    EXPECT_EQ(edit.texts[0], "123");
    EXPECT_EQ(edit.texts[1], "");
    edit.texts[2] = "Call base";
    edit.Take(data);
    EXPECT_EQ(FieldBytes(data, 0, 8), fieldA);
    EXPECT_EQ(FieldBytes(data, 8, 8), fieldB);
    EXPECT_EQ(FieldBytes(data, 16, 32), Text("Call base" + std::string(23, ' ')));
    // Untouched empty messages keep their zero bytes.
    EXPECT_EQ(FieldBytes(data, 48, 96), Bytes(96, 0x00));
}

} // namespace
} // namespace qrv
