#include "radiosim_process.h"

#include <QStringList>

#include <csignal>

namespace qrv::test {

CRadioSimProcess::CRadioSimProcess(const std::vector<std::string>& options)
{
    QStringList args;
    for (const auto& o : options)
        args << QString::fromStdString(o);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(QStringLiteral(QRV_RADIOSIM_PATH), args);
    if (!m_process.waitForStarted(10000))
        return;
    while (!m_process.canReadLine())
        if (!m_process.waitForReadyRead(10000))
            return;
    m_port = m_process.readLine().trimmed().toStdString();
}

CRadioSimProcess::~CRadioSimProcess()
{
    if (m_process.state() != QProcess::NotRunning)
        Kill();
}

bool CRadioSimProcess::Stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return false;
    ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
    if (!m_process.waitForFinished(10000))
        return false;
    return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

void CRadioSimProcess::Kill()
{
    m_process.kill();
    m_process.waitForFinished(10000);
}

} // namespace qrv::test
