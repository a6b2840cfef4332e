// A whole codeplug read and write through qrv-radiosim --wire-timing on a
// pseudo-terminal, against the floor the protocol sets: the wire time of
// every frame at 9600 baud 8N2 plus the pauses it requires. Prints the wall
// time, the floor and the CPU time this process used.
#include "bench_program_dir.h"
#include "qt_serial_port.h"
#include "radio_data/settings.h"
#include "radio_link/codeplug_transfer.h"
#include "radio_link/radio_link.h"

#include <QCoreApplication>
#include <QProcess>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

using namespace qrv;

constexpr double kSecondsPerByte = 11.0 / 9600.0; // start bit, 8 data bits, 2 stop bits

// Counts what crosses the line, to know the floor of the run just made.
class CCountingPort : public CBytePort {
public:
    explicit CCountingPort(std::unique_ptr<CBytePort> inner) : m_inner(std::move(inner)) {}
    bool Open(const std::string& name) override { return m_inner->Open(name); }
    bool Close() override { return m_inner->Close(); }
    bool IsOpen() const override { return m_inner->IsOpen(); }
    bool Configure(const CLineSettings& s) override { return m_inner->Configure(s); }
    std::size_t Write(std::span<const std::uint8_t> bytes) override
    {
        bytesOut += bytes.size();
        ++requests;
        if (bytes.size() > 2 && bytes[1] == 'E' && bytes[2] == 'a')
            ++blockWrites;
        return m_inner->Write(bytes);
    }
    CPortStatus WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout) override
    {
        return m_inner->WaitForBytes(wanted, timeout);
    }
    std::size_t ReadQueued(std::span<std::uint8_t> buffer) override
    {
        const std::size_t n = m_inner->ReadQueued(buffer);
        bytesIn += n;
        return n;
    }
    void DiscardInput() override { m_inner->DiscardInput(); }

    std::size_t bytesOut = 0;
    std::size_t bytesIn = 0;
    std::size_t requests = 0;
    std::size_t blockWrites = 0;

private:
    std::unique_ptr<CBytePort> m_inner;
};

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool Transfer(CCodeplugTransfer::Direction direction, const std::string& port, CSettings& settings,
              const CDocumentIdentity& document, Image& image)
{
    auto counting = std::make_unique<CCountingPort>(std::make_unique<CQtSerialPort>());
    CCountingPort* counter = counting.get();
    CRadioLink link(std::move(counting));
    CCodeplugTransfer transfer(direction, link, settings, document, image);
    const double cpu0 = CpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    std::tm now{};
    now.tm_year = 126;
    now.tm_mday = 1;
    CTransferResult result = transfer.Prepare({port, {}}, now);
    if (result.ok)
        result = transfer.Run(nullptr);
    link.Close();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = CpuSeconds() - cpu0;
    const CLinkTiming timing;
    const double wire = static_cast<double>(counter->bytesOut + counter->bytesIn) * kSecondsPerByte;
    const auto seconds = [](std::chrono::milliseconds ms) { return std::chrono::duration<double>(ms).count(); };
    const double pauses = static_cast<double>(counter->requests) * seconds(timing.exchangePause) +
                          static_cast<double>(counter->blockWrites) * seconds(timing.writePause) +
                          seconds(timing.openPause);
    const double floor = wire + pauses;
    std::printf("%-6s %s: %zu frames, %zu bytes out, %zu in; wall %.3f s, floor %.3f s (wire %.3f + pauses %.3f), "
                "wall/floor %.3f, CPU %.3f s = %.2f%% of wall\n",
                direction == CCodeplugTransfer::Direction::Read ? "read" : "write", result.ok ? "ok" : "FAILED",
                counter->requests, counter->bytesOut, counter->bytesIn, wall, floor, wire, pauses, wall / floor, cpu,
                100.0 * cpu / wall);
    return result.ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QProcess sim;
    sim.start(QStringLiteral(QRV_RADIOSIM_PATH), {QStringLiteral("--wire-timing")});
    if (!sim.waitForStarted() || !sim.waitForReadyRead(10000)) {
        std::fprintf(stderr, "qrv-radiosim did not start\n");
        return 1;
    }
    const std::string port = sim.readLine().trimmed().toStdString();
    bench::CBenchProgramDir program("qrv-bench-transfer");
    CSettings& settings = program.Settings();
    const CDocumentIdentity document{"QL210", "QL-210", "400-470", 0, CSettings::kProgramVersion};
    Image image{};
    const bool read = Transfer(CCodeplugTransfer::Direction::Read, port, settings, document, image);
    const bool written = Transfer(CCodeplugTransfer::Direction::Write, port, settings, document, image);
    sim.terminate();
    sim.waitForFinished();
    return read && written ? 0 : 1;
}
