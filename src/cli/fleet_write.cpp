#include "fleet_write.h"

#include "cli_args.h"
#include "cli_context.h"
#include "fleet/fleet_radio.h"
#include "fleet/one_cable.h"
#include "program_directory.h"
#include "qt_serial_port.h"
#include "radio_data/radio_data.h"
#include "session/codeplug_session.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

namespace qrv::cli {

namespace {

// The log of every fleet run, in the user's data directory unless --log names one.
std::filesystem::path FleetLogPath(const CCliArgs& a)
{
    if (auto log = a.Value("--log"))
        return FromUtf8Path(*log);
    return qrv::FleetLogPath();
}

// One worker per radio, each a QThread: the serial port works only in a thread Qt started.
void RunInParallel(std::vector<std::function<void()>>& work)
{
    std::vector<std::unique_ptr<QThread>> workers;
    for (auto& job : work)
        workers.emplace_back(QThread::create(job));
    for (auto& worker : workers)
        worker->start();
    for (auto& worker : workers)
        worker->wait();
}

// Ctrl+C ends a fleet run the safe way: each write stops before its next block
// and its radio goes back to mode 1; no further radio is waited for.
std::atomic<bool> g_stopRequested{false};

extern "C" void RequestStop(int)
{
    g_stopRequested.store(true);
}

class CStopOnInterrupt {
public:
    CStopOnInterrupt() : m_previous(std::signal(SIGINT, RequestStop)) {}
    ~CStopOnInterrupt() { std::signal(SIGINT, m_previous); }
    CStopOnInterrupt(const CStopOnInterrupt&) = delete;
    CStopOnInterrupt& operator=(const CStopOnInterrupt&) = delete;

private:
    void (*m_previous)(int);
};

void PrintLine(const CFleetRecord& r)
{
    std::printf("%s\t%s\t%s\t%s\t%s\n", r.port.c_str(), OutcomeName(r.outcome), r.serialNumber.c_str(),
                r.checksum.c_str(), r.reason.c_str());
    std::fflush(stdout);
}

void PrintRecords(const std::vector<CFleetRecord>& records, bool json)
{
    if (!json) {
        for (const CFleetRecord& r : records)
            PrintLine(r);
        return;
    }
    QJsonArray radios;
    for (const CFleetRecord& r : records) {
        QJsonObject radio{{QStringLiteral("port"), QString::fromStdString(r.port)},
                          {QStringLiteral("result"), QString::fromLatin1(OutcomeName(r.outcome))},
                          {QStringLiteral("serial_number"), QString::fromStdString(r.serialNumber)},
                          {QStringLiteral("model_id"), QString::fromStdString(r.modelId)},
                          {QStringLiteral("range"), QString::fromStdString(r.range)},
                          {QStringLiteral("reason"), QString::fromStdString(r.reason)},
                          {QStringLiteral("checksum"), QString::fromStdString(r.checksum)}};
        if (r.outcome == FleetOutcome::Failed)
            radio.insert(QStringLiteral("address"), static_cast<qint64>(r.address));
        radios.append(radio);
    }
    const QByteArray text = QJsonDocument(QJsonObject{{QStringLiteral("radios"), radios}}).toJson();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
}

bool AppendToLog(const std::filesystem::path& log, std::span<const CFleetRecord> records)
{
    std::error_code ec;
    std::filesystem::create_directories(log.parent_path(), ec);
    if (AppendFleetLog(log, records))
        return true;
    std::fprintf(stderr, "qrvctl: the fleet log %s could not be written\n", log.string().c_str());
    return false;
}

int ExitCodeOf(const std::vector<CFleetRecord>& records, bool logged)
{
    const bool allWritten =
        std::all_of(records.begin(), records.end(), [](const CFleetRecord& r) { return HoldsTheCodeplug(r.outcome); });
    return allWritten && logged ? kExitOk : kExitFailure;
}

int WriteInParallel(const CCliArgs& a, CCliContext& context, const std::filesystem::path& backupFolder)
{
    CSettings& settings = context.Settings();
    const CDocumentIdentity& identity = context.RadioData().Identity();
    const std::uint8_t flags = context.Ranges().FlagsOf(identity.freqRange);
    const std::vector<std::string> ports = a.Values("--port");

    // Made here, on the settings' thread; the workers touch only their own link and image.
    std::vector<std::unique_ptr<CRadioLink>> links;
    std::vector<std::unique_ptr<CFleetRadio>> radios;
    for (const std::string& port : ports) {
        links.push_back(std::make_unique<CRadioLink>(std::make_unique<CQtSerialPort>()));
        radios.push_back(std::make_unique<CFleetRadio>(*links.back(), settings, identity, flags,
                                                       context.RadioData().GetImage(), port));
        radios.back()->SetVerify(!a.Flag("--no-verify"));
        radios.back()->SetBackupFolder(backupFolder);
        radios.back()->SetStopRequest(&g_stopRequested);
    }
    std::vector<CFleetRecord> records(radios.size());
    std::vector<std::function<void()>> work;
    for (std::size_t i = 0; i < radios.size(); ++i)
        work.emplace_back([&, i] { records[i] = radios[i]->Run(nullptr); });
    RunInParallel(work);

    for (CFleetRecord& record : records)
        DescribeFleetRecord(record, settings);
    PrintRecords(records, a.Flag("--json"));
    return ExitCodeOf(records, AppendToLog(FleetLogPath(a), records));
}

// One port, radios plugged in one after another. Each radio's line and log
// row go out as soon as it is done, so an interrupted run keeps what it did.
int WriteOneAfterAnother(const CCliArgs& a, CCliContext& context, const std::filesystem::path& backupFolder, int count)
{
    CSettings& settings = context.Settings();
    const CDocumentIdentity& identity = context.RadioData().Identity();
    const std::string port = a.Values("--port").front();
    CRadioLink link(std::make_unique<CQtSerialPort>());
    CFleetRadio radio(link, settings, identity, context.Ranges().FlagsOf(identity.freqRange),
                      context.RadioData().GetImage(), port);
    radio.SetVerify(!a.Flag("--no-verify"));
    radio.SetBackupFolder(backupFolder);
    COneCableRun run(radio);
    run.SetCount(count);
    run.SetRewriteSame(a.Flag("--rewrite-same"));
    run.SetStopRequest(&g_stopRequested);

    const std::filesystem::path log = FleetLogPath(a);
    const bool json = a.Flag("--json");
    bool logged = true;
    COneCableRun::CCallbacks callbacks;
    callbacks.waiting = [&](COneCableRun::Waiting what, int done) {
        const std::string total = count == 0 ? std::string() : " of " + std::to_string(count);
        if (what == COneCableRun::Waiting::ForRadio)
            std::fprintf(stderr, "qrvctl: %d%s done; waiting for the next radio on %s\n", done, total.c_str(),
                         port.c_str());
        else
            std::fprintf(stderr, "qrvctl: unplug the radio from %s\n", port.c_str());
    };
    // The settings are only read here, while the main thread waits for the worker.
    callbacks.done = [&](const CFleetRecord& done) {
        CFleetRecord record = done;
        DescribeFleetRecord(record, settings);
        if (!json)
            PrintLine(record);
        logged = AppendToLog(log, std::span(&record, 1)) && logged;
    };
    std::vector<CFleetRecord> records;
    std::vector<std::function<void()>> work{[&] { records = run.Run(callbacks); }};
    RunInParallel(work);
    if (json) {
        for (CFleetRecord& record : records)
            DescribeFleetRecord(record, settings);
        PrintRecords(records, true);
    }
    const bool allHandled = count == 0 || static_cast<int>(records.size()) == count;
    return allHandled ? ExitCodeOf(records, logged) : kExitFailure;
}

} // namespace

int WriteFleet(const CCliArgs& a, CCliContext& context, const std::filesystem::path& backupFolder,
               std::optional<int> next)
{
    g_stopRequested.store(false);
    const CStopOnInterrupt interrupt;
    if (next)
        return WriteOneAfterAnother(a, context, backupFolder, *next);
    return WriteInParallel(a, context, backupFolder);
}

} // namespace qrv::cli
