#pragma once
// A radio link to a simulated radio in process, without the pauses the real
// radio needs and with a short time-out, so that failures end quickly.
#include "radio_link/radio_link.h"
#include "sim_byte_port.h"

#include <memory>

namespace qrv::test {

inline CLinkTiming FastTiming()
{
    CLinkTiming t;
    t.exchangePause = t.writePause = t.handshakePause = t.openPause = std::chrono::milliseconds(0);
    t.readTimeoutMs = 20;
    return t;
}

inline std::unique_ptr<CRadioLink> SimLink(sim::CSimRadio& radio, bool present = true)
{
    auto port = std::make_unique<sim::CSimBytePort>(radio);
    port->SetPresent(present);
    auto link = std::make_unique<CRadioLink>(std::move(port));
    link->SetTiming(FastTiming());
    return link;
}

} // namespace qrv::test
