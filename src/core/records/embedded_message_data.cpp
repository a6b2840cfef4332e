#include "records/embedded_message_data.h"

#include <algorithm>

namespace qrv {

void CEmbeddedMessageData::LoadFromImage(const Image& image)
{
    std::copy_n(image.begin() + kImageOffset, kBlockSize, m_block.begin());
}

void CEmbeddedMessageData::StoreToImage(Image& image) const
{
    std::copy(m_block.begin(), m_block.end(), image.begin() + kImageOffset);
}

bool CEmbeddedMessageData::SetBlock(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != kBlockSize)
        return false;
    std::copy(bytes.begin(), bytes.end(), m_block.begin());
    return true;
}

std::string CEmbeddedMessageData::FieldText(std::size_t field) const
{
    if (field >= kFieldCount)
        return {};
    const std::size_t at = kFieldOffsets[field];
    if (m_block[at] == kErasedByte)
        return {};
    std::string text = ReadCString(m_block, at, kFieldWidths[field]);
    while (!text.empty() && text.back() == static_cast<char>(kPadByte))
        text.pop_back();
    return text;
}

bool CEmbeddedMessageData::SetFieldText(std::size_t field, std::string_view text)
{
    if (field >= kFieldCount)
        return false;
    const std::size_t at = kFieldOffsets[field];
    const std::size_t width = kFieldWidths[field];
    for (std::size_t i = 0; i < width; ++i)
        m_block[at + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : kPadByte;
    return true;
}

CEmbeddedMessageData::PasswordFault CEmbeddedMessageData::CheckPassword(std::string_view text)
{
    const auto printable = [](char c) { return c >= kFirstPasswordCharacter && c <= kLastPasswordCharacter; };
    if (!std::all_of(text.begin(), text.end(), printable))
        return PasswordFault::NotPrintableAscii;
    return text.size() > kShortFieldWidth ? PasswordFault::TooLong : PasswordFault::None;
}

std::optional<CEmbeddedMessageData::PasswordBytes> CEmbeddedMessageData::PasswordField(std::string_view text)
{
    if (CheckPassword(text) != PasswordFault::None)
        return std::nullopt;
    PasswordBytes field{};
    field.fill(kPadByte);
    std::copy(text.begin(), text.end(), field.begin());
    return field;
}

std::array<std::uint8_t, CEmbeddedMessageData::kShortFieldWidth> CEmbeddedMessageData::FieldBBytes() const
{
    std::array<std::uint8_t, kShortFieldWidth> bytes{};
    std::copy_n(m_block.begin() + kFieldOffsets[kFieldB], kShortFieldWidth, bytes.begin());
    return bytes;
}

void CEmbeddedMessageEditRecord::Fill(const CEmbeddedMessageData& data)
{
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = data.FieldText(i);
}

void CEmbeddedMessageEditRecord::Take(CEmbeddedMessageData& data) const
{
    // A field whose text did not change keeps its bytes (an empty field may be
    // all zero, all spaces or erased; rewriting it would pad it with spaces).
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (texts[i] != data.FieldText(i))
            data.SetFieldText(i, texts[i]);
}

} // namespace qrv
