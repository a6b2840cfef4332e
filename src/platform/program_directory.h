#pragma once
// Where the program keeps its data (Settings.ini, Model.dat, language files,
// default images): the directory named, else the executable's directory when
// it holds that data (a build tree, a portable install), else a per-user data
// directory seeded from the installed copies on first start.
#include <filesystem>
#include <optional>
#include <string>

namespace qrv {

std::filesystem::path ResolveProgramDirectory(const std::optional<std::string>& dataDir);
// The user's copy of the installed program data: all of it on first start;
// after an upgrade the program's own files (language files, default images,
// pictures) again, never Settings.ini, Model.dat or the user's data files.
inline constexpr const char* kInstalledStamp = ".installed";
void SeedProgramDirectory(const std::filesystem::path& installed, const std::filesystem::path& user);
// The help pages: "help" in the program directory when it has one (a build
// tree, a portable copy), else the installed pages beside the program.
std::filesystem::path ResolveHelpDirectory(const std::filesystem::path& programDirectory);
// The log of every fleet write, the program's and qrvctl's alike:
// fleet_log.csv in the user's data directory.
std::filesystem::path FleetLogPath();
std::string ToUtf8Path(const std::filesystem::path& path);
std::filesystem::path FromUtf8Path(const std::string& path);

} // namespace qrv
