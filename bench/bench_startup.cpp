// Start-up of the windowed program: from launching the process to its first
// window (the splash) on the screen, and the program's peak memory with the
// default codeplug loaded. Runs under the offscreen platform.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kRuns = 10;
    std::vector<qint64> times;
    for (int i = 0; i < kRuns; ++i) {
        QProcess qrv;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        qrv.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        qrv.start(QStringLiteral(QRV_PATH), {QStringLiteral("--exit-after-start")});
        while (!qrv.canReadLine())
            if (!qrv.waitForReadyRead(10000)) {
                std::fprintf(stderr, "qrv did not start\n");
                return 1;
            }
        times.push_back(timer.elapsed());
        qrv.waitForFinished(10000);
    }
    std::sort(times.begin(), times.end());
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    std::printf("start-up to the first window: median %lld ms, best %lld ms, worst %lld ms (%d runs)\n",
                static_cast<long long>(times[times.size() / 2]), static_cast<long long>(times.front()),
                static_cast<long long>(times.back()), kRuns);
    std::printf("peak memory of the program with the default codeplug: %.1f MB\n", children.ru_maxrss / 1024.0);
    return 0;
}
