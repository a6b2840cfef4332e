#pragma once
// The personality record: 8 bytes of transmit rules that channels
// share by position; up to 16 records from image offset 0x130.
#include "radio_data/data_record.h"
#include "util/bytes.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace qrv {

class CPersonalityData : public CDataRecord {
public:
    static constexpr std::uint16_t kTableStart = 0x130;
    static constexpr std::size_t kRecordSize = 8;
    static constexpr std::size_t kMaxPersonalities = 16;

    // Byte offsets and masks of the record.
    static constexpr std::size_t kTxAdmitByte = 1; // also the end marker of the table (0xFF)
    static constexpr std::size_t kTimeOutByte = 2;
    static constexpr std::size_t kPreAlertByte = 3;
    static constexpr std::size_t kReKeyByte = 4;
    static constexpr std::size_t kResetByte = 5;
    static constexpr std::size_t kSignallingByte = 6;
    static constexpr std::uint8_t kTxOptionalSignallingMask = 0x0F;

    // Language file numbers: the RX/TX page's title and the value lists of the
    // fields (each caption is numbered one below its list).
    static constexpr int kRxTxPageText = 2311;
    static constexpr int kTxAdmitList = 2321;
    static constexpr int kTimeOutList = 2325;
    static constexpr int kPreAlertList = 2327;
    static constexpr int kReKeyList = 2329;
    static constexpr int kResetList = 2331;
    static constexpr int kTxOptionalSignallingList = 2407;

    static constexpr std::array<std::uint8_t, kRecordSize> kDefaultRecord{0xFF, 0x01, 0x3C, 0x00,
                                                                          0x00, 0x00, 0xC0, 0xFF};

    CPersonalityData(); // the default record
    explicit CPersonalityData(std::span<const std::uint8_t, kRecordSize> record);

    std::array<std::uint8_t, kRecordSize>& Record() { return m_record; }
    const std::array<std::uint8_t, kRecordSize>& Record() const { return m_record; }

    // Entry numbers of the controls' value lists.
    std::uint8_t TxAdmit() const { return m_record[kTxAdmitByte]; }
    std::uint8_t TimeOut() const { return m_record[kTimeOutByte]; }
    std::uint8_t PreAlert() const { return m_record[kPreAlertByte]; }
    std::uint8_t ReKey() const { return m_record[kReKeyByte]; }
    std::uint8_t Reset() const { return m_record[kResetByte]; }
    std::uint8_t TxOptionalSignalling() const { return GetBits(m_record[kSignallingByte], kTxOptionalSignallingMask); }

    void SetTxAdmit(std::uint8_t value) { m_record[kTxAdmitByte] = value; }
    void SetTimeOut(std::uint8_t value) { m_record[kTimeOutByte] = value; }
    void SetPreAlert(std::uint8_t value) { m_record[kPreAlertByte] = value; }
    void SetReKey(std::uint8_t value) { m_record[kReKeyByte] = value; }
    void SetReset(std::uint8_t value) { m_record[kResetByte] = value; }
    // Bits 0-3 of byte 6 only; a value that matched no entry (0xFF) sets all four.
    void SetTxOptionalSignalling(std::uint8_t value)
    {
        m_record[kSignallingByte] = SetBits(m_record[kSignallingByte], kTxOptionalSignallingMask, value);
    }

    // The enabling rules of the RX/TX page: the timer combos need a transmit
    // admission other than 0; pre-alert, re-key and reset need the timer on.
    bool TimersAdmitted() const { return TxAdmit() != 0; }
    bool TimeOutOn() const { return TimeOut() != 0; }
    // How many entries of the full pre-alert list can be chosen: the first
    // (off) alone while the timer is off, else the first T, T being byte 2.
    std::size_t PreAlertChoices(std::size_t fullListSize) const
    {
        return std::min<std::size_t>(TimeOutOn() ? TimeOut() : 1, fullListSize);
    }

    // Item data of the signal page's system combos 2404 and 2409; memory only.
    std::uint32_t RxSystemIndex() const { return m_rxSystemIndex; }
    std::uint32_t TxSystemIndex() const { return m_txSystemIndex; }
    void SetRxSystemIndex(std::uint32_t index) { m_rxSystemIndex = index; }
    void SetTxSystemIndex(std::uint32_t index) { m_txSystemIndex = index; }

private:
    std::uint32_t m_rxSystemIndex = 0;
    std::uint32_t m_txSystemIndex = 0;
    std::array<std::uint8_t, kRecordSize> m_record = kDefaultRecord;
};

// Replaces the personalities by the table at 0x130: the first record always,
// then each following one until its byte 1 is 0xFF or 16 are read.
void LoadPersonalityTable(const Image& image, std::vector<std::unique_ptr<CPersonalityData>>& personalities);
// Writes the records one after another from 0x130 (at most 16) and sets tableStart to 0x130.
void StorePersonalityTable(Image& image, const std::vector<std::unique_ptr<CPersonalityData>>& personalities,
                           std::uint16_t& tableStart);

} // namespace qrv
