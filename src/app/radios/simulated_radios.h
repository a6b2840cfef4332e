#pragma once
// The radios that live in the program, for a user without a cable: the
// "Simulated radio" of the port dialog is the first; a fleet write starts
// more of the same kind. Each is of the current model and range, holds the
// current codeplug when it is made, and has a serial number of its own, so
// that a fleet run and its log tell them apart.
#include "sim_radio.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qrv {

class CSimulatedRadios {
public:
    static constexpr int kMaxCount = 16;
    // A radio of the current model and range that holds the current codeplug.
    using Maker = std::function<std::unique_ptr<sim::CSimRadio>()>;

    explicit CSimulatedRadios(Maker make);
    ~CSimulatedRadios();
    CSimulatedRadios(const CSimulatedRadios&) = delete;
    CSimulatedRadios& operator=(const CSimulatedRadios&) = delete;

    // Radio number 1 to kMaxCount, made on first use.
    sim::CSimRadio& Radio(int number);
    // After a change of model the next use makes new ones.
    void Clear() { m_radios.clear(); }

    // How a fleet run and its log name radio number n: "Simulated radio 2".
    static std::string PortName(int number);
    // What radio number n holds as its serial number: "SIM-0002".
    static std::string SerialNumber(int number);

private:
    Maker m_make;
    std::vector<std::unique_ptr<sim::CSimRadio>> m_radios;
};

} // namespace qrv
