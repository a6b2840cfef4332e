#pragma once
// Keeps parsed settings files in memory and re-reads a file only when its
// size or modification time changed, so every lookup still sees the file as
// it is on disk without parsing it again for each text.
#include "radio_data/ini_file.h"

#include <filesystem>
#include <map>

namespace qrv {

class CProfileCache {
public:
    const CIniFile& Get(const std::filesystem::path& path) const;
    void Forget(const std::filesystem::path& path) const;
    // Serves ini for the path without looking at the disk again.
    void Hold(const std::filesystem::path& path, CIniFile ini) const;

private:
    struct Entry {
        CIniFile ini;
        std::filesystem::file_time_type time{};
        std::uintmax_t size = 0;
        bool exists = false;
        bool held = false;
    };
    mutable std::map<std::filesystem::path, Entry> m_entries;
};

} // namespace qrv
