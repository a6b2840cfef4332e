#include "dialogs/dlg_transfer.h"

#include "dialogs/backup_actions.h"
#include "presentation/caption_numbers.h"
#include "presentation/command_numbers.h"
#include "presentation/item_tables.h"
#include "program_directory.h"
#include "radio_data/messages.h"
#include "radio_data/model_catalog.h"
#include "radio_data/settings.h"
#include "radio_link/radio_messages.h"
#include "radio_link/transfer_message.h"
#include "session/codeplug_session.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace qrv {

namespace {

constexpr int kForm = 1601;
constexpr int kReadCaption = caption::kReadFromRadio;
constexpr int kWriteCaption = caption::kWriteToRadio;
constexpr int kReadProgressText = 1604;
constexpr int kWriteProgressText = caption::kWriteProgress;
constexpr int kTextControl = 1603;
constexpr int kBarControl = 1611;
constexpr int kVerifyText = caption::kVerifyAfterWrite;
constexpr int kBackupFailed = 1263;

} // namespace

CDlgTransfer::CDlgTransfer(Direction direction, std::unique_ptr<CRadioLink> link, CSettings& settings,
                           CCodeplugSession& session, CPortChoice ports, QWidget* parent)
    : QDialog(parent), m_direction(direction), m_link(std::move(link)), m_settings(settings), m_session(session),
      m_ports(std::move(ports)), m_job(session.MakeTransferJob(direction, *m_link))
{
    setObjectName(QStringLiteral("transferDialog"));
    setProperty("controlNumber", kForm);
    setWindowTitle(Q(settings.GetText(direction == Direction::Read ? kReadCaption : kWriteCaption)));
    auto* layout = new QVBoxLayout(this);
    m_text = new QLabel(Q(settings.GetText(kTextControl)), this); // "Connect the radio and click OK to start."
    m_text->setProperty("controlNumber", kTextControl);
    m_bar = new QProgressBar(this);
    m_bar->setProperty("controlNumber", kBarControl);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    auto* buttons = new QHBoxLayout;
    m_ok = new QPushButton(Q(settings.GetText(1)), this);
    m_cancel = new QPushButton(Q(settings.GetText(2)), this);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    if (direction == Direction::Write) {
        m_verify = new QCheckBox(Q(settings.GetText(kVerifyText)), this);
        m_verify->setObjectName(QStringLiteral("verifyAfterWrite"));
        m_verify->setChecked(true);
        layout->addWidget(m_verify);
    }
    layout->addLayout(buttons);
    m_job->SetBackupFolder(DefaultBackupFolder());
    setMinimumWidth(360);
    connect(m_ok, &QPushButton::clicked, this, &CDlgTransfer::Start);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &CDlgTransfer::Progress, this, &CDlgTransfer::OnProgress, Qt::QueuedConnection);
    connect(this, &CDlgTransfer::Finished, this, &CDlgTransfer::OnFinished, Qt::QueuedConnection);
}

void CDlgTransfer::SetCompareOnly()
{
    m_compareOnly = true;
    setProperty("controlNumber", command::kCompare);
    setWindowTitle(Q(CaptionOf(m_settings.GetText(command::kCompare))));
    m_job->SetBackupFolder({});
}

CDlgTransfer::~CDlgTransfer()
{
    if (m_worker)
        m_worker->wait();
}

int CDlgTransfer::Percent() const
{
    return m_bar->value();
}

void CDlgTransfer::Start()
{
    if (m_worker)
        return;
    m_ok->setEnabled(false);
    m_cancel->setEnabled(false);
    setCursor(Qt::WaitCursor);
    if (m_verify) {
        m_job->SetVerify(m_verify->isChecked());
        m_verify->setEnabled(false);
    }
    // The job took what it needs of the document when it was made; the
    // worker touches nothing else.
    // A QThread: the serial port's notifiers work only in a thread Qt started.
    m_worker.reset(QThread::create([this] {
        m_result = m_job->Run(m_ports, [this](int percent) { emit Progress(percent); });
        emit Finished();
    }));
    m_worker->start();
}

void CDlgTransfer::OnProgress(int percent)
{
    const int text = m_direction == Direction::Read ? kReadProgressText : kWriteProgressText;
    m_text->setText(Q(FormatMessageNumber(m_settings.GetText(text), percent) + "%"));
    m_bar->setValue(percent);
}

void CDlgTransfer::OnFinished()
{
    m_worker->wait();
    m_worker.reset();
    unsetCursor();
    const CTransferResult& r = m_result;
    if (r.noRadio) {
        // Nothing answered: the dialog stays open for another try.
        if (!m_link->LastPortError().empty())
            ShowText(this, m_settings, Q(m_link->LastPortError()), QMessageBox::Ok, QMessageBox::Critical);
        ShowMessage(this, m_settings, r.message);
        m_ok->setEnabled(true);
        m_cancel->setEnabled(true);
        if (m_verify)
            m_verify->setEnabled(true);
        return;
    }
    // A backup that could not be kept does not stop the transfer, but the user hears of it.
    if (!m_job->BackupError().empty())
        ShowMessage(this, m_settings, kBackupFailed, QMessageBox::Ok, Q(m_job->BackupError()));
    const std::filesystem::path& backup = m_job->BackupFile();
    const std::string backupFolder = backup.empty() ? std::string() : ToUtf8Path(backup.parent_path());
    // A comparison that read the radio has its own way of saying so.
    if (!m_compareOnly || !r.ok)
        ShowMessageText(this, m_settings, r.message, TransferMessageText(m_settings, r, backupFolder));
    if (!m_compareOnly)
        m_session.FinishTransfer(*m_job, r, AskNewRange(this, m_settings), m_beforeLoad);
    if (r.ok)
        accept();
    else
        reject();
}

} // namespace qrv
