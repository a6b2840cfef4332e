#include "radio_data/list_spec.h"

#include "util/text_format.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace qrv {

namespace {

// Range numbers beyond this are not a value list; bounding them keeps every
// product of the range arithmetic inside 64 bits.
constexpr long long kMaxRangeNumber = 1000000000;
constexpr std::size_t kRangeFields = 7;
constexpr char kItemSeparator = ';';
constexpr char kFieldSeparator = ':';
constexpr char kNumberEnd = '.';

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsInteger(std::string_view s)
{
    const std::string_view t = Trimmed(s);
    const std::size_t sign = !t.empty() && (t[0] == '-' || t[0] == '+') ? 1 : 0;
    return t.size() > sign && std::all_of(t.begin() + static_cast<std::ptrdiff_t>(sign), t.end(),
                                          [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

long long RangeCount(const CRangeItem& r)
{
    if (!r.IsUsable())
        return 0;
    if ((r.step > 0 && r.start > r.end) || (r.step < 0 && r.start < r.end))
        return 0;
    return (r.end - r.start) / r.step + 1;
}

// An item looked at in place: the lookups of a shown text run thousands of
// times and must not copy the list.
struct CItemView {
    CListItem::Kind kind = CListItem::Kind::Other;
    long long number = 0;  // named items
    std::string_view text; // named items
    CRangeItem range;      // range items
};

CItemView ViewItem(std::string_view raw)
{
    CItemView item;
    if (const auto range = ParseRangeItem(raw)) {
        item.kind = CListItem::Kind::Range;
        item.range = *range;
    } else if (const auto dot = raw.find(kNumberEnd);
               dot != std::string_view::npos && dot > 0 && IsInteger(raw.substr(0, dot))) {
        item.kind = CListItem::Kind::Named;
        item.number = ParseLeadingInt(raw.substr(0, dot));
        item.text = raw.substr(dot + 1);
    }
    return item;
}

// Calls visit for each item in order until it returns false.
template <typename Visit> void ForEachItem(std::string_view listText, Visit visit)
{
    if (listText.empty())
        return;
    for (std::size_t start = 0;;) {
        const auto end = listText.find(kItemSeparator, start);
        if (!visit(ViewItem(listText.substr(start, end == std::string_view::npos ? end : end - start))))
            return;
        if (end == std::string_view::npos)
            return;
        start = end + 1;
    }
}

} // namespace

std::string CRangeItem::TextOf(long long value) const
{
    if (divisor == 0)
        return {};
    if (decimals == 0)
        return std::to_string(value / divisor);
    const int places = static_cast<int>(decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals));
    return Format("%.*f", places, static_cast<double>(value) / static_cast<double>(divisor));
}

std::optional<CRangeItem> ParseRangeItem(std::string_view item)
{
    std::array<long long, kRangeFields> values{};
    std::size_t count = 0;
    for (std::size_t start = 0;; ++count) {
        const auto end = item.find(kFieldSeparator, start);
        const std::string_view field = item.substr(start, end == std::string_view::npos ? end : end - start);
        if (count >= kRangeFields || !IsInteger(field))
            return std::nullopt;
        values[count] = ParseLeadingInt(field);
        if (values[count] > kMaxRangeNumber || values[count] < -kMaxRangeNumber)
            return std::nullopt;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (count + 1 != kRangeFields)
        return std::nullopt;
    CRangeItem r;
    r.start = values[0];
    r.step = values[1];
    r.end = values[2];
    r.divisor = values[3];
    r.firstNumber = values[4];
    r.numberStep = values[5];
    r.decimals = values[6];
    return r;
}

std::vector<CListItem> ParseListSpec(std::string_view listText)
{
    std::vector<CListItem> items;
    ForEachItem(listText, [&items](const CItemView& view) {
        items.push_back({view.kind, view.number, std::string(view.text), view.range});
        return true;
    });
    return items;
}

namespace {

// Calls visit(text, data) for each line a combo box gets, in order, until it
// returns false or the list is full.
template <typename Visit> void ForEachLine(std::string_view listText, Visit visit)
{
    std::size_t made = 0;
    ForEachItem(listText, [&made, &visit](const CItemView& item) {
        if (item.kind == CListItem::Kind::Named) {
            ++made;
            if (!visit(item.text, item.number))
                return false;
        } else if (item.kind == CListItem::Kind::Range) {
            const auto& r = item.range;
            const long long count = std::min(RangeCount(r), static_cast<long long>(kMaxListLines - made));
            for (long long k = 0; k < count; ++k) {
                ++made;
                if (!visit(r.TextOf(r.start + k * r.step), r.firstNumber + k * r.numberStep))
                    return false;
            }
        }
        return made < kMaxListLines;
    });
}

} // namespace

std::vector<CComboLine> ExpandListSpec(std::string_view listText)
{
    std::vector<CComboLine> lines;
    ForEachLine(listText, [&lines](std::string_view text, long long data) {
        lines.push_back({std::string(text), data});
        return true;
    });
    return lines;
}

std::vector<CComboLine> NamedItems(std::string_view listText)
{
    std::vector<CComboLine> lines;
    ForEachItem(listText, [&lines](const CItemView& item) {
        if (item.kind == CListItem::Kind::Named)
            lines.push_back({std::string(item.text), item.number});
        return true;
    });
    return lines;
}

std::string ItemTextOf(std::string_view listText, long long number)
{
    std::string text;
    ForEachItem(listText, [&text, number](const CItemView& item) {
        if (item.kind == CListItem::Kind::Named && item.number == number) {
            text = item.text;
            return false;
        }
        const auto& r = item.range;
        if (item.kind != CListItem::Kind::Range || !r.IsUsable())
            return true;
        const long long last = (r.end - r.start) * r.numberStep / r.step + r.firstNumber;
        if (r.firstNumber <= number && number <= last) {
            text = r.TextOf((number - r.firstNumber) * r.step / r.numberStep + r.start);
            return false;
        }
        return true;
    });
    return text;
}

std::optional<long long> ItemNumberOf(std::string_view listText, std::string_view text)
{
    std::optional<long long> number;
    ForEachLine(listText, [&number, text](std::string_view line, long long data) {
        if (line == text)
            number = data;
        return !number;
    });
    return number;
}

} // namespace qrv
