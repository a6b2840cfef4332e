#pragma once
// The channel record: 20 bytes, up to 16 of them from image
// offset 0x580, chained by link words; the channel edit record that the
// channel pages and the channel list share; the channel's data check.
#include "presentation/form_numbers.h"
#include "radio_data/data_record.h"
#include "records/frequency.h"
#include "records/tones.h"
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace qrv {

class CInvalidLog;
class CPersonalityData;
class CSettings;
struct CNotification;

// The page-side copy of a channel: frequency words as they stand,
// value-list fields as their shown texts.
// What the Basic page and a channel list row edit, as values: the windows
// and CSV make the texts. Each side's tone is its type (entry of the type
// list) and what the CTCSS and CDCSS fields hold; the one the type uses is
// stored, the other is only shown.
struct CChannelEditRecord {
    std::uint32_t rxFrequency = kNoFrequency;
    std::uint32_t txFrequency = kNoFrequency;
    std::uint8_t rxType = 0;
    CToneLookup rxCtcss;
    CToneLookup rxCdcss;
    std::uint8_t txType = 0;
    CToneLookup txCtcss;
    CToneLookup txCdcss;
    std::uint8_t rxStepCode = kNoStepCode;
    std::uint8_t txStepCode = kNoStepCode;
    std::uint8_t spacing = 0; // entry of the spacing list, as byte 17 holds it
    std::uint8_t power = 0;   // entry of the power list
    std::uint32_t personalityPosition = 0;
    std::uint32_t autoStartScan = 0;
    bool operator==(const CChannelEditRecord&) const = default;
};

// What the CTCSS and CDCSS fields show on the side the type does not use.
CToneLookup UnusedCtcss();
CToneLookup UnusedCdcss();

class CChannelData : public CDataRecord {
public:
    static constexpr std::uint16_t kTableStart = 0x580;
    static constexpr std::uint16_t kTableEnd = 0x6C0; // highest link word or list head that goes on
    static constexpr std::size_t kRecordSize = 20;
    static constexpr std::size_t kMaxChannels = 16;

    // Value lists and controls of the fields (language file numbers).
    static constexpr int kSpacingList = 3661;
    static constexpr int kPowerList = 3663;
    static constexpr int kRxTypeList = 3668;
    static constexpr int kTxTypeList = 3677;
    static constexpr int kRxFrequencyEdit = 3666;
    static constexpr int kRxCtcssCombo = 3670;
    static constexpr int kRxCdcssCombo = 3672;
    static constexpr int kTxFrequencyEdit = 3675;
    static constexpr int kTxCtcssCombo = 3679;
    static constexpr int kTxCdcssCombo = 3681;
    static constexpr int kAutoStartScanCheck = 3707;
    static constexpr int kPersonalityControl = 3703;
    static constexpr int kPersonalityTitleText = 3702;
    static constexpr int kViewText = form::kChannel;
    static constexpr int kMiscPageText = 3657;
    static constexpr std::uint32_t kPersonalityKeyOffset = 69238; // invalid-log key = tree id + this

    // Record layout.
    static constexpr std::size_t kPreviousOffset = 0;
    static constexpr std::size_t kNextOffset = 2;
    static constexpr std::size_t kRxFrequencyOffset = 4;
    static constexpr std::size_t kTxFrequencyOffset = 8;
    static constexpr std::size_t kRxToneOffset = 12;
    static constexpr std::size_t kTxToneOffset = 14;
    static constexpr std::size_t kStepByte = 16;
    static constexpr std::uint8_t kRxStepMask = 0x0F;
    static constexpr std::uint8_t kTxStepMask = 0xF0;
    static constexpr std::size_t kSpacingPowerByte = 17;
    static constexpr std::uint8_t kSpacingMask = 0x0F;
    static constexpr std::uint8_t kPowerMask = 0xF0;
    static constexpr std::size_t kPersonalityByte = 18; // 0xFF ends the list on loading
    static constexpr std::size_t kFlagsByte = 19;
    static constexpr std::uint8_t kAutoStartScanBit = 0x40;

    // The default record of the n-th channel (0-based: n channels exist before
    // it); n above 15 takes the table entry n % 16.
    explicit CChannelData(std::size_t n);
    // From image bytes; valid when the receive frequency word is not all 0xFF.
    explicit CChannelData(std::span<const std::uint8_t, kRecordSize> record);

    std::array<std::uint8_t, kRecordSize>& Record() { return m_record; }
    const std::array<std::uint8_t, kRecordSize>& Record() const { return m_record; }

    std::uint16_t PreviousLink() const { return GetLe16(m_record, kPreviousOffset); }
    std::uint16_t NextLink() const { return GetLe16(m_record, kNextOffset); }
    void SetLinks(std::uint16_t previous, std::uint16_t next);

    std::uint32_t RxFrequency() const { return GetLe32(m_record, kRxFrequencyOffset); }
    std::uint32_t TxFrequency() const { return GetLe32(m_record, kTxFrequencyOffset); }
    void SetRxFrequency(std::uint32_t word) { PutLe32(m_record, kRxFrequencyOffset, word); }
    void SetTxFrequency(std::uint32_t word) { PutLe32(m_record, kTxFrequencyOffset, word); }

    std::uint16_t RxTone() const { return GetLe16(m_record, kRxToneOffset); }
    std::uint16_t TxTone() const { return GetLe16(m_record, kTxToneOffset); }
    void SetRxTone(std::uint16_t word) { PutLe16(m_record, kRxToneOffset, word); }
    void SetTxTone(std::uint16_t word) { PutLe16(m_record, kTxToneOffset, word); }

    std::uint8_t RxStepCode() const { return GetBits(m_record[kStepByte], kRxStepMask); }
    std::uint8_t TxStepCode() const { return GetBits(m_record[kStepByte], kTxStepMask); }
    void SetRxStepCode(std::uint8_t code) { m_record[kStepByte] = SetBits(m_record[kStepByte], kRxStepMask, code); }
    void SetTxStepCode(std::uint8_t code) { m_record[kStepByte] = SetBits(m_record[kStepByte], kTxStepMask, code); }

    std::uint8_t Spacing() const { return GetBits(m_record[kSpacingPowerByte], kSpacingMask); }
    std::uint8_t Power() const { return GetBits(m_record[kSpacingPowerByte], kPowerMask); }
    void SetSpacing(std::uint8_t entry)
    {
        m_record[kSpacingPowerByte] = SetBits(m_record[kSpacingPowerByte], kSpacingMask, entry);
    }
    void SetPower(std::uint8_t entry)
    {
        m_record[kSpacingPowerByte] = SetBits(m_record[kSpacingPowerByte], kPowerMask, entry);
    }

    std::uint8_t PersonalityPosition() const { return m_record[kPersonalityByte]; }
    void SetPersonalityPosition(std::uint8_t position) { m_record[kPersonalityByte] = position; }

    bool AutoStartScan() const { return (m_record[kFlagsByte] & kAutoStartScanBit) != 0; }
    void SetAutoStartScan(bool on)
    {
        m_record[kFlagsByte] = SetBits(m_record[kFlagsByte], kAutoStartScanBit, on ? 1U : 0U);
    }

    // Tree identifier of the personality that byte 18 designates; 0 for none. Memory only.
    std::uint32_t PersonalityId() const { return m_personalityId; }
    void SetPersonalityId(std::uint32_t id) { m_personalityId = id; }
    // PersonalityId = tree id of the personality at position byte 18 when that exists and is valid, else 0.
    void ResolvePersonality(const std::vector<std::unique_ptr<CPersonalityData>>& personalities);

    // Showing the channel: fills every field of edit (the codes of byte 17,
    // tone types and look-ups, frequency words, step codes, byte 18, auto
    // start scan); the record is left as it is.
    void FillEditRecord(CChannelEditRecord& edit) const;
    // Storing the Basic page (also a channel list row): byte 17, tone types,
    // frequencies (clamped to the document's band when both are set), tone
    // indices, step codes; byte 18 and 19 are left alone. The valid flag
    // follows the receive frequency. Returns true when a frequency was clamped.
    bool TakeEditRecord(const CChannelEditRecord& edit, const CBand& band);
    // Button 3682: transmit frequency, its step code and tone word = the receive ones.
    void CopyReceiveToTransmit();

    // The channel check; acts on notifications of kind 5 only. position1Based
    // is the channel's position in the channel array.
    void Check(const CNotification& n, std::size_t position1Based,
               const std::vector<std::unique_ptr<CPersonalityData>>& personalities, CInvalidLog& log,
               const CSettings& settings) const;
    std::uint32_t CheckKey() const { return TreeId() + kPersonalityKeyOffset; }
    void WithdrawCheckEntries(CInvalidLog& log) const;

private:
    std::uint32_t m_personalityId = 0;
    std::array<std::uint8_t, kRecordSize> m_record{};
};

// Replaces the channels by the list in the image: the record at
// 0x580 always, then the records that follow it in the image while the link
// words, byte 18 and the count allow. A list head outside 0x580..0x6C0 gives
// one default channel. Personality references are resolved by the caller.
void LoadChannelTable(const Image& image, std::uint16_t listHead, std::vector<std::unique_ptr<CChannelData>>& channels);
// Writes the link words into each record and the records from 0x580 (at most
// 16); sets listHead to 0x580. With no channels nothing changes.
void StoreChannelTable(Image& image, const std::vector<std::unique_ptr<CChannelData>>& channels,
                       std::uint16_t& listHead);
// Replaces the channels by the sixteen default channels, n = 0..15.
void MakeDefaultChannels(std::vector<std::unique_ptr<CChannelData>>& channels);

} // namespace qrv
