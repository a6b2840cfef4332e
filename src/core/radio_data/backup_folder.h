#pragma once
// Automatic backups: every image read from a radio and every image about to
// be written to one is kept as a data file in a backup folder, named
// "2026-12-06_093012_QL-210_read.dat". Old backups are removed by the date in
// their name; files of any other name in the folder are never touched.
#include "radio_data/data_file.h"
#include "util/bytes.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace qrv {

enum class BackupDirection { Read, Write };

class CBackupFolder {
public:
    static constexpr int kDefaultKeepDays = 60;

    explicit CBackupFolder(std::filesystem::path folder) : m_folder(std::move(folder)) {}
    const std::filesystem::path& Path() const { return m_folder; }

    // "YYYY-MM-DD_HHMMSS_<model>_<read|write>[_N].dat"; N from 2 on tells
    // apart backups of the same second.
    static std::string FileName(const std::tm& localTime, const std::string& modelName, BackupDirection direction,
                                int sequence = 1);
    // The local time in a backup's name; nullopt for a name that is not one.
    static std::optional<std::tm> TimeOf(const std::string& fileName);

    // Writes the image with the header; the path written, or nullopt (why in
    // error) when the folder or the file cannot be written.
    std::optional<std::filesystem::path> Save(const DataFileHeader& header, const Image& image,
                                              BackupDirection direction, const std::tm& localTime,
                                              std::string& error) const;
    // Removes the backups named more than keepDays days before now (0 keeps
    // everything); the number removed.
    int Prune(int keepDays, std::time_t now) const;

private:
    std::filesystem::path m_folder;
};

} // namespace qrv
