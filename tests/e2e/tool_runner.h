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

// An output whose every line ends in a newline (or no output at all).
inline bool WholeLines(const std::string& text)
{
    return text.empty() || text.back() == '\n';
}

} // namespace qrv::test
