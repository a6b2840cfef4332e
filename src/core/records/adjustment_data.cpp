#include "records/adjustment_data.h"

#include "radio_data/settings.h"

#include <algorithm>

namespace qrv {

void CAdjustmentData::LoadFromImage(const Image& image)
{
    std::copy_n(image.begin() + kImageOffset, kBlockSize, m_block.begin());
}

void CAdjustmentData::StoreToImage(Image& image) const
{
    std::copy(m_block.begin(), m_block.end(), image.begin() + kImageOffset);
}

std::span<const std::uint8_t> CAdjustmentData::BytesAt(std::size_t imageOffset, std::size_t count) const
{
    if (!InBlock(imageOffset) || count > kImageOffset + kBlockSize - imageOffset)
        return {};
    return std::span<const std::uint8_t>(m_block).subspan(imageOffset - kImageOffset, count);
}

bool CAdjustmentData::SetBytesAt(std::size_t imageOffset, std::span<const std::uint8_t> bytes)
{
    if (!InBlock(imageOffset) || bytes.size() > kImageOffset + kBlockSize - imageOffset)
        return false;
    std::copy(bytes.begin(), bytes.end(), m_block.begin() + (imageOffset - kImageOffset));
    return true;
}

std::uint16_t CAdjustmentData::Value(std::size_t index) const
{
    return index < kValueCount ? GetLe16(m_block, 2 * index) : kNoValue;
}

bool CAdjustmentData::SetValue(std::size_t index, std::uint16_t value)
{
    if (index >= kValueCount)
        return false;
    PutLe16(m_block, 2 * index, value);
    return true;
}

void CAdjustmentData::SetAllowBaseBandTune(bool on)
{
    std::uint8_t& byte = m_block[kAllowBaseBandOffset - kImageOffset];
    byte = SetBits(byte, kAllowBaseBandMask, on ? 1 : 0);
}

std::uint8_t CAdjustmentData::GetField(const CBaseBandField& field) const
{
    if (!InBlock(field.imageOffset))
        return 0;
    return GetBits(ByteAt(field.imageOffset), field.mask);
}

bool CAdjustmentData::SetField(const CBaseBandField& field, unsigned value)
{
    if (!InBlock(field.imageOffset) || field.mask == 0 || value > GetBits(0xFF, field.mask))
        return false;
    std::uint8_t& byte = m_block[field.imageOffset - kImageOffset];
    byte = SetBits(byte, field.mask, value);
    return true;
}

std::string CAdjustmentData::FieldText(const CBaseBandField& field, const CSettings& settings) const
{
    if (field.checkBox || field.list == 0)
        return {};
    return settings.GetItemText(field.list, GetField(field));
}

bool CAdjustmentData::SetFieldText(const CBaseBandField& field, std::string_view text, const CSettings& settings)
{
    if (field.checkBox || field.list == 0)
        return false;
    const auto entry = settings.GetItemNumber(field.list, text);
    return entry && *entry >= 0 && *entry <= 0xFF && SetField(field, static_cast<unsigned>(*entry));
}

} // namespace qrv
