#include "session/transfer_job.h"

#include "radio_data/backup_folder.h"
#include "radio_data/data_file.h"
#include "util/local_time.h"

namespace qrv {

CTransferJob::CTransferJob(Direction direction, CRadioLink& link, CSettings& settings,
                           const CDocumentIdentity& document, std::uint8_t documentFlags, Image& writeImage)
    : m_direction(direction), m_link(link), m_documentFlags(documentFlags),
      m_transfer(direction, link, settings, document, direction == Direction::Read ? m_buffer : writeImage)
{
}

CTransferResult CTransferJob::Run(const CPortChoice& ports, const std::function<void(int percent)>& progress)
{
    m_backupFile.clear();
    m_backupError.clear();
    CTransferResult result = m_transfer.Prepare(ports, LocalTimeNow());
    // A write keeps what it is about to send before the radio changes.
    if (result.ok && m_direction == Direction::Write)
        KeepBackup(m_transfer.Sent());
    if (result.ok)
        result = m_transfer.Run(progress);
    if (result.ok && m_direction == Direction::Read)
        KeepBackup(m_buffer);
    m_link.Close();
    return result;
}

void CTransferJob::KeepBackup(const Image& image)
{
    if (m_backupFolder.empty())
        return;
    // A read keeps the radio's own range flags; a write the document's.
    const std::uint8_t flags = m_direction == Direction::Read ? m_transfer.RadioRange().flags : m_documentFlags;
    const auto direction = m_direction == Direction::Read ? BackupDirection::Read : BackupDirection::Write;
    const auto saved =
        CBackupFolder(m_backupFolder)
            .Save(FillHeader(m_transfer.BackupIdentity(), flags), image, direction, LocalTimeNow(), m_backupError);
    if (saved)
        m_backupFile = *saved;
}

} // namespace qrv
