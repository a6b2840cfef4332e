#include "records/volume_data.h"

#include "radio_data/settings.h"

#include <algorithm>

namespace qrv {

void CVolumeData::LoadFromImage(const Image& image)
{
    std::copy_n(image.begin() + kImageOffset, kBlockSize, m_block.begin());
}

void CVolumeData::StoreToImage(Image& image) const
{
    std::copy(m_block.begin(), m_block.end(), image.begin() + kImageOffset);
    image[kImageOffset + kAlertToneOffset] = kStoredAlertTone;
}

void CVolumeEditRecord::Fill(const CVolumeData& data, const CSettings& settings)
{
    alertToneVolume = settings.GetItemText(CVolumeData::kAlertToneList, data.AlertToneVolume());
}

bool CVolumeEditRecord::Take(CVolumeData& data, const CSettings& settings) const
{
    const auto entry = settings.GetItemNumber(CVolumeData::kAlertToneList, alertToneVolume);
    const bool fits = entry && *entry >= 0 && *entry <= 0xFF;
    data.SetAlertToneVolume(fits ? static_cast<std::uint8_t>(*entry) : 0xFF);
    return fits;
}

} // namespace qrv
