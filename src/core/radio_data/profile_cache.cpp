#include "radio_data/profile_cache.h"

namespace qrv {

const CIniFile& CProfileCache::Get(const std::filesystem::path& path) const
{
    std::error_code ec;
    const bool exists = std::filesystem::is_regular_file(path, ec);
    const auto time = exists ? std::filesystem::last_write_time(path, ec) : std::filesystem::file_time_type{};
    const auto size = exists ? std::filesystem::file_size(path, ec) : 0;

    auto it = m_entries.find(path);
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

void CProfileCache::Forget(const std::filesystem::path& path) const
{
    m_entries.erase(path);
}

} // namespace qrv
