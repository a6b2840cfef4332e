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

constexpr const char* kNoSerial = "-"; // the log's name of a radio given no serial number

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
    m_radios.reserve(options.radios.size());
    for (const CRadiosimRadioOptions& radio : options.radios) {
        CPluggedRadio& plugged = m_radios.emplace_back(radio.identity);
        plugged.radio.Faults() = radio.faults;
        if (!radio.imagePath.empty() && !LoadMemoryImage(radio.imagePath, plugged.radio.Memory(), error))
            return false;
        if (radio.serial)
            plugged.radio.SetSerial(*radio.serial);
        plugged.name = radio.serial.value_or("").empty() ? kNoSerial : *radio.serial;
        plugged.savePath = radio.savePath;
    }

    m_stop.Reset(::eventfd(0, EFD_CLOEXEC));
    if (!m_stop.Valid()) {
        error = std::string("eventfd: ") + std::strerror(errno);
        return false;
    }
    if (!m_line.Open()) {
        error = m_line.Error();
        return false;
    }
    m_server = std::make_unique<CRadiosimServer>(m_radios, m_line, m_stop.Get(), options,
                                                 [this](CPluggedRadio& plugged) { Save(plugged); });
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

void CRadiosimTerminal::Save(CPluggedRadio& plugged)
{
    std::string error;
    if (plugged.saved || plugged.savePath.empty())
        return;
    plugged.saved = true;
    if (!SaveMemoryImage(plugged.savePath, plugged.radio.Identity(), plugged.radio.Memory(), error))
        m_errors.push_back(error);
}

std::vector<std::string> CRadiosimTerminal::Finish()
{
    Stop();
    if (!m_served)
        m_errors.push_back(m_server->Error());
    for (CPluggedRadio& plugged : m_radios)
        Save(plugged);
    return std::move(m_errors);
}

} // namespace qrv::sim
