#include "radio_data/ini_file.h"

#include "util/atomic_file.h"
#include "util/text_format.h"

#include <fstream>
#include <sstream>

namespace qrv {

namespace {

// Settings files are small; anything larger than this is not one of ours.
constexpr std::uintmax_t kMaxIniBytes = 16u * 1024u * 1024u;

std::string StripQuotes(std::string value)
{
    if (value.size() >= 2 &&
        ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\'')))
        return value.substr(1, value.size() - 2);
    return value;
}

std::string Folded(std::string_view name)
{
    std::string s = Trim(name);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::size_t Utf8SafeCut(const std::string& s, std::size_t maxBytes)
{
    if (s.size() <= maxBytes)
        return s.size();
    std::size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

} // namespace

CIniFile CIniFile::FromText(std::string_view text)
{
    CIniFile ini;
    if (text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF &&
        static_cast<unsigned char>(text[1]) == 0xBB && static_cast<unsigned char>(text[2]) == 0xBF)
        text.remove_prefix(3);
    if (text.find("\r\n") == std::string_view::npos && text.find('\n') != std::string_view::npos)
        ini.m_newline = "\n";

    std::string currentSection;
    bool inSection = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last)
            end = text.size();
        std::string raw(text.substr(start, end - start));
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        start = end + 1;
        if (last && raw.empty())
            break;

        Line line;
        line.text = raw;
        const std::string trimmed = Trim(raw);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const auto close = trimmed.find(']');
            line.isSection = true;
            line.section = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            currentSection = line.section;
            inSection = true;
        } else if (inSection && !trimmed.empty() && trimmed.front() != ';') {
            const auto eq = raw.find('=');
            if (eq != std::string::npos) {
                line.section = currentSection;
                line.key = Trim(std::string_view(raw).substr(0, eq));
                line.value = StripQuotes(Trim(std::string_view(raw).substr(eq + 1)));
            }
        }
        ini.m_lines.push_back(std::move(line));
        if (last)
            break;
    }
    ini.RebuildIndex();
    return ini;
}

void CIniFile::RebuildIndex()
{
    m_index.clear();
    SectionIndex* current = nullptr;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.isSection) {
            const auto [it, inserted] = m_index.try_emplace(Folded(line.section));
            current = inserted ? &it->second : nullptr; // only the first section of a name counts
            if (current != nullptr)
                current->line = i;
        } else if (current != nullptr && !line.key.empty()) {
            current->keys.try_emplace(Folded(line.key), i);
        }
    }
}

CIniFile CIniFile::Load(const std::filesystem::path& path)
{
    const auto bytes = ReadWholeFile(path, kMaxIniBytes);
    if (!bytes)
        return {};
    return FromText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

std::optional<std::size_t> CIniFile::FindSectionLine(std::string_view section) const
{
    const auto it = m_index.find(Folded(section));
    if (it == m_index.end())
        return std::nullopt;
    return it->second.line;
}

std::optional<std::size_t> CIniFile::FindKeyLine(std::size_t sectionLine, std::string_view key) const
{
    const auto section = m_index.find(Folded(m_lines[sectionLine].section));
    if (section == m_index.end())
        return std::nullopt;
    const auto it = section->second.keys.find(Folded(key));
    if (it == section->second.keys.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> CIniFile::Find(std::string_view section, std::string_view key) const
{
    const auto s = m_index.find(Folded(section));
    if (s == m_index.end())
        return std::nullopt;
    const auto k = s->second.keys.find(Folded(key));
    if (k == s->second.keys.end())
        return std::nullopt;
    return m_lines[k->second].value;
}

std::string CIniFile::GetString(std::string_view section, std::string_view key, std::string_view fallback,
                                std::size_t bufferSize) const
{
    std::string value = Find(section, key).value_or(std::string(fallback));
    if (bufferSize == 0)
        return {};
    value.resize(Utf8SafeCut(value, bufferSize - 1));
    return value;
}

long long CIniFile::GetInt(std::string_view section, std::string_view key, long long fallback) const
{
    const auto value = Find(section, key);
    if (!value)
        return fallback;
    return ParseLeadingInt(*value);
}

void CIniFile::Set(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string k = Trim(key);
    Line keyLine;
    keyLine.key = k;
    keyLine.value = std::string(value);
    keyLine.text = k + "=" + std::string(value);

    auto s = FindSectionLine(section);
    if (!s) {
        Line sectionLine;
        sectionLine.isSection = true;
        sectionLine.section = Trim(section);
        sectionLine.text = "[" + sectionLine.section + "]";
        m_lines.push_back(sectionLine);
        keyLine.section = sectionLine.section;
        m_lines.push_back(keyLine);
        RebuildIndex();
        return;
    }
    keyLine.section = m_lines[*s].section;
    if (const auto existing = FindKeyLine(*s, k)) {
        // Keep the key's own spelling, replace only the value.
        keyLine.key = m_lines[*existing].key;
        keyLine.text = m_lines[*existing].key + "=" + std::string(value);
        m_lines[*existing] = keyLine;
        return;
    }
    // Append after the last non-blank line of the section.
    std::size_t insertAt = *s + 1;
    for (std::size_t i = *s + 1; i < m_lines.size() && !m_lines[i].isSection; ++i)
        if (!Trim(m_lines[i].text).empty())
            insertAt = i + 1;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), keyLine);
    RebuildIndex();
}

std::vector<std::string> CIniFile::SectionNames() const
{
    std::vector<std::string> names;
    for (const auto& line : m_lines)
        if (line.isSection)
            names.push_back(line.section);
    return names;
}

std::string CIniFile::ToText() const
{
    std::string out;
    for (const auto& line : m_lines) {
        out += line.text;
        out += m_newline;
    }
    return out;
}

bool CIniFile::SaveAtomically(const std::filesystem::path& path) const
{
    return WriteFileAtomically(path, ToText()).Ok();
}

} // namespace qrv
