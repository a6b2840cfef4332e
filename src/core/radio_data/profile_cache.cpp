#include "radio_data/profile_cache.h"

namespace qrv {

const CIniFile& CProfileCache::Get(const std::filesystem::path& path) const
{
    const auto it = m_entries.find(path);
    if (it != m_entries.end() && it->second.held)
        return it->second.ini;
    // One status call per lookup: the directory entry keeps what it read.
    std::error_code ec;
    const std::filesystem::directory_entry entryOnDisk(path, ec);
    const bool exists = !ec && entryOnDisk.is_regular_file(ec);
    const auto time = exists ? entryOnDisk.last_write_time(ec) : std::filesystem::file_time_type{};
    const auto size = exists ? entryOnDisk.file_size(ec) : 0;

    if (it != m_entries.end() && it->second.exists == exists && it->second.time == time && it->second.size == size)
        return it->second.ini;

    Entry entry;
    entry.exists = exists;
    entry.time = time;
    entry.size = size;
    if (exists)
        entry.ini = CIniFile::Load(path);
    auto& slot = m_entries[path];
    slot = std::move(entry);
    return slot.ini;
}

void CProfileCache::Hold(const std::filesystem::path& path, CIniFile ini) const
{
    Entry& entry = m_entries[path];
    entry.ini = std::move(ini);
    entry.held = true;
}

void CProfileCache::Forget(const std::filesystem::path& path) const
{
    m_entries.erase(path);
}

} // namespace qrv
