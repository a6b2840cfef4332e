#include "radios/simulated_radios.h"

#include "shell/port_selector.h"
#include "util/text_format.h"

#include <algorithm>

namespace qrv {

CSimulatedRadios::CSimulatedRadios(Maker make) : m_make(std::move(make))
{
}

CSimulatedRadios::~CSimulatedRadios() = default;

sim::CSimRadio& CSimulatedRadios::Radio(int number)
{
    const auto wanted = static_cast<std::size_t>(std::clamp(number, 1, kMaxCount));
    while (m_radios.size() < wanted) {
        m_radios.push_back(m_make());
        m_radios.back()->SetSerial(SerialNumber(static_cast<int>(m_radios.size())));
    }
    return *m_radios[wanted - 1];
}

std::string CSimulatedRadios::PortName(int number)
{
    return Format("%s %d", kSimulatedPortName, number);
}

std::string CSimulatedRadios::SerialNumber(int number)
{
    return Format("SIM-%04d", number);
}

} // namespace qrv
