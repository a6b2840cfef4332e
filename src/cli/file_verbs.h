#pragma once
// The verbs that work on data files.
#include <string>
#include <vector>

namespace qrv::cli {

int VerbNew(const std::vector<std::string>& args);
int VerbInfo(const std::vector<std::string>& args);
int VerbDump(const std::vector<std::string>& args);
int VerbHex(const std::vector<std::string>& args);
int VerbResave(const std::vector<std::string>& args);
int VerbDiff(const std::vector<std::string>& args);
int VerbCheck(const std::vector<std::string>& args);

} // namespace qrv::cli
