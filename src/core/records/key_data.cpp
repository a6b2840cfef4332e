#include "records/key_data.h"

#include "radio_data/notification.h"
#include "radio_data/settings.h"

#include <algorithm>

namespace qrv {

namespace {
constexpr std::uint8_t kNoEntry = 0xFF;
} // namespace

void CKeyData::LoadFromImage(const Image& image)
{
    std::copy_n(image.begin() + kImageOffset, kBlockSize, m_block.begin());
}

void CKeyData::StoreToImage(Image& image) const
{
    std::copy(m_block.begin(), m_block.end(), image.begin() + kImageOffset);
}

std::uint8_t CKeyData::SideKeyFunction(std::size_t index) const
{
    return index < kSideKeyCount ? m_block[kSideKeyOffsets[index]] : kNoEntry;
}

bool CKeyData::SetSideKeyFunction(std::size_t index, std::uint8_t function)
{
    if (index >= kSideKeyCount)
        return false;
    m_block[kSideKeyOffsets[index]] = function;
    return true;
}

void CKeyData::OnNotification(const CNotification& notification)
{
    if (notification.kind != CNotification::Kind::VoxChanged || notification.data != 0)
        return;
    for (const std::size_t offset : kSideKeyOffsets)
        if (m_block[offset] == kFunctionVox)
            m_block[offset] = kFunctionNone;
}

bool CKeyData::IsFunctionAllowed(std::uint8_t function, unsigned voxGainLevel)
{
    if (function == kFunctionNeverOffered)
        return false;
    return function != kFunctionVox || voxGainLevel != 0;
}

void RemoveNeverOfferedFunctions(std::vector<CComboLine>& lines)
{
    std::erase_if(lines, [](const CComboLine& line) { return line.data == CKeyData::kFunctionNeverOffered; });
}

void CKeyEditRecord::Fill(const CKeyData& data, const CSettings& settings)
{
    for (std::size_t i = 0; i < CKeyData::kSideKeyCount; ++i)
        texts[i] = settings.GetItemText(CKeyData::kFunctionList, data.SideKeyFunction(i));
}

bool CKeyEditRecord::Take(CKeyData& data, const CSettings& settings) const
{
    bool ok = true;
    for (std::size_t i = 0; i < CKeyData::kSideKeyCount; ++i) {
        const auto entry = settings.GetItemNumber(CKeyData::kFunctionList, texts[i]);
        const bool fits = entry && *entry >= 0 && *entry <= 0xFF;
        ok = ok && fits;
        data.SetSideKeyFunction(i, fits ? static_cast<std::uint8_t>(*entry) : kNoEntry);
    }
    return ok;
}

} // namespace qrv
