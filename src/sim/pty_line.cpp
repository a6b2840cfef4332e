#include "pty_line.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>

namespace qrv::sim {

namespace {
constexpr std::size_t kPathBuffer = 256;
}

bool CPtyLine::Fail(const char* what)
{
    m_error = std::string(what) + ": " + std::strerror(errno);
    return false;
}

bool CPtyLine::Open()
{
    m_master.Reset(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!m_master.Valid())
        return Fail("posix_openpt");
    if (::grantpt(m_master.Get()) != 0)
        return Fail("grantpt");
    if (::unlockpt(m_master.Get()) != 0)
        return Fail("unlockpt");
    char path[kPathBuffer] = {};
    if (::ptsname_r(m_master.Get(), path, sizeof path) != 0)
        return Fail("ptsname_r");
    m_slavePath = path;
    // Never block on the master: a reply nobody reads must not stall the loop.
    const int flags = ::fcntl(m_master.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(m_master.Get(), F_SETFL, flags | O_NONBLOCK) != 0)
        return Fail("fcntl");
    if (!HoldSlave())
        return false;
    termios tio{};
    if (::tcgetattr(m_slaveHold.Get(), &tio) != 0)
        return Fail("tcgetattr");
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    tio.c_cflag |= CSTOPB | CLOCAL | CREAD;
    if (::tcsetattr(m_slaveHold.Get(), TCSANOW, &tio) != 0)
        return Fail("tcsetattr");
    return true;
}

bool CPtyLine::HoldSlave()
{
    m_slaveHold.Reset(::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
    return m_slaveHold.Valid() || Fail("open slave");
}

} // namespace qrv::sim
