#pragma once
// Command line of qrv-radiosim: one or more pseudo-terminals, each with the
// radios plugged into it one after another.
#include "sim_identity.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace qrv::sim {

// One radio; it inherits nothing from the radios given before it.
struct CRadiosimRadioOptions {
    CSimIdentity identity;
    CSimFaults faults;
    std::string imagePath;
    std::string savePath;
    std::optional<std::string> serial; // written over the image's field
};

// One pseudo-terminal and its radios, in the order they are plugged in.
struct CRadiosimLineOptions {
    static constexpr std::chrono::milliseconds kDefaultSwapPause{1000};

    std::vector<CRadiosimRadioOptions> radios; // never empty
    std::string logPath;
    std::string linkPath;
    std::chrono::milliseconds swapPause = kDefaultSwapPause; // the line is silent that long between two radios
};

struct CRadiosimOptions {
    std::vector<CRadiosimLineOptions> lines; // never empty
    bool help = false;
};

// Nullopt when the arguments are wrong; why (and for which radio) is left in error.
std::optional<CRadiosimOptions> ParseRadioSimOptions(const std::vector<std::string>& args, std::string& error);

const char* RadioSimUsage();

} // namespace qrv::sim
