#pragma once
// Runs a program with arguments and collects its exit code and output.
#include <string>
#include <vector>

namespace qrv::test {

struct CToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CToolResult RunTool(const std::string& program, const std::vector<std::string>& args);

} // namespace qrv::test
