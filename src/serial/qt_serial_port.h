#pragma once
// The radio link's byte port over QSerialPort. The QSerialPort is made when
// the port opens, in the thread that opens it, and that thread alone uses it
// until it closes: the worker of a transfer opens, exchanges and closes.
#include "radio_link/byte_port.h"

#include <memory>
#include <string>

class QSerialPort;

namespace qrv {

class CQtSerialPort : public CBytePort {
public:
    CQtSerialPort();
    ~CQtSerialPort() override;

    bool Open(const std::string& name) override;
    bool Close() override;
    bool IsOpen() const override;
    bool Configure(const CLineSettings& settings) override;
    std::size_t Write(std::span<const std::uint8_t> bytes) override;
    CPortStatus WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout) override;
    std::size_t ReadQueued(std::span<std::uint8_t> buffer) override;
    void DiscardInput() override;
    std::string LastError() const override { return m_lastError; }

private:
    std::unique_ptr<QSerialPort> m_port;
    std::string m_lastError;
    bool m_gone = false;
};

// Why a device cannot be opened, in words a user can act on (for a port the
// user may not open, the group to join).
std::string DescribeOpenFailure(const std::string& device, int qtError, const std::string& qtText);
// The group that owns a device node (POSIX), the one to join to open it; ""
// when unknown or root's, which no user joins.
std::string JoinableGroup(const std::string& device);

} // namespace qrv
