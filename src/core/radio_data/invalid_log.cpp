#include "radio_data/invalid_log.h"

#include "radio_data/settings.h"

#include <algorithm>

namespace qrv {

void CInvalidLog::Add(const CInvalidEntry& entry)
{
    if (Contains(entry.key))
        return;
    if (m_settings != nullptr && m_settings->GetModelValue(entry.control) != 0)
        return;
    m_entries.push_back(entry);
    NotifyChanged();
}

void CInvalidLog::Remove(std::uint32_t key)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [key](const auto& e) { return e.key == key; });
    if (it == m_entries.end())
        return;
    m_entries.erase(it);
    NotifyChanged();
}

void CInvalidLog::Clear()
{
    if (m_entries.empty())
        return;
    m_entries.clear();
    NotifyChanged();
}

bool CInvalidLog::Contains(std::uint32_t key) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [key](const auto& e) { return e.key == key; });
}

void CInvalidLog::NotifyChanged()
{
    if (m_changed)
        m_changed();
}

} // namespace qrv
