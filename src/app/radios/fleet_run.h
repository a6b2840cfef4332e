#pragma once
// A fleet write as the window runs it: one worker thread per port (a
// QThread, as the serial port works only in a thread Qt started), each
// writing its radio with CFleetRadio, or on one cable radio after radio with
// COneCableRun. Progress and the waiting reach the window's thread through
// queued calls; each radio's record is described there, appended to the
// log and handed on. Stop asks every write to end before its next block;
// nothing outlives the run: its end waits for every worker.
#include "fleet/fleet_radio.h"
#include "fleet/one_cable.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qrv {

namespace sim {
class CSimRadio;
}

class CFleetRun : public QObject {
    Q_OBJECT
public:
    struct CPort {
        std::string device;                  // the name the link opens and the log shows
        sim::CSimRadio* simulated = nullptr; // the radio of the program that answers to that name
    };
    struct COptions {
        bool verify = true;
        bool oneCable = false; // one port, radios one after another
        int count = 0;         // one cable: how many radios, 0 until stopped
        bool rewriteSame = false;
        std::filesystem::path backupFolder;
        std::filesystem::path log;
    };
    // What the codeplug is and what goes to every radio, taken on the window's thread.
    struct CCodeplug {
        CDocumentIdentity identity;
        std::uint8_t flags = 0;
        Image image{};
    };

    CFleetRun(CSettings& settings, const CCodeplug& codeplug, const std::vector<CPort>& ports, COptions options,
              QObject* parent = nullptr);
    // Stops what still runs and waits for it.
    ~CFleetRun() override;
    CFleetRun(const CFleetRun&) = delete;
    CFleetRun& operator=(const CFleetRun&) = delete;

    void Start();
    // Every write ends before its next block and its radio returns to mode 1;
    // no further radio is waited for. Finished follows once all have ended.
    void Stop() { m_stop.store(true); }
    // Stops and blocks until every worker has ended; then the records left
    // are taken and Finished is emitted (once).
    void StopAndWait();
    bool Running() const;
    const std::vector<CFleetRecord>& Records() const { return m_records; }
    // Whether every record reached the log.
    bool Logged() const { return m_logged; }

signals:
    void Progress(int row, int percent);
    void Waiting(int row, qrv::COneCableRun::Waiting what, int done);
    // On the window's thread, described and logged.
    void RadioDone(int row, const qrv::CFleetRecord& record);
    void Finished();

private:
    // On a worker's thread.
    void Arrived(int row, const CFleetRecord& record);
    // On the window's thread.
    void TakeArrived();
    void WorkerEnded();
    void RunOneCable();

    CSettings& m_settings;
    COptions m_options;
    std::atomic<bool> m_stop{false};
    std::vector<std::unique_ptr<CRadioLink>> m_links;
    std::vector<std::unique_ptr<CFleetRadio>> m_radios;
    std::unique_ptr<COneCableRun> m_oneCable;
    std::vector<std::unique_ptr<QThread>> m_workers;
    std::mutex m_arrivedMutex;
    std::vector<std::pair<int, CFleetRecord>> m_arrived;
    std::vector<CFleetRecord> m_records;
    bool m_logged = true;
    bool m_finished = false;
};

} // namespace qrv
