#pragma once
// One radio of a fleet write: the whole Write to Radio over the radio's own
// link (identity, range, backup, blocks, stamp, tune switch, read-back), its
// serial number read from the radio before anything is sent, and the outcome
// recorded. Made on the settings' thread; Run on any thread, as often as
// radios come (one cable, one radio after another), touching nothing but its
// link and its own copy of the image.
#include "fleet/fleet_record.h"
#include "records/radio_info_data.h"
#include "session/transfer_job.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>

namespace qrv {

class CSettings;

// Refuses a radio already written in this run (S01: "%s" its serial number).
inline constexpr int kAlreadyWritten = 1344;

class CFleetRadio {
public:
    // The radio's serial number in its memory: the radio information block's field.
    static constexpr std::uint32_t kSerialNumberAddress =
        CRadioInfoData::kImageOffset + CRadioInfoData::kSerialNumberOffset;
    static constexpr std::uint16_t kSerialNumberWidth = CRadioInfoData::kSerialNumberWidth;

    CFleetRadio(CRadioLink& link, CSettings& settings, const CDocumentIdentity& document, std::uint8_t documentFlags,
                const Image& image, std::string port);

    void SetVerify(bool verify);
    void SetBackupFolder(std::filesystem::path folder) { m_job.SetBackupFolder(std::move(folder)); }
    // Whether a serial number was written already in this run (on the worker's thread).
    void SetAlreadyWritten(std::function<bool(const std::string& serial)> written);
    // Set from another thread: the write ends before its next block.
    void SetStopRequest(const std::atomic<bool>* stop) { m_job.Transfer().SetStopRequest(stop); }

    CFleetRecord Run(const std::function<void(int percent)>& progress);
    const std::string& Port() const { return m_port; }
    CRadioLink& Link() const { return m_job.Link(); }

private:
    Image m_image;
    CTransferJob m_job;
    std::string m_port;
    bool m_verify = true;
    std::string m_serialNumber;
    std::function<bool(const std::string&)> m_alreadyWritten;
};

} // namespace qrv
