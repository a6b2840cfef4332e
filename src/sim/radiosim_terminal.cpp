#include "radiosim_terminal.h"

#include "radiosim_image.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <sys/eventfd.h>
#include <unistd.h>

namespace qrv::sim {

namespace {

bool MakeLink(const std::string& link, const std::string& target)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec)))
        std::filesystem::remove(link, ec);
    std::filesystem::create_symlink(target, link, ec);
    return !ec;
}

void RemoveLink(const std::string& link, const std::string& target)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec)) &&
        std::filesystem::read_symlink(link, ec) == target)
        std::filesystem::remove(link, ec);
}

void Signal(int eventFd)
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(eventFd, &one, sizeof one);
}

} // namespace

CRadiosimTerminal::~CRadiosimTerminal()
{
    Stop();
    if (!m_linkPath.empty())
        RemoveLink(m_linkPath, m_line.SlavePath());
}

bool CRadiosimTerminal::Open(const CRadiosimLineOptions& options, std::string& error)
{
    const CRadiosimRadioOptions& radio = options.radios.front();
    m_radio = std::make_unique<CSimRadio>(radio.identity);
    m_radio->Faults() = radio.faults;
    if (!radio.imagePath.empty() && !LoadMemoryImage(radio.imagePath, m_radio->Memory(), error))
        return false;
    if (radio.serial)
        m_radio->SetSerial(*radio.serial);
    m_savePath = radio.savePath;

    m_stop.Reset(::eventfd(0, EFD_CLOEXEC));
    if (!m_stop.Valid()) {
        error = std::string("eventfd: ") + std::strerror(errno);
        return false;
    }
    if (!m_line.Open()) {
        error = m_line.Error();
        return false;
    }
    m_server = std::make_unique<CRadiosimServer>(*m_radio, m_line, m_stop.Get(), options.logPath);
    if (!m_server->LogOpen()) {
        error = "cannot write the log " + options.logPath;
        return false;
    }
    if (!options.linkPath.empty() && !MakeLink(options.linkPath, m_line.SlavePath())) {
        error = "cannot make the link " + options.linkPath;
        return false;
    }
    m_linkPath = options.linkPath;
    return true;
}

void CRadiosimTerminal::Start(int endedFd)
{
    m_thread = std::thread([this, endedFd] {
        m_served = m_server->Run();
        Signal(endedFd);
    });
}

void CRadiosimTerminal::Stop()
{
    if (!m_thread.joinable())
        return;
    Signal(m_stop.Get());
    m_thread.join();
}

bool CRadiosimTerminal::Finish(std::string& error)
{
    Stop();
    if (!m_served) {
        error = m_server->Error();
        return false;
    }
    return m_savePath.empty() || SaveMemoryImage(m_savePath, m_radio->Identity(), m_radio->Memory(), error);
}

} // namespace qrv::sim
