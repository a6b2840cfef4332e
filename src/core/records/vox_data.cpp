#include "records/vox_data.h"

#include "radio_data/settings.h"

#include <algorithm>

namespace qrv {

void CVoxData::LoadFromImage(const Image& image)
{
    std::copy_n(image.begin() + kImageOffset, kBlockSize, m_block.begin());
}

void CVoxData::StoreToImage(Image& image) const
{
    std::copy(m_block.begin(), m_block.end(), image.begin() + kImageOffset);
}

bool CVoxData::SetGainLevel(unsigned level)
{
    if (level > GetBits(0xFF, kGainLevelMask))
        return false;
    m_block[kGainOffset] = SetBits(m_block[kGainOffset], kGainLevelMask, level);
    return true;
}

void CVoxEditRecord::Fill(const CVoxData& data, const CSettings& settings)
{
    gainLevel = settings.GetItemText(CVoxData::kGainLevelList, data.GainLevel());
    delayTime = settings.GetItemText(CVoxData::kDelayTimeList, data.DelayTime());
}

bool CVoxEditRecord::Take(CVoxData& data, const CSettings& settings) const
{
    const auto gain = settings.GetItemNumber(CVoxData::kGainLevelList, gainLevel);
    const bool gainTaken = gain && *gain >= 0 && *gain <= 0xFF && data.SetGainLevel(static_cast<unsigned>(*gain));
    const auto delay = settings.GetItemNumber(CVoxData::kDelayTimeList, delayTime);
    const bool delayTaken = delay && *delay >= 0 && *delay <= 0xFF;
    data.SetDelayTime(delayTaken ? static_cast<std::uint8_t>(*delay) : 0xFF);
    return gainTaken && delayTaken;
}

} // namespace qrv
