#include "fleet_write.h"

#include "cli_args.h"
#include "cli_context.h"
#include "fleet/fleet_radio.h"
#include "program_directory.h"
#include "qt_serial_port.h"
#include "radio_data/radio_data.h"
#include "session/codeplug_session.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QThread>

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
    return std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdU16String()) /
           "fleet_log.csv";
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

void PrintRecords(const std::vector<CFleetRecord>& records, bool json)
{
    if (!json) {
        for (const CFleetRecord& r : records)
            std::printf("%s\t%s\t%s\t%s\t%s\n", r.port.c_str(), OutcomeName(r.outcome), r.serialNumber.c_str(),
                        r.checksum.c_str(), r.reason.c_str());
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

} // namespace

int WriteFleet(const CCliArgs& a, CCliContext& context, const std::filesystem::path& backupFolder)
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
    }
    std::vector<CFleetRecord> records(radios.size());
    std::vector<std::function<void()>> work;
    for (std::size_t i = 0; i < radios.size(); ++i)
        work.emplace_back([&, i] { records[i] = radios[i]->Run(nullptr); });
    RunInParallel(work);

    bool allWritten = true;
    for (std::size_t i = 0; i < radios.size(); ++i) {
        radios[i]->Describe(records[i], settings);
        allWritten = allWritten && IsSuccess(records[i].outcome);
    }
    PrintRecords(records, a.Flag("--json"));
    const std::filesystem::path log = FleetLogPath(a);
    std::error_code ec;
    std::filesystem::create_directories(log.parent_path(), ec);
    if (!AppendFleetLog(log, records)) {
        std::fprintf(stderr, "qrvctl: the fleet log %s could not be written\n", log.string().c_str());
        return kExitFailure;
    }
    return allWritten ? kExitOk : kExitFailure;
}

} // namespace qrv::cli
