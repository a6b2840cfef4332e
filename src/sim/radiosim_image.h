#pragma once
// The simulated radio's memory to and from data files.
#include "sim_radio.h"

#include <string>

namespace qrv::sim {

// Takes the image of a data file; false (memory untouched) when it is not one.
bool LoadMemoryImage(const std::string& path, CSimRadio::MemoryBytes& memory, std::string& error);

// Writes the memory as a data file whose header carries the radio's identity.
bool SaveMemoryImage(const std::string& path, const CSimIdentity& identity, const CSimRadio::MemoryBytes& memory,
                     std::string& error);

} // namespace qrv::sim
