#pragma once
// The program's settings-file format: "[Section]" lines and "key=value"
// lines, read and written like the platform's private profile functions.
// Section and key names compare without regard to case, surrounding blanks
// are ignored, a missing value yields the caller's default, and writing one
// key keeps every other line of the file exactly as it was.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qrv {

class CIniFile {
public:
    // Settings, model and language files hold a few hundred lines. A file far
    // beyond that is not one of ours, and reading it would cost every command
    // seconds and gigabytes, so it is refused whole.
    static constexpr std::uintmax_t kMaxFileBytes = 1024 * 1024;
    static constexpr std::size_t kMaxFileLines = 32768;

    CIniFile() = default;

    // Never fails: lines that are neither a section, a key nor a comment are
    // kept but ignored. Byte-order marks at the start are encoding, not text.
    static CIniFile FromText(std::string_view text);
    // A missing or unreadable file gives an empty document; so does a refused
    // one, which then says why in LoadRefusal().
    static CIniFile Load(const std::filesystem::path& path);
    // 0 when Load would read the file (or finds none), else the S01 number of
    // the message refusing it (its argument: the file).
    static int RefusalOf(const std::filesystem::path& path);
    int LoadRefusal() const { return m_refusal; }

    // The value of the first matching key of the first matching section.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Like reading a profile string into a buffer of bufferSize characters:
    // the value is cut to bufferSize - 1 bytes (never inside a UTF-8 sequence).
    std::string GetString(std::string_view section, std::string_view key, std::string_view fallback,
                          std::size_t bufferSize) const;
    // The same cut value, or nothing when the key is missing: one lookup
    // where a caller falls back to another file.
    std::optional<std::string> FindString(std::string_view section, std::string_view key, std::size_t bufferSize) const;
    // Like reading a profile integer: missing key -> fallback; otherwise the
    // leading decimal number of the value (0 when there is none).
    long long GetInt(std::string_view section, std::string_view key, long long fallback) const;

    // A name or value ends at its first line break: the rest could only turn
    // into lines of its own when the file is read again.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::vector<std::string> SectionNames() const;
    std::string ToText() const;
    // False, and the file untouched, when it cannot be written or Load refused it.
    bool SaveAtomically(const std::filesystem::path& path) const;

private:
    // A run of m_text.
    struct Span {
        std::size_t begin = 0;
        std::size_t length = 0;
    };
    enum class Kind : std::uint8_t { Other, Section, Key };
    struct Line {
        Span text;  // the line without its line end
        Span name;  // the section's name or the key
        Span value; // key lines: without surrounding blanks and quotes
        Kind kind = Kind::Other;
    };

    // Names compare without regard to ASCII case, and a lookup by a view
    // makes no copy: language files are looked up thousands of times.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    template <typename T> using NameMap = std::unordered_map<std::string, T, NameHash, NameEqual>;

    // Where the first section of each name starts and where the first line of
    // each of its keys stands.
    struct SectionIndex {
        std::size_t line = 0;
        NameMap<std::size_t> keys;
    };

    std::string_view View(Span span) const { return std::string_view(m_text).substr(span.begin, span.length); }
    Span Trimmed(Span span) const;
    // What the line at text of m_text is; key lines count only after a section line.
    Line ParseLine(Span text, bool afterSection) const;
    Line AppendLine(std::string_view text, bool afterSection);
    std::optional<std::size_t> FindSectionLine(std::string_view section) const;
    std::optional<std::size_t> FindKeyLine(std::string_view section, std::string_view key) const;
    std::optional<std::string_view> FindValue(std::string_view section, std::string_view key) const;
    void RebuildIndex();

    std::string m_text; // every line's bytes; a changed line's new bytes go at the end
    std::vector<Line> m_lines;
    NameMap<SectionIndex> m_index;
    std::string m_newline = "\r\n";
    int m_refusal = 0;
};

} // namespace qrv
