#include "radio_data/ini_file.h"

#include "radio_data/messages.h"
#include "util/atomic_file.h"
#include "util/text_format.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

char FoldedChar(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view TrimmedView(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view FirstLine(std::string_view text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

std::size_t Utf8SafeCut(std::string_view s, std::size_t maxBytes)
{
    if (s.size() <= maxBytes)
        return s.size();
    std::size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

// What a profile read into a buffer of bufferSize characters holds.
std::string CutToBuffer(std::string_view value, std::size_t bufferSize)
{
    if (bufferSize == 0)
        return {};
    return std::string(value.substr(0, Utf8SafeCut(value, bufferSize - 1)));
}

std::size_t LineCount(const std::vector<std::uint8_t>& bytes)
{
    const auto breaks = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    return breaks + (bytes.empty() || bytes.back() == '\n' ? 0 : 1);
}

// The file's bytes; nothing when it is missing, unreadable or refused (then refusal says why).
std::optional<std::vector<std::uint8_t>> ReadWithinLimits(const std::filesystem::path& path, int& refusal)
{
    refusal = 0;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > CIniFile::kMaxFileBytes) {
        refusal = msg::kFileTooLarge;
        return std::nullopt;
    }
    auto bytes = ReadWholeFile(path, CIniFile::kMaxFileBytes);
    if (bytes && LineCount(*bytes) > CIniFile::kMaxFileLines) {
        refusal = msg::kFileTooManyLines;
        return std::nullopt;
    }
    return bytes;
}

} // namespace

std::size_t CIniFile::NameHash::operator()(std::string_view name) const
{
    // FNV-1a over the folded bytes.
    constexpr std::size_t kOffsetBasis = 14695981039346656037ull;
    constexpr std::size_t kPrime = 1099511628211ull;
    std::size_t hash = kOffsetBasis;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(FoldedChar(c))) * kPrime;
    return hash;
}

bool CIniFile::NameEqual::operator()(std::string_view a, std::string_view b) const
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldedChar(x) == FoldedChar(y); });
}

CIniFile CIniFile::FromText(std::string_view text)
{
    // An editor that saved a file with a mark again adds a second one.
    while (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    CIniFile ini;
    if (text.find("\r\n") == std::string_view::npos && text.find('\n') != std::string_view::npos)
        ini.m_newline = "\n";
    ini.m_text.assign(text);
    ini.m_lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);

    bool afterSection = false;
    for (std::size_t start = 0; start < text.size();) {
        const auto lineEnd = text.find('\n', start);
        const bool last = lineEnd == std::string_view::npos;
        const std::size_t end = last ? text.size() : lineEnd;
        Span line{start, end - start};
        if (line.length > 0 && text[end - 1] == '\r')
            --line.length;
        start = end + 1;
        if (last && line.length == 0)
            break;
        ini.m_lines.push_back(ini.ParseLine(line, afterSection));
        afterSection = afterSection || ini.m_lines.back().kind == Kind::Section;
    }
    ini.RebuildIndex();
    return ini;
}

CIniFile::Span CIniFile::Trimmed(Span span) const
{
    while (span.length > 0 && IsBlank(m_text[span.begin])) {
        ++span.begin;
        --span.length;
    }
    while (span.length > 0 && IsBlank(m_text[span.begin + span.length - 1]))
        --span.length;
    return span;
}

CIniFile::Line CIniFile::ParseLine(Span text, bool afterSection) const
{
    Line line;
    line.text = text;
    const Span trimmed = Trimmed(text);
    const std::string_view shown = View(trimmed);
    if (!shown.empty() && shown.front() == '[') {
        const auto close = shown.find(']');
        line.kind = Kind::Section;
        line.name = Trimmed({trimmed.begin + 1, (close == std::string_view::npos ? shown.size() : close) - 1});
        return line;
    }
    if (!afterSection || shown.empty() || shown.front() == ';')
        return line;
    const auto equals = View(text).find('=');
    if (equals == std::string_view::npos)
        return line;
    line.kind = Kind::Key;
    line.name = Trimmed({text.begin, equals});
    Span value = Trimmed({text.begin + equals + 1, text.length - equals - 1});
    const std::string_view v = View(value);
    if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front())
        value = {value.begin + 1, value.length - 2};
    line.value = value;
    return line;
}

CIniFile::Line CIniFile::AppendLine(std::string_view text, bool afterSection)
{
    const Span span{m_text.size(), text.size()};
    m_text.append(text);
    return ParseLine(span, afterSection);
}

void CIniFile::RebuildIndex()
{
    m_index.clear();
    SectionIndex* current = nullptr;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Section) {
            const auto [it, inserted] = m_index.try_emplace(std::string(View(line.name)));
            current = inserted ? &it->second : nullptr; // only the first section of a name counts
            if (current != nullptr)
                current->line = i;
        } else if (current != nullptr && line.kind == Kind::Key && line.name.length > 0) {
            current->keys.try_emplace(std::string(View(line.name)), i);
        }
    }
}

CIniFile CIniFile::Load(const std::filesystem::path& path)
{
    int refusal = 0;
    const auto bytes = ReadWithinLimits(path, refusal);
    if (!bytes) {
        CIniFile refused;
        refused.m_refusal = refusal;
        return refused;
    }
    return FromText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

int CIniFile::RefusalOf(const std::filesystem::path& path)
{
    int refusal = 0;
    ReadWithinLimits(path, refusal);
    return refusal;
}

std::optional<std::size_t> CIniFile::FindSectionLine(std::string_view section) const
{
    const auto it = m_index.find(TrimmedView(section));
    if (it == m_index.end())
        return std::nullopt;
    return it->second.line;
}

std::optional<std::size_t> CIniFile::FindKeyLine(std::string_view section, std::string_view key) const
{
    const auto s = m_index.find(TrimmedView(section));
    if (s == m_index.end())
        return std::nullopt;
    const auto k = s->second.keys.find(TrimmedView(key));
    if (k == s->second.keys.end())
        return std::nullopt;
    return k->second;
}

std::optional<std::string_view> CIniFile::FindValue(std::string_view section, std::string_view key) const
{
    const auto line = FindKeyLine(section, key);
    if (!line)
        return std::nullopt;
    return View(m_lines[*line].value);
}

std::optional<std::string> CIniFile::Find(std::string_view section, std::string_view key) const
{
    const auto value = FindValue(section, key);
    if (!value)
        return std::nullopt;
    return std::string(*value);
}

std::string CIniFile::GetString(std::string_view section, std::string_view key, std::string_view fallback,
                                std::size_t bufferSize) const
{
    return CutToBuffer(FindValue(section, key).value_or(fallback), bufferSize);
}

std::optional<std::string> CIniFile::FindString(std::string_view section, std::string_view key,
                                                std::size_t bufferSize) const
{
    const auto value = FindValue(section, key);
    if (!value)
        return std::nullopt;
    return CutToBuffer(*value, bufferSize);
}

long long CIniFile::GetInt(std::string_view section, std::string_view key, long long fallback) const
{
    const auto value = FindValue(section, key);
    if (!value)
        return fallback;
    return ParseLeadingInt(*value);
}

void CIniFile::Set(std::string_view section, std::string_view key, std::string_view value)
{
    section = FirstLine(section);
    value = FirstLine(value);
    const std::string k(TrimmedView(FirstLine(key)));
    const std::string v(value);

    const auto s = FindSectionLine(section);
    if (!s) {
        m_lines.push_back(AppendLine("[" + std::string(TrimmedView(section)) + "]", true));
        m_lines.push_back(AppendLine(k + "=" + v, true));
        RebuildIndex();
        return;
    }
    if (const auto existing = FindKeyLine(section, k)) {
        // Keep the key's own spelling, replace only the value.
        const std::string spelling(View(m_lines[*existing].name));
        m_lines[*existing] = AppendLine(spelling + "=" + v, true);
        return;
    }
    // Append after the last non-blank line of the section.
    std::size_t insertAt = *s + 1;
    for (std::size_t i = *s + 1; i < m_lines.size() && m_lines[i].kind != Kind::Section; ++i)
        if (Trimmed(m_lines[i].text).length > 0)
            insertAt = i + 1;
    const Line keyLine = AppendLine(k + "=" + v, true);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), keyLine);
    RebuildIndex();
}

std::vector<std::string> CIniFile::SectionNames() const
{
    std::vector<std::string> names;
    for (const auto& line : m_lines)
        if (line.kind == Kind::Section)
            names.emplace_back(View(line.name));
    return names;
}

std::string CIniFile::ToText() const
{
    std::string out;
    out.reserve(m_text.size() + m_lines.size() * m_newline.size());
    for (const auto& line : m_lines) {
        out += View(line.text);
        out += m_newline;
    }
    return out;
}

bool CIniFile::SaveAtomically(const std::filesystem::path& path) const
{
    if (m_refusal != 0)
        return false; // what was refused is still the user's file
    return static_cast<bool>(WriteFileAtomically(path, ToText()));
}

} // namespace qrv
