#pragma once
// The byte port behind a transfer: the serial port of that name, or the
// simulated radio that lives in the program, so that a new user can try
// every radio command without a radio.
#include "radio_link/byte_port.h"

#include <memory>
#include <string>

namespace qrv {

namespace sim {
class CSimRadio;
}

inline constexpr const char* kSimulatedPortName = "Simulated radio"; // as Settings.ini remembers it
inline constexpr int kSimulatedRadioText = 1343;                     // as the user reads it (S01)
inline constexpr int kSimulatedRadioNumber = 1352;                   // one of several, "%d" its number (S01)

// Opens whichever port a name stands for.
class CPortSelector : public CBytePort {
public:
    // simulatedName: the port name that stands for the simulated radio.
    explicit CPortSelector(sim::CSimRadio* simulated, std::string simulatedName = kSimulatedPortName);

    bool Open(const std::string& name) override;
    bool Close() override;
    bool IsOpen() const override;
    bool Configure(const CLineSettings& settings) override;
    std::size_t Write(std::span<const std::uint8_t> bytes) override;
    CPortStatus WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout) override;
    std::size_t ReadQueued(std::span<std::uint8_t> buffer) override;
    void DiscardInput() override;
    std::string LastError() const override;

private:
    sim::CSimRadio* m_simulated;
    std::string m_simulatedName;
    std::unique_ptr<CBytePort> m_port;
    std::string m_lastError;
};

} // namespace qrv
