#pragma once
// The scan list record: 32 bytes, up to two from image offset
// 0x210. Member, designated and priority channels are numbers (1-based
// channel positions, 0xFF = none) in the image and channel identities in
// memory, so that a scan list keeps its channels when the table changes.
#include "presentation/form_numbers.h"
#include "radio_data/data_record.h"
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace qrv {

class CInvalidLog;
class CSettings;
struct CNotification;

class CScanListData : public CDataRecord {
public:
    static constexpr std::uint16_t kTableStart = 0x210;
    static constexpr std::size_t kRecordSize = 32;
    static constexpr std::size_t kMaxScanLists = 2;
    static constexpr std::size_t kSlots = 16;
    static constexpr std::uint8_t kNoChannel = 0xFF;

    // Record layout (byte offsets and bit masks).
    static constexpr std::size_t kEntryCountByte = 4; // also the end marker of the table (0xFF)
    static constexpr std::size_t kScanModeByte = 5;
    static constexpr std::uint8_t kScanModeMask = 0x06;
    static constexpr std::size_t kPriorityModeByte = 6;
    static constexpr std::uint8_t kPriorityModeMask = 0x03;
    static constexpr std::size_t kSweepTimeByte = 7;
    static constexpr std::size_t kPriorityChannelByte = 8;
    static constexpr std::size_t kSecondPriorityChannelByte = 9;
    static constexpr std::size_t kTxModeByte = 10;
    static constexpr std::uint8_t kTxModeMask = 0x07;
    static constexpr std::uint8_t kTalkbackMask = 0x08;
    static constexpr std::size_t kDesignatedChannelByte = 11;
    static constexpr std::size_t kHangTimeByte = 12;
    static constexpr std::size_t kAlertByte = 13;
    static constexpr std::uint8_t kStartAlertMask = 0x01;
    static constexpr std::uint8_t kEndAlertMask = 0x02;
    static constexpr std::uint8_t kIncludeCurrentMask = 0x10;
    static constexpr std::size_t kFirstMemberByte = 16;

    // The modes under which the designated and the priority channel are in use.
    static constexpr std::uint8_t kTxModeDesignated = 1;
    static constexpr std::uint8_t kPriorityModeFixed = 1;

    // Language file numbers of the reference check.
    static constexpr int kFirstSlotControl = 3872; // slot k (1-16) is control 3872 + k
    static constexpr int kFirstSlotLabel = 3904;   // slot k's label is entry 3904 + k
    static constexpr int kDesignatedControl = 3850;
    static constexpr int kDesignatedLabel = 3849;
    static constexpr int kPriorityControl = 3836;
    static constexpr int kPriorityLabel = 3835;
    static constexpr int kViewText = form::kScan;
    static constexpr int kConfigPageText = 3800;
    static constexpr int kChannelPageText = 3803;
    static constexpr std::uint32_t kKeyOffset = 0xFFFF; // key = identity + control + 0xFFFF

    // Value lists and check boxes of the fields (language file numbers).
    static constexpr int kScanModeList = 3830;
    static constexpr int kPriorityModeList = 3834;
    static constexpr int kSweepTimeList = 3844;
    static constexpr int kTxModeList = 3846;
    static constexpr int kHangTimeList = 3848;
    static constexpr int kStartAlertCheck = 3855;
    static constexpr int kEndAlertCheck = 3856;
    static constexpr int kIncludeCurrentCheck = 3857;
    static constexpr int kTalkbackCheck = 3861;
    static constexpr int kEntryCountList = 3943;

    static constexpr std::array<std::uint8_t, kRecordSize> kDefaultRecord{
        0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0xE6, 0xC0, 0x08, 0x01, 0x02, 0xF8, 0x01, 0x03, 0x0F, 0xFE, 0xFF,
        0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10};

    CScanListData(); // the default record, no channel identities yet
    explicit CScanListData(std::span<const std::uint8_t, kRecordSize> record);

    std::array<std::uint8_t, kRecordSize>& Record() { return m_record; }
    const std::array<std::uint8_t, kRecordSize>& Record() const { return m_record; }

    // Numbers -> identities: a number from 1 to the channel count naming a
    // valid channel gives that channel's identity, anything else 0.
    void Resolve(const CRecordRefs& channels);
    // Identities -> bytes 16..31, 11 and 8: the 1-based position of the
    // channel, 0xFF when the identity is 0, unknown or names an invalid channel.
    void StoreIdentities(const CRecordRefs& channels);

    // Identities (0 = none); slot is 0-based (0..15) here.
    std::uint32_t MemberId(std::size_t slot) const { return slot < kSlots ? m_memberIds[slot] : 0; }
    void SetMemberId(std::size_t slot, std::uint32_t id);
    std::uint32_t DesignatedId() const { return m_designatedId; }
    void SetDesignatedId(std::uint32_t id) { m_designatedId = id; }
    std::uint32_t PriorityId() const { return m_priorityId; }
    void SetPriorityId(std::uint32_t id) { m_priorityId = id; }
    // Kept for the hidden second priority combo 3841; not resolved from byte 9.
    std::uint32_t SecondPriorityId() const { return m_secondPriorityId; }
    void SetSecondPriorityId(std::uint32_t id) { m_secondPriorityId = id; }

    // Fields (entry numbers of the value lists, channel numbers, flags).
    std::uint8_t EntryCount() const { return m_record[kEntryCountByte]; }
    std::uint8_t ScanMode() const { return GetBits(m_record[kScanModeByte], kScanModeMask); }
    std::uint8_t PriorityMode() const { return GetBits(m_record[kPriorityModeByte], kPriorityModeMask); }
    std::uint8_t SweepTime() const { return m_record[kSweepTimeByte]; }
    std::uint8_t PriorityChannelNumber() const { return m_record[kPriorityChannelByte]; }
    std::uint8_t SecondPriorityChannelNumber() const { return m_record[kSecondPriorityChannelByte]; }
    std::uint8_t TxMode() const { return GetBits(m_record[kTxModeByte], kTxModeMask); }
    bool Talkback() const { return (m_record[kTxModeByte] & kTalkbackMask) != 0; }
    std::uint8_t DesignatedChannelNumber() const { return m_record[kDesignatedChannelByte]; }
    std::uint8_t HangTime() const { return m_record[kHangTimeByte]; }
    bool StartAlert() const { return (m_record[kAlertByte] & kStartAlertMask) != 0; }
    bool EndAlert() const { return (m_record[kAlertByte] & kEndAlertMask) != 0; }
    bool IncludeCurrentChannel() const { return (m_record[kAlertByte] & kIncludeCurrentMask) != 0; }
    std::uint8_t MemberNumber(std::size_t slot) const
    {
        return slot < kSlots ? m_record[kFirstMemberByte + slot] : kNoChannel;
    }

    // What the modes put to use: the designated channel (transmit mode 1),
    // the priority channel (priority mode 1) and the sweep time (any priority
    // mode but 0). Only channels in use are enabled and checked.
    bool DesignatedInUse() const { return TxMode() == kTxModeDesignated; }
    bool PriorityChannelInUse() const { return PriorityMode() == kPriorityModeFixed; }
    bool SweepTimeInUse() const { return PriorityMode() != 0; }

    // Setters change only their field's bits.
    void SetEntryCount(std::uint8_t value) { m_record[kEntryCountByte] = value; }
    void SetScanMode(std::uint8_t value) { SetField(kScanModeByte, kScanModeMask, value); }
    void SetPriorityMode(std::uint8_t value) { SetField(kPriorityModeByte, kPriorityModeMask, value); }
    void SetSweepTime(std::uint8_t value) { m_record[kSweepTimeByte] = value; }
    void SetTxMode(std::uint8_t value) { SetField(kTxModeByte, kTxModeMask, value); }
    void SetTalkback(bool on) { SetField(kTxModeByte, kTalkbackMask, on ? 1 : 0); }
    void SetHangTime(std::uint8_t value) { m_record[kHangTimeByte] = value; }
    void SetStartAlert(bool on) { SetField(kAlertByte, kStartAlertMask, on ? 1 : 0); }
    void SetEndAlert(bool on) { SetField(kAlertByte, kEndAlertMask, on ? 1 : 0); }
    void SetIncludeCurrentChannel(bool on) { SetField(kAlertByte, kIncludeCurrentMask, on ? 1 : 0); }

    // The reference check (kinds 5 and 9 only): used member slots 1..byte 4,
    // the designated channel when the transmit mode is 1, the priority channel
    // when the priority mode is 1; one invalid-log entry per failing reference.
    void Check(const CNotification& n, const CRecordRefs& channels, CInvalidLog& log, const CSettings& settings) const;
    void WithdrawCheckEntries(CInvalidLog& log) const;
    // slot is 1-based (1..16), as the slot labels and controls count.
    void WithdrawSlotEntry(int slot, CInvalidLog& log) const;

    // Invalid-log keys: slot k (1..16), designated and priority channel.
    std::uint32_t SlotKey(int slot) const
    {
        return TreeId() + static_cast<std::uint32_t>(kFirstSlotControl + slot) + kKeyOffset;
    }
    std::uint32_t DesignatedKey() const { return TreeId() + kDesignatedControl + kKeyOffset; }
    std::uint32_t PriorityKey() const { return TreeId() + kPriorityControl + kKeyOffset; }

private:
    void SetField(std::size_t byte, std::uint8_t mask, unsigned value)
    {
        m_record[byte] = SetBits(m_record[byte], mask, value);
    }

    std::array<std::uint8_t, kRecordSize> m_record = kDefaultRecord;
    std::array<std::uint32_t, kSlots> m_memberIds{};
    std::uint32_t m_designatedId = 0;
    std::uint32_t m_priorityId = 0;
    std::uint32_t m_secondPriorityId = 0;
};

// Replaces the scan lists by the table at 0x210: the first record always,
// the second unless its byte 4 is 0xFF. Resolution is the caller's, after
// the channels are loaded.
void LoadScanTable(const Image& image, std::vector<std::unique_ptr<CScanListData>>& scanLists);
// Writes the records from 0x210 (at most two) and sets tableStart to 0x210.
void StoreScanTable(Image& image, const std::vector<std::unique_ptr<CScanListData>>& scanLists,
                    std::uint16_t& tableStart);

} // namespace qrv
