#pragma once
// qrvctl report: the printed codeplug report as a PDF file.
#include <string>
#include <vector>

namespace qrv::cli {

// The verb that draws; it needs a QGuiApplication (on the offscreen platform).
inline constexpr const char* kReportVerb = "report";

int VerbReport(const std::vector<std::string>& args);

} // namespace qrv::cli
