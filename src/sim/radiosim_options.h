#pragma once
// Command line of qrv-radiosim: one or more pseudo-terminals, each with its
// radio.
#include "sim_identity.h"

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

// One pseudo-terminal.
struct CRadiosimLineOptions {
    std::vector<CRadiosimRadioOptions> radios; // never empty
    std::string logPath;
    std::string linkPath;
};

struct CRadiosimOptions {
    std::vector<CRadiosimLineOptions> lines; // never empty
    bool help = false;
};

// Nullopt when the arguments are wrong; why (and for which radio) is left in error.
std::optional<CRadiosimOptions> ParseRadioSimOptions(const std::vector<std::string>& args, std::string& error);

const char* RadioSimUsage();

} // namespace qrv::sim
