#pragma once
// One Read from Radio or Write to Radio as its worker thread runs it:
// connect, identify and check, a write's backup before its blocks, the
// blocks and the read-back, a read's backup after them, and the port closed
// whatever happened. The session makes it on the window's thread, where it
// copies what it needs of the document; the worker touches nothing else,
// and the session takes the outcome on the window's thread again.
#include "radio_link/codeplug_transfer.h"

#include <filesystem>
#include <functional>
#include <string>

namespace qrv {

class CTransferJob {
public:
    using Direction = CCodeplugTransfer::Direction;

    // writeImage: the image a write sends (the document's, already prepared);
    // a read fills a buffer of the job's own.
    CTransferJob(Direction direction, CRadioLink& link, CSettings& settings, const CDocumentIdentity& document,
                 std::uint8_t documentFlags, Image& writeImage);

    // Where the image read or about to be written is kept; empty keeps none.
    void SetBackupFolder(std::filesystem::path folder) { m_backupFolder = std::move(folder); }
    // After a write, read back what was sent and compare (on unless turned off).
    void SetVerify(bool verify) { m_transfer.SetVerify(verify); }

    // The worker's part; progress receives the percent values.
    CTransferResult Run(const CPortChoice& ports, const std::function<void(int percent)>& progress);

    Direction GetDirection() const { return m_direction; }
    CCodeplugTransfer& Transfer() { return m_transfer; }
    const CCodeplugTransfer& Transfer() const { return m_transfer; }
    CRadioLink& Link() const { return m_link; }
    // A read: the radio's bytes as they came.
    const Image& ReadImage() const { return m_buffer; }
    // The backup kept; empty when none was (BackupError says why, when one was wanted).
    const std::filesystem::path& BackupFile() const { return m_backupFile; }
    const std::string& BackupError() const { return m_backupError; }

private:
    void KeepBackup(const Image& image);

    Direction m_direction;
    CRadioLink& m_link;
    std::uint8_t m_documentFlags = 0;
    Image m_buffer{};
    CCodeplugTransfer m_transfer;
    std::filesystem::path m_backupFolder;
    std::filesystem::path m_backupFile;
    std::string m_backupError;
};

} // namespace qrv
