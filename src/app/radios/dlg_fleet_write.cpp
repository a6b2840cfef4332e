#include "radios/dlg_fleet_write.h"

#include "dialogs/backup_actions.h"
#include "dialogs/dlg_port.h"
#include "presentation/caption_numbers.h"
#include "presentation/command_numbers.h"
#include "presentation/item_tables.h"
#include "program_directory.h"
#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "radios/dlg_fleet_log.h"
#include "radios/simulated_radios.h"
#include "shell/message_box.h"
#include "shell/port_selector.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <map>

namespace qrv {

namespace {

constexpr int kDeviceRole = Qt::UserRole;
constexpr int kSimulatedRole = Qt::UserRole + 1; // the simulated radio's number; 0 for a serial port
// The table: the port, its progress bar, what happens there.
constexpr int kProgressColumn = 1;
constexpr int kStatusColumn = 2;
constexpr int kColumns = 3;
constexpr int kLargestCount = 9999;
constexpr int kIndent = 24;
// Heights in lines of text: the port list scrolls beyond its own, the table has at least its own.
constexpr int kPortListLines = 9;
constexpr int kTableLines = 16;

} // namespace

CDlgFleetWrite::CDlgFleetWrite(CSettings& settings, CFleetRun::CCodeplug codeplug,
                               const std::vector<CPortInfo>& systemPorts, SimulatedRadio simulated, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_codeplug(std::move(codeplug)), m_simulated(std::move(simulated)),
      m_log(FleetLogPath())
{
    setObjectName(QStringLiteral("fleetWriteDialog"));
    setProperty("controlNumber", command::kWriteFleet); // F1 opens the command's page
    setWindowTitle(Q(CaptionOf(settings.GetText(command::kWriteFleet))));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildChoices(systemPorts));
    m_rows = new QTableWidget(0, kColumns, this);
    QStringList columns;
    for (int column = 0; column < kColumns; ++column)
        columns << Q(settings.GetItemText(caption::kFleetColumns, column));
    m_rows->setHorizontalHeaderLabels(columns);
    m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rows->setSelectionMode(QAbstractItemView::NoSelection);
    m_rows->verticalHeader()->hide();
    m_rows->horizontalHeader()->setStretchLastSection(true);
    m_rows->setMinimumHeight(fontMetrics().lineSpacing() * kTableLines);
    layout->addWidget(m_rows, 1);
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    layout->addWidget(BuildButtons());
    resize(720, 560);
    SetRunning(false);
}

CDlgFleetWrite::~CDlgFleetWrite()
{
    if (m_run) {
        disconnect(m_run.get(), nullptr, this, nullptr);
        m_run.reset(); // stops what still runs, waits for it and logs its records
    }
}

QWidget* CDlgFleetWrite::BuildChoices(const std::vector<CPortInfo>& systemPorts)
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* ports = new QGroupBox(Q(m_settings.GetText(caption::kFleetPorts)), box);
    auto* portsLayout = new QVBoxLayout(ports);
    m_ports = new QListWidget(ports);
    m_ports->setObjectName(QStringLiteral("fleetPorts"));
    m_ports->setMaximumHeight(fontMetrics().lineSpacing() * kPortListLines);
    for (const CPortInfo& port : systemPorts) {
        auto* item = new QListWidgetItem(PortLabel(m_settings, port), m_ports);
        item->setToolTip(Q(port.device));
        item->setData(kDeviceRole, Q(port.device));
        item->setData(kSimulatedRole, 0);
        item->setCheckState(port.device == m_settings.PortName ? Qt::Checked : Qt::Unchecked);
    }
    auto* simulatedRow = new QHBoxLayout;
    m_simulatedCount = new QSpinBox(ports);
    m_simulatedCount->setRange(0, CSimulatedRadios::kMaxCount);
    simulatedRow->addWidget(new QLabel(Q(m_settings.GetText(caption::kFleetSimulatedCount)), ports));
    simulatedRow->addWidget(m_simulatedCount);
    simulatedRow->addStretch(1);
    portsLayout->addWidget(m_ports);
    portsLayout->addLayout(simulatedRow);
    layout->addWidget(ports);
    connect(m_simulatedCount, &QSpinBox::valueChanged, this, &CDlgFleetWrite::ShowSimulatedRadios);
    // The simulated radio chosen as the port is the first of them.
    m_simulatedCount->setValue(m_settings.PortName == kSimulatedPortName ? 1 : 0);

    m_atOnce = new QRadioButton(Q(m_settings.GetText(caption::kFleetAtOnce)), box);
    m_oneCable = new QRadioButton(Q(m_settings.GetText(caption::kFleetOneCable)), box);
    m_atOnce->setChecked(true);
    auto* cableRow = new QHBoxLayout;
    cableRow->setContentsMargins(kIndent, 0, 0, 0);
    m_count = new QSpinBox(box);
    m_count->setRange(0, kLargestCount);
    m_rewriteSame = new QCheckBox(Q(m_settings.GetText(caption::kFleetRewriteSame)), box);
    cableRow->addWidget(new QLabel(Q(m_settings.GetText(caption::kFleetCount)), box));
    cableRow->addWidget(m_count);
    cableRow->addSpacing(kIndent);
    cableRow->addWidget(m_rewriteSame);
    cableRow->addStretch(1);
    m_verify = new QCheckBox(Q(m_settings.GetText(caption::kVerifyAfterWrite)), box);
    m_verify->setChecked(true);
    layout->addWidget(m_atOnce);
    layout->addWidget(m_oneCable);
    layout->addLayout(cableRow);
    layout->addWidget(m_verify);
    // The count and the rewrite choice are one cable's.
    connect(m_oneCable, &QRadioButton::toggled, this, [this] { SetRunning(false); });
    return box;
}

QWidget* CDlgFleetWrite::BuildButtons()
{
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](int text) {
        auto* made = new QPushButton(Q(m_settings.GetText(text)), box);
        made->setAutoDefault(false);
        return made;
    };
    m_showLog = button(caption::kFleetShowLog);
    m_saveLog = button(caption::kFleetSaveLog);
    m_start = button(caption::kFleetStart);
    m_stop = button(caption::kFleetStop);
    m_close = button(caption::kCloseButton);
    layout->addWidget(m_showLog);
    layout->addWidget(m_saveLog);
    layout->addStretch(1);
    layout->addWidget(m_start);
    layout->addWidget(m_stop);
    layout->addWidget(m_close);
    connect(m_showLog, &QPushButton::clicked, this, &CDlgFleetWrite::ShowLog);
    connect(m_saveLog, &QPushButton::clicked, this, &CDlgFleetWrite::SaveLogAs);
    connect(m_start, &QPushButton::clicked, this, &CDlgFleetWrite::Start);
    connect(m_stop, &QPushButton::clicked, this, &CDlgFleetWrite::Stop);
    connect(m_close, &QPushButton::clicked, this, &CDlgFleetWrite::reject);
    return box;
}

void CDlgFleetWrite::ShowSimulatedRadios(int count)
{
    // The checks of the radios that stay are kept; a radio added is checked.
    std::map<int, Qt::CheckState> checked;
    for (int i = m_ports->count() - 1; i >= 0; --i) {
        if (const int number = m_ports->item(i)->data(kSimulatedRole).toInt(); number != 0) {
            checked[number] = m_ports->item(i)->checkState();
            delete m_ports->takeItem(i);
        }
    }
    for (int number = 1; number <= count; ++number) {
        auto* item =
            new QListWidgetItem(Q(FormatMessageNumber(m_settings.GetMessage(kSimulatedRadioNumber), number)), m_ports);
        item->setData(kDeviceRole, Q(CSimulatedRadios::PortName(number)));
        item->setData(kSimulatedRole, number);
        item->setCheckState(checked.contains(number) ? checked[number] : Qt::Checked);
    }
}

void CDlgFleetWrite::SetRunning(bool running)
{
    for (QWidget* choice : std::initializer_list<QWidget*>{m_ports, m_simulatedCount, m_atOnce, m_oneCable, m_verify})
        choice->setEnabled(!running);
    m_count->setEnabled(!running && m_oneCable->isChecked());
    m_rewriteSame->setEnabled(!running && m_oneCable->isChecked());
    m_start->setEnabled(!running);
    m_stop->setEnabled(running);
    m_showLog->setEnabled(!running);
    m_saveLog->setEnabled(!running);
    if (running)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void CDlgFleetWrite::Start()
{
    if (m_run && m_run->Running())
        return;
    std::vector<CFleetRun::CPort> ports;
    QStringList labels;
    for (int i = 0; i < m_ports->count(); ++i) {
        const QListWidgetItem* item = m_ports->item(i);
        if (item->checkState() != Qt::Checked)
            continue;
        const int number = item->data(kSimulatedRole).toInt();
        ports.push_back({S(item->data(kDeviceRole).toString()), number != 0 ? &m_simulated(number) : nullptr});
        labels << item->text();
    }
    if (ports.empty()) {
        ShowMessage(this, m_settings, msg::kFleetNoPort);
        return;
    }
    const bool oneCable = m_oneCable->isChecked();
    if (oneCable && ports.size() != 1) {
        ShowMessage(this, m_settings, msg::kFleetOnePort);
        return;
    }
    CFleetRun::COptions options;
    options.verify = m_verify->isChecked();
    options.oneCable = oneCable;
    options.count = m_count->value();
    options.rewriteSame = m_rewriteSame->isChecked();
    options.backupFolder = DefaultBackupFolder();
    options.log = m_log;

    if (m_run)
        disconnect(m_run.get(), nullptr, this, nullptr);
    m_run = std::make_unique<CFleetRun>(m_settings, m_codeplug, ports, options);
    connect(m_run.get(), &CFleetRun::Progress, this, &CDlgFleetWrite::OnProgress);
    connect(m_run.get(), &CFleetRun::Waiting, this, &CDlgFleetWrite::OnWaiting);
    connect(m_run.get(), &CFleetRun::RadioDone, this, &CDlgFleetWrite::OnRadioDone);
    connect(m_run.get(), &CFleetRun::Finished, this, &CDlgFleetWrite::OnFinished);

    m_rows->setRowCount(static_cast<int>(labels.size()));
    m_lastOutcome.assign(ports.size(), QString());
    m_waiting.assign(ports.size(), Waiting::No);
    for (int row = 0; row < m_rows->rowCount(); ++row) {
        m_rows->setItem(row, 0, new QTableWidgetItem(labels[row]));
        auto* bar = new QProgressBar(m_rows);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false); // the status says the percent
        m_rows->setCellWidget(row, kProgressColumn, bar);
        m_rows->setItem(row, kStatusColumn, new QTableWidgetItem);
    }
    m_rows->resizeColumnToContents(0);
    m_summary->clear();
    SetRunning(true);
    m_run->Start();
}

void CDlgFleetWrite::Stop()
{
    if (!m_run || !m_run->Running())
        return;
    m_stop->setEnabled(false);
    m_run->Stop(); // Finished follows when the last worker has ended
}

void CDlgFleetWrite::reject()
{
    if (m_run && m_run->Running()) {
        if (ShowMessage(this, m_settings, msg::kFleetStopQuestion, QMessageBox::Yes | QMessageBox::No) !=
            QMessageBox::Yes)
            return;
        m_run->StopAndWait();
    }
    QDialog::reject();
}

void CDlgFleetWrite::SetStatus(int row, const QString& text, const QString& tip)
{
    if (QTableWidgetItem* item = m_rows->item(row, kStatusColumn)) {
        item->setText(text);
        item->setToolTip(tip.isEmpty() ? text : tip);
        m_rows->resizeRowToContents(row);
    }
}

void CDlgFleetWrite::OnProgress(int row, int percent)
{
    m_waiting[static_cast<std::size_t>(row)] = Waiting::No;
    if (auto* bar = qobject_cast<QProgressBar*>(m_rows->cellWidget(row, kProgressColumn)))
        bar->setValue(percent);
    SetStatus(row, Q(FormatMessageNumber(m_settings.GetText(caption::kWriteProgress), percent) + "%"));
}

void CDlgFleetWrite::OnWaiting(int row, COneCableRun::Waiting what, int done)
{
    const bool forRadio = what == COneCableRun::Waiting::ForRadio;
    m_waiting[static_cast<std::size_t>(row)] = forRadio ? Waiting::ForRadio : Waiting::ForUnplug;
    const QString waiting = Q(FormatMessageNumber(
        m_settings.GetMessage(forRadio ? msg::kFleetWaitingForRadio : msg::kFleetWaitingForUnplug), done));
    if (forRadio) {
        if (auto* bar = qobject_cast<QProgressBar*>(m_rows->cellWidget(row, kProgressColumn)))
            bar->setValue(0);
    }
    // While the radio is still plugged in, its line keeps saying how it went.
    const QString& last = m_lastOutcome[static_cast<std::size_t>(row)];
    SetStatus(row, forRadio || last.isEmpty() ? waiting : last + QString::fromUtf8(kFleetSeparator) + waiting);
}

void CDlgFleetWrite::OnRadioDone(int row, const CFleetRecord& record)
{
    const QString status = Q(FleetStatusText(record, m_settings));
    m_waiting[static_cast<std::size_t>(row)] = Waiting::No;
    m_lastOutcome[static_cast<std::size_t>(row)] = status;
    SetStatus(row, status, Q(record.reason));
    // The summary counts every outcome met so far, in their order.
    std::map<FleetOutcome, int> counts;
    for (const CFleetRecord& done : m_run->Records())
        ++counts[done.outcome];
    QStringList parts;
    for (const auto& [outcome, count] : counts)
        parts << QStringLiteral("%1 %2")
                     .arg(Q(m_settings.GetItemText(caption::kFleetOutcomes, static_cast<int>(outcome))))
                     .arg(count);
    m_summary->setText(parts.join(QString::fromUtf8(kFleetSeparator)));
}

void CDlgFleetWrite::OnFinished()
{
    // A port that was still waiting when the run was stopped; a radio still
    // plugged in keeps its outcome in the line.
    const QString stopped = Q(m_settings.GetItemText(caption::kFleetOutcomes, static_cast<int>(FleetOutcome::Stopped)));
    for (int row = 0; row < m_rows->rowCount(); ++row) {
        const auto index = static_cast<std::size_t>(row);
        if (m_waiting[index] == Waiting::ForRadio)
            SetStatus(row, stopped);
        else if (m_waiting[index] == Waiting::ForUnplug)
            SetStatus(row, m_lastOutcome[index] + QString::fromUtf8(kFleetSeparator) + stopped);
    }
    SetRunning(false);
    if (!m_run->Logged())
        ShowMessage(this, m_settings, msg::kFleetLogNotWritten, QMessageBox::Ok, Q(ToUtf8Path(m_log)));
}

void CDlgFleetWrite::ShowLog()
{
    if (const auto rows = ReadFleetLog(this, m_settings, m_log)) {
        CDlgFleetLog dialog(m_settings, *rows, this);
        dialog.exec();
    }
}

void CDlgFleetWrite::SaveLogAs()
{
    const QString path =
        QFileDialog::getSaveFileName(this, Q(CaptionOf(m_settings.GetText(caption::kFleetSaveLog))),
                                     QStringLiteral("fleet_log.csv"), Q(m_settings.GetText(caption::kCsvFilter)));
    if (!path.isEmpty())
        SaveFleetLogCopy(this, m_settings, m_log, FromUtf8Path(S(path)));
}

} // namespace qrv
