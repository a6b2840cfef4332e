#include "radio_data/radio_data.h"

#include "radio_data/settings.h"

#include <algorithm>

namespace qrv {

CRadioData::CRadioData(CSettings& settings)
    : m_settings(settings), m_identity(settings.RememberedModel()), m_image(std::make_unique<Image>()),
      m_invalidLog(&settings)
{
    m_identity.radioDataVersion = CSettings::kProgramVersion;
    m_image->fill(0xFF);
    ResetAreaObjects();
}

void CRadioData::ResetListHeads()
{
    m_channelHead = kDefaultChannelHead;
    m_personalityHead = kDefaultPersonalityHead;
    m_dtmfHead = kDefaultDtmfHead;
    m_scanHead = kDefaultScanHead;
}

void CRadioData::ResetAreaObjects()
{
    m_keys.SetDefaults();
    m_miscellaneous.SetDefaults(m_settings.LanguageIndex());
    m_vox.SetDefaults();
    m_microphone.SetDefaults();
    m_volume.SetDefaults();
    m_mode.SetDefaults();
    m_embeddedMessages.SetDefaults();
    m_radioInfo.SetDefaults();
    // A new codeplug's test channels lie in the band in force at this moment.
    m_testFrequencies.MakeDefaultTestFrequencies(m_identity.freqRange);
    m_emergency.SetDefaults();
    m_adjustment.SetDefaults();
}

void CRadioData::LoadFromImage(const Image& image)
{
    LoadChannelTable(image, m_channelHead, m_channels);
    m_testFrequencies.LoadFromImage(image);
    m_radioInfo.LoadFromImage(image);
    LoadPersonalityTable(image, m_personalities);
    LoadScanTable(image, m_scanLists);
    m_embeddedMessages.LoadFromImage(image);
    m_keys.LoadFromImage(image);
    m_vox.LoadFromImage(image);
    m_microphone.LoadFromImage(image);
    m_miscellaneous.LoadFromImage(image);
    m_mode.LoadFromImage(image);
    m_volume.LoadFromImage(image);
    LoadDTMFTable(image, m_dtmfSystems);
    m_emergency.LoadFromImage(image);
    m_adjustment.LoadFromImage(image);
    AfterLoad();
}

void CRadioData::StoreToImage(Image& image)
{
    image.fill(0xFF);
    m_radioInfo.StoreToImage(image);
    m_keys.StoreToImage(image);
    m_vox.StoreToImage(image);
    m_microphone.StoreToImage(image);
    m_miscellaneous.StoreToImage(image);
    m_mode.StoreToImage(image);
    m_volume.StoreToImage(image);
    StoreChannelTable(image, m_channels, m_channelHead);
    StorePersonalityTable(image, m_personalities, m_personalityHead);
    StoreScanTable(image, m_scanLists, m_scanHead);
    m_testFrequencies.StoreToImage(image);
    m_embeddedMessages.StoreToImage(image);
    StoreDTMFTable(image, m_dtmfSystems);
    m_emergency.StoreToImage(image);
    m_adjustment.StoreToImage(image);
    image[kStoreMarkerOffset] = kStoreMarker;
}

void CRadioData::Clear()
{
    m_channels.clear();
    m_personalities.clear();
    m_scanLists.clear();
    m_dtmfSystems.clear();
}

void CRadioData::Reset()
{
    ResetListHeads();
    m_personalities.push_back(std::make_unique<CPersonalityData>());
    m_scanLists.push_back(std::make_unique<CScanListData>());
    MakeDefaultChannels(m_channels);
    ResetAreaObjects();
    m_dtmfSystems.push_back(std::make_unique<CDTMFSystemData>());
    AfterLoad();
}

void CRadioData::ResetChannels()
{
    m_channels.clear();
    m_scanLists.clear();
    m_scanLists.push_back(std::make_unique<CScanListData>());
    MakeDefaultChannels(m_channels);
    m_testFrequencies.MakeDefaultTestFrequencies(m_identity.freqRange);
    m_radioInfo.SetDefaults();
    AfterLoad();
}

CRecordRefs CRadioData::ChannelRefs() const
{
    CRecordRefs refs;
    refs.reserve(m_channels.size());
    for (const auto& channel : m_channels)
        refs.push_back(channel.get());
    return refs;
}

CRecordRefs CRadioData::DTMFRefs() const
{
    CRecordRefs refs;
    for (const auto& system : m_dtmfSystems)
        refs.push_back(system.get());
    return refs;
}

void CRadioData::AfterLoad()
{
    for (auto& channel : m_channels)
        channel->ResolvePersonality(m_personalities);
    const CRecordRefs channels = ChannelRefs();
    for (auto& scan : m_scanLists)
        scan->Resolve(channels);
    m_miscellaneous.AfterLoad();
    m_emergency.ResolveReferences(channels, DTMFRefs());
}

bool CRadioData::CheckAll()
{
    m_invalidLog.Clear();
    RunChecks(CNotification{CNotification::Kind::CheckAll, 0});
    return m_invalidLog.Count() > 0;
}

void CRadioData::RunChecks(const CNotification& notification)
{
    for (std::size_t i = 0; i < m_channels.size(); ++i)
        m_channels[i]->Check(notification, i + 1, m_personalities, m_invalidLog, m_settings);
    const CRecordRefs channels = ChannelRefs();
    for (const auto& scan : m_scanLists)
        scan->Check(notification, channels, m_invalidLog, m_settings);
    m_emergency.Check(notification, channels, DTMFRefs(), m_invalidLog, m_settings);
    m_keys.OnNotification(notification);
}

CChannelData* CRadioData::AddChannel()
{
    if (m_channels.size() >= CChannelData::kMaxChannels)
        return nullptr;
    m_channels.push_back(std::make_unique<CChannelData>(m_channels.size()));
    m_channels.back()->ResolvePersonality(m_personalities);
    return m_channels.back().get();
}

bool CRadioData::RemoveChannel(std::size_t position)
{
    if (position >= m_channels.size() || m_channels.size() < 2)
        return false;
    m_channels[position]->WithdrawCheckEntries(m_invalidLog);
    m_channels.erase(m_channels.begin() + static_cast<std::ptrdiff_t>(position));
    const CRecordRefs refs = ChannelRefs();
    for (const auto& scan : m_scanLists)
        scan->StoreIdentities(refs);
    // The emergency revert channel too; a deleted one keeps its byte and is reported by the check.
    if (const int revert = ChannelPositionOf(m_emergency.RevertChannelId(), refs); revert > 0)
        m_emergency.SetRevertChannelPosition(static_cast<std::uint8_t>(revert));
    return true;
}

std::size_t CRadioData::ChannelsOnPersonality(std::size_t position) const
{
    if (position >= m_personalities.size())
        return 0;
    const std::uint32_t id = m_personalities[position]->TreeId();
    return static_cast<std::size_t>(std::count_if(
        m_channels.begin(), m_channels.end(), [id](const auto& channel) { return channel->PersonalityId() == id; }));
}

bool CRadioData::RemovePersonality(std::size_t position)
{
    if (position >= m_personalities.size() || m_personalities.size() < 2)
        return false;
    const std::uint32_t removed = m_personalities[position]->TreeId();
    m_personalities.erase(m_personalities.begin() + static_cast<std::ptrdiff_t>(position));
    for (const auto& channel : m_channels) {
        if (channel->PersonalityId() == removed) {
            channel->SetPersonalityId(0);
            continue;
        }
        for (std::size_t i = 0; i < m_personalities.size(); ++i)
            if (channel->PersonalityId() != 0 && m_personalities[i]->TreeId() == channel->PersonalityId())
                channel->SetPersonalityPosition(static_cast<std::uint8_t>(i));
    }
    return true;
}

} // namespace qrv
