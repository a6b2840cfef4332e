#pragma once
// Value lists of combo boxes, list boxes and numeric edits are written in the
// language file as value-list texts: items separated by ";", each either a named
// item "N.text" or a range item "start:step:end:divisor:first:numberStep:decimals".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// A value list longer than this is not a combo box any user could use (the
// longest the program has holds 256 lines); it also bounds what a short
// hostile text can expand to, however many range items it holds.
inline constexpr std::size_t kMaxListLines = 1000;

struct CRangeItem {
    long long start = 0;
    long long step = 0;
    long long end = 0;
    long long divisor = 1;
    long long firstNumber = 0;
    long long numberStep = 1;
    long long decimals = 0;

    bool IsUsable() const { return step != 0 && divisor != 0 && numberStep != 0; }
    std::string TextOf(long long value) const;
};

struct CListItem {
    enum class Kind { Named, Range, Other };
    Kind kind = Kind::Other;
    long long number = 0; // named items
    std::string text;     // named items
    CRangeItem range;     // range items
};

// One line of a filled combo box: its text and its item data.
struct CComboLine {
    std::string text;
    long long data = 0;
    bool operator==(const CComboLine&) const = default;
};

std::vector<CListItem> ParseListSpec(std::string_view listText);
std::optional<CRangeItem> ParseRangeItem(std::string_view item);

// The lines a combo box gets from a value-list text, in order; range items yield one
// line per value. The whole list is bounded so a hostile text cannot exhaust memory.
std::vector<CComboLine> ExpandListSpec(std::string_view listText);
// Only the named items (how a list box is filled).
std::vector<CComboLine> NamedItems(std::string_view listText);

// The text of item number n; empty when no item yields one.
std::string ItemTextOf(std::string_view listText, long long number);
// The number of the first line whose text equals text; nullopt when none.
std::optional<long long> ItemNumberOf(std::string_view listText, std::string_view text);

} // namespace qrv
