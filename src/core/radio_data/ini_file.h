#pragma once
// The program's settings-file format: "[Section]" lines and "key=value"
// lines, read and written like the platform's private profile functions.
// Section and key names compare without regard to case, surrounding blanks
// are ignored, a missing value yields the caller's default, and writing one
// key keeps every other line of the file exactly as it was.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qrv {

class CIniFile {
public:
    CIniFile() = default;

    // Never fails: lines that are neither a section, a key nor a comment are kept but ignored.
    static CIniFile FromText(std::string_view text);
    // A missing or unreadable file gives an empty document.
    static CIniFile Load(const std::filesystem::path& path);

    // The value of the first matching key of the first matching section.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Like reading a profile string into a buffer of bufferSize characters:
    // the value is cut to bufferSize - 1 bytes (never inside a UTF-8 sequence).
    std::string GetString(std::string_view section, std::string_view key, std::string_view fallback,
                          std::size_t bufferSize) const;
    // Like reading a profile integer: missing key -> fallback; otherwise the
    // leading decimal number of the value (0 when there is none).
    long long GetInt(std::string_view section, std::string_view key, long long fallback) const;

    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::vector<std::string> SectionNames() const;
    std::string ToText() const;
    bool SaveAtomically(const std::filesystem::path& path) const;

private:
    struct Line {
        std::string text;    // the line exactly as read or written, without its line end
        std::string section; // for section lines: the name; for keys: the section they belong to
        std::string key;     // empty for anything but a key line
        std::string value;
        bool isSection = false;
    };

    // Where the first section of each name starts and where the first line of
    // each of its keys stands; language files are looked up thousands of times.
    struct SectionIndex {
        std::size_t line = 0;
        std::unordered_map<std::string, std::size_t> keys;
    };

    std::optional<std::size_t> FindSectionLine(std::string_view section) const;
    std::optional<std::size_t> FindKeyLine(std::size_t sectionLine, std::string_view key) const;
    void RebuildIndex();

    std::vector<Line> m_lines;
    std::unordered_map<std::string, SectionIndex> m_index;
    std::string m_newline = "\r\n";
};

} // namespace qrv
