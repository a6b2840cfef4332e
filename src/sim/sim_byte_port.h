#pragma once
// The simulated radio behind the program's byte-port interface, in process:
// what the program writes goes to the radio, and each reply becomes readable
// once its delay has passed. Waiting sleeps on a condition variable.
//
// The radio listens at 9600 baud, 8 data bits, no parity, 2 stop bits only:
// until Configure has set that line after Open, written bytes reach it as
// noise and are lost, just as on a real line.
#include "radio_link/byte_port.h"
#include "sim_radio.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace qrv::sim {

class CSimBytePort : public qrv::CBytePort {
public:
    explicit CSimBytePort(CSimRadio& radio);

    bool Open(const std::string& name) override;
    bool Close() override;
    bool IsOpen() const override;
    bool Configure(const qrv::CLineSettings& settings) override;
    std::size_t Write(std::span<const std::uint8_t> bytes) override;
    qrv::CPortStatus WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout) override;
    std::size_t ReadQueued(std::span<std::uint8_t> buffer) override;
    void DiscardInput() override;
    std::string LastError() const override;

    // A missing device cannot be opened; one that goes away while open
    // reports itself gone to the waiting reader.
    void SetPresent(bool present);
    // The next wait reports a line error (framing, overrun...).
    void InjectLineError();

    std::string PortName() const;
    bool IsConfigured() const;
    qrv::CLineSettings LineSettings() const;
    // Holds the port's lock, so another thread may look at the radio while
    // the program's side is busy with it.
    std::unique_lock<std::mutex> LockRadio() const { return std::unique_lock<std::mutex>(m_mutex); }

private:
    using Clock = std::chrono::steady_clock;
    struct CInFlight {
        Clock::time_point ready;
        std::vector<std::uint8_t> bytes;
    };

    void Arrive(Clock::time_point now); // moves replies whose time has come into the queue
    bool LineMatchesRadio() const;

    CSimRadio& m_radio;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_present = true;
    bool m_open = false;
    bool m_configured = false;
    bool m_lineError = false;
    qrv::CLineSettings m_settings;
    std::string m_name;
    std::string m_error;
    std::deque<std::uint8_t> m_queue;
    std::deque<CInFlight> m_inFlight;
};

} // namespace qrv::sim
