#pragma once
// The embedded message block (144 bytes at 0x400): the radio password, a
// second 8-character field and four 32-character messages. The radio keeps
// the block at its own addresses 0x410-0x49F, outside the ordinary transfer.
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qrv {

class CEmbeddedMessageData {
public:
    static constexpr std::size_t kImageOffset = 0x400;
    static constexpr std::size_t kBlockSize = 144;
    // The block lives in the radio where it lives in the codeplug, so that a
    // codeplug read and the message transfers see the same bytes; it moves in
    // blocks of 16 bytes. A password change writes the first block (fields A
    // and B) alone.
    static constexpr std::uint16_t kRadioAddress = 0x400;
    static constexpr std::size_t kRadioBlockSize = 16;
    static constexpr std::size_t kRadioBlockCount = kBlockSize / kRadioBlockSize;
    static constexpr std::uint16_t kPasswordRadioAddress = kRadioAddress;

    // Fields in block order: A (the radio password), B, messages 1 to 4.
    static constexpr std::size_t kFieldCount = 6;
    static constexpr std::size_t kPasswordField = 0;
    static constexpr std::size_t kFieldB = 1;
    static constexpr std::size_t kFirstMessageField = 2;
    static constexpr std::size_t kMessageCount = 4;
    static constexpr std::size_t kShortFieldWidth = 8;
    static constexpr std::size_t kMessageWidth = 32;
    static constexpr std::array<std::size_t, kFieldCount> kFieldOffsets = {0, 8, 16, 48, 80, 112};
    static constexpr std::array<std::size_t, kFieldCount> kFieldWidths = {
        kShortFieldWidth, kShortFieldWidth, kMessageWidth, kMessageWidth, kMessageWidth, kMessageWidth};
    static constexpr std::array<int, kMessageCount> kMessageEdits = {4703, 4705, 4707, 4709};

    static constexpr std::uint8_t kDefaultByte = 0x00;
    static constexpr std::uint8_t kPadByte = 0x20;
    static constexpr std::uint8_t kErasedByte = 0xFF;

    using BlockBytes = std::array<std::uint8_t, kBlockSize>;

    CEmbeddedMessageData() { SetDefaults(); }

    void SetDefaults() { m_block.fill(kDefaultByte); }
    void LoadFromImage(const Image& image);
    void StoreToImage(Image& image) const;
    const BlockBytes& Block() const { return m_block; }
    // Takes a block read from the radio; false (and nothing changed) unless it is 144 bytes.
    bool SetBlock(std::span<const std::uint8_t> bytes);

    // A field reads up to its first zero byte with trailing spaces removed; a
    // field whose first byte is 0xFF is empty. Unknown fields read empty.
    std::string FieldText(std::size_t field) const;
    // Cut to the field's width and padded with spaces; false for an unknown field.
    bool SetFieldText(std::size_t field, std::string_view text);

    // message: 0 to 3.
    std::string Message(std::size_t message) const { return FieldText(kFirstMessageField + message); }
    bool SetMessage(std::size_t message, std::string_view text)
    {
        return message < kMessageCount && SetFieldText(kFirstMessageField + message, text);
    }
    std::string Password() const { return FieldText(kPasswordField); }

    // The radio password is what the radio stores: one byte a character,
    // printable ASCII only, in a field padded with spaces.
    static constexpr char kFirstPasswordCharacter = 0x20;
    static constexpr char kLastPasswordCharacter = 0x7E;
    enum class PasswordFault { None, NotPrintableAscii, TooLong };
    using PasswordBytes = std::array<std::uint8_t, kShortFieldWidth>;
    static PasswordFault CheckPassword(std::string_view text);
    // The field a text fills; nullopt when the radio cannot store the text.
    static std::optional<PasswordBytes> PasswordField(std::string_view text);
    // The 8 bytes of field B as the password change sends them.
    std::array<std::uint8_t, kShortFieldWidth> FieldBBytes() const;

private:
    BlockBytes m_block{};
};

// The page-side copy: fields A and B, then messages 1 to 4.
struct CEmbeddedMessageEditRecord {
    std::array<std::string, CEmbeddedMessageData::kFieldCount> texts;

    void Fill(const CEmbeddedMessageData& data);
    // Writes only the fields whose text differs from what the block reads.
    void Take(CEmbeddedMessageData& data) const;
};

} // namespace qrv
