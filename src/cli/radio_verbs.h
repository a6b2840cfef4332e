#pragma once
// The verbs that talk to a radio.
#include <string>
#include <vector>

namespace qrv::cli {

int VerbPorts(const std::vector<std::string>& args);
int VerbIdentify(const std::vector<std::string>& args);
int VerbRead(const std::vector<std::string>& args);
int VerbWrite(const std::vector<std::string>& args);
int VerbCompare(const std::vector<std::string>& args);
int VerbMessages(const std::vector<std::string>& args);

} // namespace qrv::cli
