#pragma once
// Helpers shared by the unit tests: a temporary program directory seeded with
// the shipped resources, and a settings object living in it.
#include "radio_data/settings.h"
#include "util/local_time.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qrv::test {

// A fresh directory removed with everything in it when the object goes.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

std::filesystem::path ResourceDir();
void WriteText(const std::filesystem::path& path, const std::string& text);
std::string ReadText(const std::filesystem::path& path);
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
// Copies the shipped language files, Model.dat and Settings.ini into dir.
void CopyResources(const std::filesystem::path& dir);

// A program directory with the shipped resources and a read-only settings
// object on it (English, model QL210, range 400-470 unless changed), installed
// as the program-wide settings while the object lives.
class CProgramDir {
public:
    explicit CProgramDir(bool withResources = true);
    CSettings& Settings() { return *m_settings; }
    const std::filesystem::path& Path() const { return m_dir.Path(); }
    // Re-creates the settings object, for tests of what construction reads.
    CSettings& Reopen();

private:
    CTempDir m_dir;
    std::unique_ptr<CSettings> m_settings;
};

} // namespace qrv::test
