#pragma once
// Command line of qrv-radiosim.
#include "sim_identity.h"

#include <optional>
#include <string>
#include <vector>

namespace qrv::sim {

struct CRadiosimOptions {
    CSimIdentity identity;
    CSimFaults faults;
    std::string imagePath;
    std::string savePath;
    std::string logPath;
    std::string linkPath;
    std::optional<std::string> serial; // written over the image's field
    bool help = false;
};

// Nullopt when the arguments are wrong; why is left in error.
std::optional<CRadiosimOptions> ParseRadioSimOptions(const std::vector<std::string>& args, std::string& error);

const char* RadioSimUsage();

} // namespace qrv::sim
