#pragma once
// The invalid log: one line per data error found by the checks, added and
// removed by a 32-bit key, at most one line per key.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qrv {

class CSettings;

struct CInvalidEntry {
    int control = 0;   // the control that edits the faulty field
    std::string title; // first column
    std::string text;  // second column: where the fault is
    std::uint32_t key = 0;
};

class CInvalidLog {
public:
    // With settings, an entry whose control the current model hides (S00 value
    // not zero) is never added.
    explicit CInvalidLog(const CSettings* settings = nullptr) : m_settings(settings) {}

    void SetSettings(const CSettings* settings) { m_settings = settings; }
    void Add(const CInvalidEntry& entry);
    void Remove(std::uint32_t key);
    void Clear();
    bool Contains(std::uint32_t key) const;
    int Count() const { return static_cast<int>(m_entries.size()); }
    const std::vector<CInvalidEntry>& Entries() const { return m_entries; }

    // Called after every change of the list (the main window shows or hides its bar).
    void SetChangedCallback(std::function<void()> callback) { m_changed = std::move(callback); }

private:
    void NotifyChanged();

    const CSettings* m_settings = nullptr;
    std::vector<CInvalidEntry> m_entries;
    std::function<void()> m_changed;
};

} // namespace qrv
