#pragma once
// Read from Radio and Write to Radio: a progress text and bar, OK to start
// and Cancel before it starts. The whole transfer runs on one worker thread
// (the port is opened, used and closed there); progress and the end arrive
// through queued signals, and the buttons stay disabled while it runs.
#include "session/transfer_job.h"

#include <QDialog>
#include <QThread>

#include <filesystem>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace qrv {

class CCodeplugSession;
class CSettings;

class CDlgTransfer : public QDialog {
    Q_OBJECT
public:
    using Direction = CCodeplugTransfer::Direction;

    // link: the connection of this transfer (closed when the dialog goes).
    // A write sends the session's image as it stands (after PrepareImage).
    CDlgTransfer(Direction direction, std::unique_ptr<CRadioLink> link, CSettings& settings, CCodeplugSession& session,
                 CPortChoice ports, QWidget* parent = nullptr);
    ~CDlgTransfer() override;

    // What OK does; the result arrives with Finished.
    void Start();
    // Called on the window's thread just before a read replaces the codeplug
    // (the main window closes the windows that show the old one).
    void SetBeforeLoad(std::function<void()> beforeLoad) { m_beforeLoad = std::move(beforeLoad); }
    // Compare with Radio: a read that leaves the codeplug, the settings and
    // the backups as they are and says nothing when it succeeds; the caller
    // takes the radio's image and range from the job.
    void SetCompareOnly();
    const CTransferJob& Job() const { return *m_job; }
    const CTransferResult& Result() const { return m_result; }
    QPushButton* OkButton() const { return m_ok; }
    // Write only: "Verify after write", checked at first.
    QCheckBox* VerifyBox() const { return m_verify; }
    // Where the image read or about to be written is kept (the user's backup
    // folder at first); an empty path keeps none.
    void SetBackupFolder(std::filesystem::path folder) { m_job->SetBackupFolder(std::move(folder)); }
    // The backup this transfer made; empty when none.
    const std::filesystem::path& BackupFile() const { return m_job->BackupFile(); }
    int Percent() const;

signals:
    void Progress(int percent);
    void Finished();

private:
    void OnProgress(int percent);
    void OnFinished();

    Direction m_direction;
    std::unique_ptr<CRadioLink> m_link;
    CSettings& m_settings;
    CCodeplugSession& m_session;
    CPortChoice m_ports;
    std::unique_ptr<CTransferJob> m_job;
    CTransferResult m_result;
    std::function<void()> m_beforeLoad;
    bool m_compareOnly = false;
    std::unique_ptr<QThread> m_worker;
    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QCheckBox* m_verify = nullptr;
};

} // namespace qrv
