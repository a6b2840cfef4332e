#include "radios/fleet_run.h"

#include "shell/port_selector.h"

namespace qrv {

CFleetRun::CFleetRun(CSettings& settings, const CCodeplug& codeplug, const std::vector<CPort>& ports, COptions options,
                     QObject* parent)
    : QObject(parent), m_settings(settings), m_options(std::move(options))
{
    // Made here, on the settings' thread; the workers touch only their own link and image.
    for (const CPort& port : ports) {
        m_links.push_back(std::make_unique<CRadioLink>(std::make_unique<CPortSelector>(port.simulated, port.device)));
        auto radio = std::make_unique<CFleetRadio>(*m_links.back(), settings, codeplug.identity, codeplug.flags,
                                                   codeplug.image, port.device);
        radio->SetVerify(m_options.verify);
        radio->SetBackupFolder(m_options.backupFolder);
        radio->SetStopRequest(&m_stop);
        m_radios.push_back(std::move(radio));
    }
    if (m_options.oneCable && !m_radios.empty()) {
        m_oneCable = std::make_unique<COneCableRun>(*m_radios.front());
        m_oneCable->SetCount(m_options.count);
        m_oneCable->SetRewriteSame(m_options.rewriteSame);
        m_oneCable->SetStopRequest(&m_stop);
    }
}

CFleetRun::~CFleetRun()
{
    m_stop.store(true);
    for (const auto& worker : m_workers)
        worker->wait();
    // The last records still reach the log; nobody is told any more.
    blockSignals(true);
    TakeArrived();
}

void CFleetRun::Start()
{
    if (!m_workers.empty())
        return;
    std::error_code ec;
    std::filesystem::create_directories(m_options.log.parent_path(), ec);
    if (m_oneCable) {
        m_workers.emplace_back(QThread::create([this] { RunOneCable(); }));
    } else {
        for (std::size_t i = 0; i < m_radios.size(); ++i) {
            const int row = static_cast<int>(i);
            m_workers.emplace_back(QThread::create([this, row] {
                Arrived(row, m_radios[static_cast<std::size_t>(row)]->Run([this, row](int percent) {
                    QMetaObject::invokeMethod(
                        this, [this, row, percent] { emit Progress(row, percent); }, Qt::QueuedConnection);
                }));
            }));
        }
    }
    for (const auto& worker : m_workers) {
        connect(worker.get(), &QThread::finished, this, &CFleetRun::WorkerEnded);
        worker->start();
    }
}

void CFleetRun::RunOneCable()
{
    COneCableRun::CCallbacks callbacks;
    callbacks.progress = [this](int percent) {
        QMetaObject::invokeMethod(
            this, [this, percent] { emit Progress(0, percent); }, Qt::QueuedConnection);
    };
    callbacks.waiting = [this](COneCableRun::Waiting what, int done) {
        QMetaObject::invokeMethod(
            this, [this, what, done] { emit Waiting(0, what, done); }, Qt::QueuedConnection);
    };
    callbacks.done = [this](const CFleetRecord& record) { Arrived(0, record); };
    m_oneCable->Run(callbacks);
}

void CFleetRun::Arrived(int row, const CFleetRecord& record)
{
    {
        const std::lock_guard lock(m_arrivedMutex);
        m_arrived.emplace_back(row, record);
    }
    QMetaObject::invokeMethod(this, &CFleetRun::TakeArrived, Qt::QueuedConnection);
}

void CFleetRun::TakeArrived()
{
    std::vector<std::pair<int, CFleetRecord>> arrived;
    {
        const std::lock_guard lock(m_arrivedMutex);
        arrived.swap(m_arrived);
    }
    for (auto& [row, record] : arrived) {
        DescribeFleetRecord(record, m_settings);
        // Each radio is logged as it is done, so a run that ends badly keeps what it did.
        m_logged = AppendFleetLog(m_options.log, std::span(&record, 1)) && m_logged;
        m_records.push_back(record);
        emit RadioDone(row, m_records.back());
    }
}

bool CFleetRun::Running() const
{
    for (const auto& worker : m_workers)
        if (!worker->isFinished())
            return true;
    return false;
}

void CFleetRun::WorkerEnded()
{
    if (m_finished || m_workers.empty() || Running())
        return;
    m_finished = true;
    TakeArrived();
    emit Finished();
}

void CFleetRun::StopAndWait()
{
    m_stop.store(true);
    for (const auto& worker : m_workers)
        worker->wait();
    WorkerEnded();
}

} // namespace qrv
