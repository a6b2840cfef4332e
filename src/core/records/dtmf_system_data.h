#pragma once
// The DTMF system: the radio's own DTMF identity (Primary ID), how it is sent
// and the digit timing. One 16-byte record at 0x1B0; the program keeps the
// records in a growable array although the radio uses only the first.
#include "radio_data/data_record.h"
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

class CSettings;
class CInvalidLog;
struct CNotification;

class CDTMFSystemData : public CDataRecord {
public:
    static constexpr std::size_t kTableStart = 0x1B0;
    static constexpr std::size_t kRecordSize = 16;
    // Records that fit before the scan list table at 0x210; storing never writes past it.
    static constexpr std::size_t kTableEnd = 0x210;
    static constexpr std::size_t kMaxStoredRecords = (kTableEnd - kTableStart) / kRecordSize;

    // Record layout.
    static constexpr std::size_t kIdDigitsOffset = 0; // eight 4-bit codes, first in the high nibble of byte 0
    static constexpr std::size_t kIdDigitBytes = 4;
    static constexpr std::size_t kMaxIdLength = 8;
    static constexpr std::size_t kIdLengthOffset = 4;
    static constexpr std::size_t kPttIdTypeOffset = 5;
    static constexpr std::size_t kFlagsOffset = 6;
    static constexpr std::uint8_t kSideToneMask = 0x01;
    static constexpr std::uint8_t kShortBeepMask = 0x02;
    static constexpr std::uint8_t kTransmitToneMask = 0x04;
    static constexpr std::uint8_t kCountCodeMask = 0xC0;
    static constexpr std::size_t kPretimeOffset = 7;
    static constexpr std::size_t kDigitDurationOffset = 8;
    static constexpr std::size_t kDigitIntervalOffset = 9;

    // Value lists (language file) of the fields that hold entry numbers.
    static constexpr int kPttIdTypeList = 5308;
    static constexpr int kPretimeList = 5343;
    static constexpr int kDigitDurationList = 5349;
    static constexpr int kDigitIntervalList = 5351;
    // Controls of the other fields; no page shows the transmit tone flag, only its caption is used.
    static constexpr int kPrimaryIdEdit = 5304;
    static constexpr int kSideToneCheck = 5309;
    static constexpr int kShortBeepCheck = 5310;
    static constexpr int kTransmitToneText = 5311;

    using RecordBytes = std::array<std::uint8_t, kRecordSize>;
    static constexpr RecordBytes kDefaultRecord = {0x12, 0x34, 0x56, 0x78, 0x08, 0x01, 0xFE, 0x19,
                                                   0x05, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

    CDTMFSystemData();
    explicit CDTMFSystemData(const RecordBytes& record);

    void SetDefaults() { m_record = kDefaultRecord; }
    const RecordBytes& Record() const { return m_record; }
    void SetRecord(const RecordBytes& record) { m_record = record; }

    // The Primary ID as the user edits it: digits 0-9, A-D, "*" and "#".
    std::string GetIdText() const;
    // Spaces are dropped and a-d read as A-D. An empty text stores length 0 and
    // keeps the digit bytes. More than eight digits or any other character is
    // refused (false) and the record stays as it was.
    bool SetIdText(std::string_view text);
    std::uint8_t IdLength() const { return m_record[kIdLengthOffset]; }

    std::uint8_t PttIdType() const { return m_record[kPttIdTypeOffset]; }
    void SetPttIdType(std::uint8_t entry) { m_record[kPttIdTypeOffset] = entry; }
    bool SideTone() const { return Flag(kSideToneMask); }
    void SetSideTone(bool on) { SetFlag(kSideToneMask, on); }
    bool ShortBeep() const { return Flag(kShortBeepMask); }
    void SetShortBeep(bool on) { SetFlag(kShortBeepMask, on); }
    bool TransmitTone() const { return Flag(kTransmitToneMask); }
    void SetTransmitTone(bool on) { SetFlag(kTransmitToneMask, on); }
    std::uint8_t Pretime() const { return m_record[kPretimeOffset]; }
    void SetPretime(std::uint8_t entry) { m_record[kPretimeOffset] = entry; }
    std::uint8_t DigitDuration() const { return m_record[kDigitDurationOffset]; }
    void SetDigitDuration(std::uint8_t entry) { m_record[kDigitDurationOffset] = entry; }
    std::uint8_t DigitIntervalDuration() const { return m_record[kDigitIntervalOffset]; }
    void SetDigitIntervalDuration(std::uint8_t entry) { m_record[kDigitIntervalOffset] = entry; }

    // A DTMF system refers to nothing and has no check of its own; the
    // operations exist so the radio data treats every record array alike.
    void ResolveReferences() {}
    void Check(const CNotification&, CInvalidLog&, const CSettings&) const {}
    void WithdrawCheckEntries(CInvalidLog&) const {}

    // The count code of byte 6 bits 6-7 for a table of count records.
    static std::uint8_t CountCode(std::size_t count) { return static_cast<std::uint8_t>((count + 3) % 4); }

private:
    bool Flag(std::uint8_t mask) const { return (m_record[kFlagsOffset] & mask) != 0; }
    void SetFlag(std::uint8_t mask, bool on)
    {
        m_record[kFlagsOffset] = SetBits(m_record[kFlagsOffset], mask, on ? 1 : 0);
    }

    RecordBytes m_record = kDefaultRecord;
};

using CDTMFSystemArray = std::vector<std::unique_ptr<CDTMFSystemData>>;

// Replaces the array by exactly one system made from the record at 0x1B0,
// however many records the image holds.
void LoadDTMFTable(const Image& image, CDTMFSystemArray& systems);
// Writes the systems one after another from 0x1B0 with the count code in byte
// 6; empty slots of the array are skipped, and no record goes past 0x20F.
void StoreDTMFTable(Image& image, const CDTMFSystemArray& systems);

// The page-side copy of the Basic and Advanced pages.
struct CDTMFEditRecord {
    std::string primaryId;
    std::string pttIdType;
    bool sideTone = false;
    bool shortBeep = false;
    bool transmitTone = false;
    std::string pretime;
    std::string digitDuration;
    std::string digitIntervalDuration;

    void Fill(const CDTMFSystemData& data, const CSettings& settings);
    // Texts that match no list entry store 0xFF; an ID that cannot be taken
    // keeps the stored ID. Either makes the result false; the rest is taken.
    bool Take(CDTMFSystemData& data, const CSettings& settings) const;
};

} // namespace qrv
