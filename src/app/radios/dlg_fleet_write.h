#pragma once
// Program > Write to Several Radios: the current codeplug, after the data
// checks of Write to Radio, into every radio on the ports checked at once,
// or on one cable into radio after radio. The ports are the system's serial
// ports and the simulated radios of the program, as many as the user starts.
// Each port has a row: its name, a progress bar and what happens there.
// Stop ends every write before its next block; closing while radios are
// being written asks first, and never leaves a worker running.
#include "port_list.h"
#include "radios/fleet_run.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace qrv {

class CSettings;

class CDlgFleetWrite : public QDialog {
    Q_OBJECT
public:
    // simulated(n): the program's simulated radio number n (1 to CSimulatedRadios::kMaxCount).
    using SimulatedRadio = std::function<sim::CSimRadio&(int number)>;

    CDlgFleetWrite(CSettings& settings, CFleetRun::CCodeplug codeplug, const std::vector<CPortInfo>& systemPorts,
                   SimulatedRadio simulated, QWidget* parent = nullptr);
    ~CDlgFleetWrite() override;

    // The log the runs append to (the user's fleet log at first).
    void SetLogPath(std::filesystem::path log) { m_log = std::move(log); }

    void Start();
    void Stop();
    // Close or Escape: while radios are being written, only after the user agreed to stop them.
    void reject() override;

    QListWidget* PortList() const { return m_ports; }
    QSpinBox* SimulatedCount() const { return m_simulatedCount; }
    QRadioButton* OneCableButton() const { return m_oneCable; }
    QSpinBox* CountBox() const { return m_count; }
    QPushButton* StartButton() const { return m_start; }
    QPushButton* StopButton() const { return m_stop; }
    QTableWidget* Rows() const { return m_rows; }
    QLabel* Summary() const { return m_summary; }
    // The run under way or last made; nullptr before the first Start.
    CFleetRun* Run() const { return m_run.get(); }

private:
    QWidget* BuildChoices(const std::vector<CPortInfo>& systemPorts);
    QWidget* BuildButtons();
    void ShowSimulatedRadios(int count);
    void SetRunning(bool running);
    void SetStatus(int row, const QString& text, const QString& tip = {});
    void OnProgress(int row, int percent);
    void OnWaiting(int row, COneCableRun::Waiting what, int done);
    void OnRadioDone(int row, const CFleetRecord& record);
    void OnFinished();
    void ShowLog();
    void SaveLogAs();

    CSettings& m_settings;
    CFleetRun::CCodeplug m_codeplug;
    SimulatedRadio m_simulated;
    std::filesystem::path m_log;
    std::unique_ptr<CFleetRun> m_run;
    std::vector<QString> m_lastOutcome; // of each row, for the line that asks for the next radio
    enum class Waiting { No, ForRadio, ForUnplug };
    std::vector<Waiting> m_waiting; // what each row's port waits for
    QListWidget* m_ports = nullptr;
    QSpinBox* m_simulatedCount = nullptr;
    QRadioButton* m_atOnce = nullptr;
    QRadioButton* m_oneCable = nullptr;
    QSpinBox* m_count = nullptr;
    QCheckBox* m_rewriteSame = nullptr;
    QCheckBox* m_verify = nullptr;
    QTableWidget* m_rows = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_showLog = nullptr;
    QPushButton* m_saveLog = nullptr;
};

} // namespace qrv
