#pragma once
// The verbs that move channel lists between data files and CSV files.
#include <string>
#include <vector>

namespace qrv::cli {

inline constexpr const char* kExportCsvVerb = "export-csv";
inline constexpr const char* kImportCsvVerb = "import-csv";

// export-csv FILE -o OUT.csv [--format native|common]
int VerbExportCsv(const std::vector<std::string>& args);
// import-csv FILE IN.csv -o OUT [--append] [--skip-bad] [--format native|common]
int VerbImportCsv(const std::vector<std::string>& args);

} // namespace qrv::cli
