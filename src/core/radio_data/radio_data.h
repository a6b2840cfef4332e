#pragma once
// The one codeplug of the program: the 2048-byte image and the data objects
// built from it. The image and the objects agree only right after
// LoadFromImage and StoreToImage; in between, the objects are authoritative.
#include "radio_data/data_record.h"
#include "radio_data/document_identity.h"
#include "radio_data/invalid_log.h"
#include "radio_data/notification.h"
#include "records/adjustment_data.h"
#include "records/channel_data.h"
#include "records/dtmf_system_data.h"
#include "records/embedded_message_data.h"
#include "records/emergency_data.h"
#include "records/key_data.h"
#include "records/microphone_data.h"
#include "records/miscellaneous_data.h"
#include "records/mode_data.h"
#include "records/personality_data.h"
#include "records/radio_info_data.h"
#include "records/scan_list_data.h"
#include "records/test_frequency_data.h"
#include "records/volume_data.h"
#include "records/vox_data.h"
#include "util/bytes.h"

#include <memory>
#include <vector>

namespace qrv {

class CSettings;

class CRadioData {
public:
    static constexpr std::uint16_t kDefaultChannelHead = 0x580;
    static constexpr std::uint16_t kDefaultPersonalityHead = 0x130;
    static constexpr std::uint16_t kDefaultDtmfHead = 0x1C0;
    static constexpr std::uint16_t kDefaultScanHead = 0x210;
    static constexpr std::size_t kStoreMarkerOffset = 0x339;
    static constexpr std::uint8_t kStoreMarker = 8;

    explicit CRadioData(CSettings& settings);
    CRadioData(const CRadioData&) = delete;
    CRadioData& operator=(const CRadioData&) = delete;

    Image& GetImage() { return *m_image; }
    const Image& GetImage() const { return *m_image; }

    // Rebuilds every object from the image (which is left unchanged).
    void LoadFromImage(const Image& image);
    // Fills the image with 0xFF and writes every object into it.
    void StoreToImage(Image& image);

    void Clear();
    void Reset();
    void ResetChannels();

    // Empties the invalid log, runs every check as for a deletion, and returns
    // true when the log then holds entries.
    bool CheckAll();
    // The checks that follow a change notification; the notification also
    // reaches the objects that react to it (the keys to a VOX change).
    void RunChecks(const CNotification& notification);

    CInvalidLog& InvalidLog() { return m_invalidLog; }
    CSettings& Settings() { return m_settings; }

    // Which radio this codeplug is for. A new codeplug starts as the model the
    // settings remember; opening a file or reading a radio sets it.
    CDocumentIdentity& Identity() { return m_identity; }
    const CDocumentIdentity& Identity() const { return m_identity; }

    std::vector<std::unique_ptr<CChannelData>>& Channels() { return m_channels; }
    std::vector<std::unique_ptr<CPersonalityData>>& Personalities() { return m_personalities; }
    std::vector<std::unique_ptr<CScanListData>>& ScanLists() { return m_scanLists; }
    std::vector<std::unique_ptr<CDTMFSystemData>>& DTMFSystems() { return m_dtmfSystems; }
    const std::vector<std::unique_ptr<CChannelData>>& Channels() const { return m_channels; }
    const std::vector<std::unique_ptr<CPersonalityData>>& Personalities() const { return m_personalities; }
    const std::vector<std::unique_ptr<CScanListData>>& ScanLists() const { return m_scanLists; }
    const std::vector<std::unique_ptr<CDTMFSystemData>>& DTMFSystems() const { return m_dtmfSystems; }

    CRadioInfoData& RadioInfo() { return m_radioInfo; }
    CKeyData& Keys() { return m_keys; }
    CMiscellaneousData& Miscellaneous() { return m_miscellaneous; }
    CVoxData& Vox() { return m_vox; }
    CVolumeData& Volume() { return m_volume; }
    CMicrophoneData& Microphone() { return m_microphone; }
    CModeData& Mode() { return m_mode; }
    CTestFrequencyData& TestFrequencies() { return m_testFrequencies; }
    CEmbeddedMessageData& EmbeddedMessages() { return m_embeddedMessages; }
    CEmergencyData& Emergency() { return m_emergency; }
    CAdjustmentData& Adjustment() { return m_adjustment; }
    const CRadioInfoData& RadioInfo() const { return m_radioInfo; }
    const CKeyData& Keys() const { return m_keys; }
    const CMiscellaneousData& Miscellaneous() const { return m_miscellaneous; }
    const CVoxData& Vox() const { return m_vox; }
    const CVolumeData& Volume() const { return m_volume; }
    const CMicrophoneData& Microphone() const { return m_microphone; }
    const CModeData& Mode() const { return m_mode; }
    const CTestFrequencyData& TestFrequencies() const { return m_testFrequencies; }
    const CEmbeddedMessageData& EmbeddedMessages() const { return m_embeddedMessages; }
    const CEmergencyData& Emergency() const { return m_emergency; }
    const CAdjustmentData& Adjustment() const { return m_adjustment; }

    std::uint16_t ChannelHead() const { return m_channelHead; }
    std::uint16_t PersonalityHead() const { return m_personalityHead; }
    std::uint16_t DtmfHead() const { return m_dtmfHead; }
    std::uint16_t ScanHead() const { return m_scanHead; }

    CRecordRefs ChannelRefs() const;
    CRecordRefs DTMFRefs() const;

    // Every channel, scan list and the emergency object resolve their references.
    void AfterLoad();

    // A new default channel at the end (nullptr when the table is full); it
    // resolves its personality reference.
    CChannelData* AddChannel();
    // Removes a channel after withdrawing its check entries; the last channel
    // is never removed. The scan lists' and the emergency revert channel's
    // numbers follow at once: they hold their channels by identity, and a save
    // must never write numbers that now name other channels.
    bool RemoveChannel(std::size_t position);
    // How many channels name the personality at that position.
    std::size_t ChannelsOnPersonality(std::size_t position) const;
    // Removes a personality; the last one is never removed. Every channel
    // stays on the personality it had: byte 18 follows its personality's new
    // position. The channels of the removed one keep their byte, lose their
    // reference and are reported by the checks until another is chosen.
    bool RemovePersonality(std::size_t position);

private:
    void ResetListHeads();
    void ResetAreaObjects();

    CSettings& m_settings;
    CDocumentIdentity m_identity;
    std::unique_ptr<Image> m_image;
    CRadioInfoData m_radioInfo;
    CKeyData m_keys;
    CMiscellaneousData m_miscellaneous;
    CVoxData m_vox;
    CVolumeData m_volume;
    CMicrophoneData m_microphone;
    CModeData m_mode;
    CTestFrequencyData m_testFrequencies;
    CEmbeddedMessageData m_embeddedMessages;
    CEmergencyData m_emergency;
    CAdjustmentData m_adjustment;

    std::uint16_t m_channelHead = kDefaultChannelHead;
    std::uint16_t m_personalityHead = kDefaultPersonalityHead;
    std::uint16_t m_dtmfHead = kDefaultDtmfHead;
    std::uint16_t m_scanHead = kDefaultScanHead;

    std::vector<std::unique_ptr<CChannelData>> m_channels;
    std::vector<std::unique_ptr<CPersonalityData>> m_personalities;
    std::vector<std::unique_ptr<CScanListData>> m_scanLists;
    std::vector<std::unique_ptr<CDTMFSystemData>> m_dtmfSystems;

    CInvalidLog m_invalidLog;
};

} // namespace qrv
