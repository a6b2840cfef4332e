#include "qt_serial_port.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QString>

#include <string_view>

#if defined(Q_OS_UNIX)
#include <grp.h>
#include <sys/stat.h>
#endif

namespace qrv {

namespace {

QSerialPort::StopBits StopBitsOf(std::uint8_t code)
{
    switch (code) {
    case 1:
        return QSerialPort::OneAndHalfStop;
    case 2:
        return QSerialPort::TwoStop;
    default:
        return QSerialPort::OneStop;
    }
}

QSerialPort::Parity ParityOf(std::uint8_t code)
{
    switch (code) {
    case 1:
        return QSerialPort::OddParity;
    case 2:
        return QSerialPort::EvenParity;
    case 3:
        return QSerialPort::MarkParity;
    case 4:
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

} // namespace

std::string JoinableGroup(const std::string& device)
{
#if defined(Q_OS_UNIX)
    struct stat info {};
    if (::stat(device.c_str(), &info) == 0)
        if (const group* g = ::getgrgid(info.st_gid); g != nullptr && g->gr_name != nullptr)
            return std::string_view(g->gr_name) == "root" ? std::string() : std::string(g->gr_name);
#else
    (void)device;
#endif
    return {};
}

std::string DescribeOpenFailure(const std::string& device, int qtError, const std::string& qtText)
{
    if (qtError == QSerialPort::PermissionError) {
        const std::string group = JoinableGroup(device);
#if defined(Q_OS_UNIX)
        if (!group.empty())
            return "You may not open " + device + ": it belongs to the group '" + group +
                   "'. Join it (sudo usermod -aG " + group +
                   " $USER), then log out and in again. It may also be "
                   "in use by another program.";
#endif
        return "You may not open " + device + ", or another program is using it.";
    }
    if (qtError == QSerialPort::DeviceNotFoundError)
        return device + " does not exist (is the programming cable plugged in?)";
    return "Cannot open " + device + ": " + qtText;
}

CQtSerialPort::CQtSerialPort() = default;

CQtSerialPort::~CQtSerialPort()
{
    Close();
}

bool CQtSerialPort::Open(const std::string& name)
{
    if (m_port && m_port->isOpen())
        return false;
    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(QString::fromStdString(name));
    m_gone = false;
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_lastError = DescribeOpenFailure(name, m_port->error(), m_port->errorString().toStdString());
        m_port.reset();
        return false;
    }
    m_lastError.clear();
    // A pseudo-terminal has no DTR line; the link carries on without it.
    m_port->setDataTerminalReady(true);
    return true;
}

bool CQtSerialPort::Close()
{
    if (m_port) {
        m_port->close();
        m_port.reset();
    }
    return true;
}

bool CQtSerialPort::IsOpen() const
{
    return m_port && m_port->isOpen();
}

bool CQtSerialPort::Configure(const CLineSettings& settings)
{
    if (!IsOpen())
        return false;
    bool ok = m_port->setBaudRate(static_cast<qint32>(settings.baud));
    ok = m_port->setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)) && ok;
    ok = m_port->setParity(ParityOf(settings.parity)) && ok;
    ok = m_port->setStopBits(StopBitsOf(settings.stopBits)) && ok;
    ok = m_port->setFlowControl(QSerialPort::NoFlowControl) && ok;
    m_port->setDataTerminalReady(settings.dtr);
    m_port->setRequestToSend(settings.rts);
    return ok;
}

std::size_t CQtSerialPort::Write(std::span<const std::uint8_t> bytes)
{
    if (!IsOpen())
        return 0;
    const qint64 written =
        m_port->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    if (written <= 0)
        return 0;
    // The frame is on its way once it left our buffer; a device that went
    // away shows itself as a missing reply.
    while (m_port->bytesToWrite() > 0)
        if (!m_port->waitForBytesWritten(1000))
            break;
    return static_cast<std::size_t>(written);
}

CPortStatus CQtSerialPort::WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout)
{
    CPortStatus status;
    if (!IsOpen()) {
        status.gone = true;
        return status;
    }
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        status.queued = static_cast<std::size_t>(m_port->bytesAvailable());
        if (status.queued >= wanted)
            return status;
        const qint64 left = timeout.count() - timer.elapsed();
        if (left <= 0)
            return status;
        if (!m_port->waitForReadyRead(static_cast<int>(left))) {
            const auto error = m_port->error();
            if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
                m_gone = error == QSerialPort::ResourceError;
                status.lineError = error == QSerialPort::ReadError;
                status.gone = m_gone;
                m_port->clearError();
                status.queued = static_cast<std::size_t>(m_port->bytesAvailable());
                return status;
            }
            if (error == QSerialPort::TimeoutError)
                m_port->clearError();
        }
    }
}

std::size_t CQtSerialPort::ReadQueued(std::span<std::uint8_t> buffer)
{
    if (!IsOpen() || buffer.empty())
        return 0;
    const qint64 read = m_port->read(reinterpret_cast<char*>(buffer.data()), static_cast<qint64>(buffer.size()));
    return read > 0 ? static_cast<std::size_t>(read) : 0;
}

void CQtSerialPort::DiscardInput()
{
    if (!IsOpen())
        return;
    m_port->clear(QSerialPort::Input);
    m_port->readAll();
    m_port->clearError();
}

} // namespace qrv
