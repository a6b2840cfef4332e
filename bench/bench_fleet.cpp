// A fleet write through qrv-radiosim --wire-timing: one radio alone, then
// four radios on four pseudo-terminals at once. Prints each wall time, the
// ratio of four to one (the target is at most 1.15) and this process's CPU
// time per radio as a share of the wall time (the target is under 5 %).
#include "bench_program_dir.h"
#include "fleet/fleet_radio.h"
#include "qt_serial_port.h"
#include "radio_data/settings.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace qrv;

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct CRun {
    double wall = 0;
    double cpu = 0;
    bool ok = true;
};

CRun WriteAll(const std::vector<std::string>& ports, CSettings& settings, const CDocumentIdentity& document,
              const Image& image)
{
    std::vector<std::unique_ptr<CRadioLink>> links;
    std::vector<std::unique_ptr<CFleetRadio>> radios;
    for (const std::string& port : ports) {
        links.push_back(std::make_unique<CRadioLink>(std::make_unique<CQtSerialPort>()));
        radios.push_back(std::make_unique<CFleetRadio>(*links.back(), settings, document, 1, image, port));
    }
    std::vector<CFleetRecord> records(radios.size());
    std::vector<std::unique_ptr<QThread>> workers;
    const double cpu0 = CpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < radios.size(); ++i)
        workers.emplace_back(QThread::create([&, i] { records[i] = radios[i]->Run(nullptr); }));
    for (auto& worker : workers)
        worker->start();
    for (auto& worker : workers)
        worker->wait();
    CRun run;
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    run.cpu = CpuSeconds() - cpu0;
    for (const CFleetRecord& record : records)
        run.ok = run.ok && record.outcome == FleetOutcome::Verified;
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kRadios = 4;
    std::vector<std::unique_ptr<QProcess>> sims;
    std::vector<std::string> ports;
    for (int i = 0; i < kRadios; ++i) {
        sims.push_back(std::make_unique<QProcess>());
        sims.back()->start(QStringLiteral(QRV_RADIOSIM_PATH), {QStringLiteral("--wire-timing")});
        if (!sims.back()->waitForStarted() || !sims.back()->waitForReadyRead(10000)) {
            std::fprintf(stderr, "qrv-radiosim did not start\n");
            return 1;
        }
        ports.push_back(sims.back()->readLine().trimmed().toStdString());
    }
    bench::CBenchProgramDir program("qrv-bench-fleet");
    CSettings& settings = program.Settings();
    const CDocumentIdentity document{"QL210", "QL-210", "400-470", 0, CSettings::kProgramVersion};
    Image image{};
    image.fill(0xFF);

    const CRun one = WriteAll({ports.front()}, settings, document, image);
    const CRun four = WriteAll(ports, settings, document, image);
    std::printf("one radio: wall %.3f s, CPU %.3f s = %.2f%% of wall%s\n", one.wall, one.cpu,
                100.0 * one.cpu / one.wall, one.ok ? "" : " (FAILED)");
    std::printf("%d radios: wall %.3f s = %.3f x one radio, CPU %.3f s = %.2f%% of wall per radio%s\n", kRadios,
                four.wall, four.wall / one.wall, four.cpu, 100.0 * four.cpu / kRadios / four.wall,
                four.ok ? "" : " (FAILED)");
    for (auto& sim : sims) {
        sim->terminate();
        sim->waitForFinished();
    }
    return one.ok && four.ok ? 0 : 1;
}
