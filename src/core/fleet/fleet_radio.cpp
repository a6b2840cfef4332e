#include "fleet/fleet_radio.h"

#include "radio_link/radio_messages.h"
#include "util/local_time.h"
#include "util/text_format.h"

#include <algorithm>
#include <array>

namespace qrv {

namespace {

FleetOutcome OutcomeOf(const CTransferResult& result, bool verified)
{
    if (result.ok)
        return verified ? FleetOutcome::Verified : FleetOutcome::Written;
    if (result.noRadio)
        return FleetOutcome::NoRadio;
    if (result.message == kAlreadyWritten)
        return FleetOutcome::Skipped;
    if (result.message == msg::kWriteStopped)
        return FleetOutcome::Stopped;
    // Anything after the first block went out may have changed the radio.
    return result.partialNote != 0 ? FleetOutcome::Failed : FleetOutcome::Refused;
}

} // namespace

CFleetRadio::CFleetRadio(CRadioLink& link, CSettings& settings, const CDocumentIdentity& document,
                         std::uint8_t documentFlags, const Image& image, std::string port)
    : m_image(image), m_job(CTransferJob::Direction::Write, link, settings, document, documentFlags, m_image),
      m_port(std::move(port))
{
    m_job.Transfer().SetBeforeWrite([this](CRadioLink& radio) {
        std::array<std::uint8_t, kSerialNumberWidth> field{};
        // A serial number that cannot be read is no reason to refuse the radio: the log says so by its absence.
        if (radio.ReadBlock(kSerialNumberAddress, field)) {
            const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
            m_serialNumber = PrintableText(std::string(field.begin(), end));
        }
        return m_alreadyWritten && !m_serialNumber.empty() && m_alreadyWritten(m_serialNumber) ? kAlreadyWritten : 0;
    });
}

void CFleetRadio::SetVerify(bool verify)
{
    m_verify = verify;
    m_job.SetVerify(verify);
}

void CFleetRadio::SetAlreadyWritten(std::function<bool(const std::string& serial)> written)
{
    m_alreadyWritten = std::move(written);
}

CFleetRecord CFleetRadio::Run(const std::function<void(int percent)>& progress)
{
    m_serialNumber.clear();
    const CTransferResult result = m_job.Run(CPortChoice{m_port, {}}, progress);
    const CCodeplugTransfer& transfer = m_job.Transfer();
    CFleetRecord record;
    record.port = m_port;
    record.time = LocalTimeNow();
    record.modelId = transfer.Radio().modelId;
    record.modelName = transfer.Radio().modelName;
    record.serialNumber = m_serialNumber;
    if (transfer.RadioRange().upper != 0)
        record.range = MakeRangeText(transfer.RadioRange().lower, transfer.RadioRange().upper);
    record.outcome = OutcomeOf(result, m_verify);
    record.address = result.address;
    if (IsSuccess(record.outcome) || record.outcome == FleetOutcome::Failed)
        record.checksum = ImageChecksum(transfer.Sent());
    record.transfer = result;
    record.backupFolder = m_job.BackupFile().parent_path().string();
    return record;
}

} // namespace qrv
