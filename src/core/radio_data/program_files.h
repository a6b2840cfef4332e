#pragma once
// The program's own text files (Settings.ini, Model.dat, the language files)
// that were refused for their size: the program reads each as missing,
// leaves it as it is, and says so when it starts.
#include <filesystem>
#include <string>
#include <vector>

namespace qrv {

class CSettings;

struct CRefusedFile {
    std::filesystem::path path;
    int message = 0; // S01 number; its argument is the file
};

std::vector<CRefusedFile> RefusedProgramFiles(const CSettings& settings);

// The message naming the file; in plain English when no language file can say it.
std::string RefusalText(const CSettings& settings, const CRefusedFile& file);

} // namespace qrv
