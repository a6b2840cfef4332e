#include "records/microphone_data.h"

#include "radio_data/settings.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace qrv {

namespace {

std::optional<std::uint16_t> Entry16(const CSettings& settings, int list, std::string_view text)
{
    const auto entry = settings.GetItemNumber(list, text);
    if (!entry || *entry < 0 || *entry >= CMicrophoneData::kNoEntry)
        return std::nullopt;
    return static_cast<std::uint16_t>(*entry);
}

} // namespace

void CMicrophoneData::LoadFromImage(const Image& image)
{
    std::copy_n(image.begin() + kImageOffset, kBlockSize, m_block.begin());
}

void CMicrophoneData::StoreToImage(Image& image) const
{
    std::copy(m_block.begin(), m_block.end(), image.begin() + kImageOffset);
}

void CMicrophoneEditRecord::Fill(const CMicrophoneData& data, const CSettings& settings)
{
    internalGain = settings.GetItemText(CMicrophoneData::kInternalGainList, data.InternalGain());
    externalGain = settings.GetItemText(CMicrophoneData::kExternalGainList, data.ExternalGain());
}

bool CMicrophoneEditRecord::Take(CMicrophoneData& data, const CSettings& settings) const
{
    const auto internal = Entry16(settings, CMicrophoneData::kInternalGainList, internalGain);
    const auto external = Entry16(settings, CMicrophoneData::kExternalGainList, externalGain);
    data.SetInternalGain(internal.value_or(CMicrophoneData::kNoEntry));
    data.SetExternalGain(external.value_or(CMicrophoneData::kNoEntry));
    return internal && external;
}

} // namespace qrv
