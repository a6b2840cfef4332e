#include "radio_data/list_spec.h"

#include "util/text_format.h"

#include <cctype>
#include <cmath>

namespace qrv {

namespace {

// A value list longer than this is not a combo box any user could use.
constexpr long long kMaxRangeLines = 100000;
// Range numbers beyond this are not a value list; bounding them keeps every
// product of the range arithmetic inside 64 bits.
constexpr long long kMaxRangeNumber = 1000000000;

bool IsInteger(std::string_view s)
{
    const std::string t = Trim(s);
    if (t.empty())
        return false;
    std::size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (i >= t.size())
        return false;
    for (; i < t.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(t[i])))
            return false;
    return true;
}

long long RangeCount(const CRangeItem& r)
{
    if (!r.IsUsable())
        return 0;
    if ((r.step > 0 && r.start > r.end) || (r.step < 0 && r.start < r.end))
        return 0;
    const long long count = (r.end - r.start) / r.step + 1;
    return count > kMaxRangeLines ? kMaxRangeLines : count;
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
    const auto parts = Split(item, ':');
    if (parts.size() != 7)
        return std::nullopt;
    for (const auto& p : parts) {
        if (!IsInteger(p))
            return std::nullopt;
        const long long v = ParseLeadingInt(p);
        if (v > kMaxRangeNumber || v < -kMaxRangeNumber)
            return std::nullopt;
    }
    CRangeItem r;
    r.start = ParseLeadingInt(parts[0]);
    r.step = ParseLeadingInt(parts[1]);
    r.end = ParseLeadingInt(parts[2]);
    r.divisor = ParseLeadingInt(parts[3]);
    r.firstNumber = ParseLeadingInt(parts[4]);
    r.numberStep = ParseLeadingInt(parts[5]);
    r.decimals = ParseLeadingInt(parts[6]);
    return r;
}

std::vector<CListItem> ParseListSpec(std::string_view listText)
{
    std::vector<CListItem> items;
    if (listText.empty())
        return items;
    for (const auto& raw : Split(listText, ';')) {
        CListItem item;
        if (auto range = ParseRangeItem(raw)) {
            item.kind = CListItem::Kind::Range;
            item.range = *range;
        } else if (const auto dot = raw.find('.');
                   dot != std::string::npos && dot > 0 && IsInteger(raw.substr(0, dot))) {
            item.kind = CListItem::Kind::Named;
            item.number = ParseLeadingInt(raw.substr(0, dot));
            item.text = raw.substr(dot + 1);
        }
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<CComboLine> ExpandListSpec(std::string_view listText)
{
    std::vector<CComboLine> lines;
    for (const auto& item : ParseListSpec(listText)) {
        if (item.kind == CListItem::Kind::Named) {
            lines.push_back({item.text, item.number});
        } else if (item.kind == CListItem::Kind::Range) {
            const auto& r = item.range;
            const long long count = RangeCount(r);
            for (long long k = 0; k < count; ++k)
                lines.push_back({r.TextOf(r.start + k * r.step), r.firstNumber + k * r.numberStep});
        }
    }
    return lines;
}

std::vector<CComboLine> NamedItems(std::string_view listText)
{
    std::vector<CComboLine> lines;
    for (const auto& item : ParseListSpec(listText))
        if (item.kind == CListItem::Kind::Named)
            lines.push_back({item.text, item.number});
    return lines;
}

std::string ItemTextOf(std::string_view listText, long long number)
{
    for (const auto& item : ParseListSpec(listText)) {
        if (item.kind == CListItem::Kind::Named) {
            if (item.number == number)
                return item.text;
        } else if (item.kind == CListItem::Kind::Range) {
            const auto& r = item.range;
            if (!r.IsUsable())
                continue;
            const long long last = (r.end - r.start) * r.numberStep / r.step + r.firstNumber;
            if (r.firstNumber <= number && number <= last) {
                const long long v = (number - r.firstNumber) * r.step / r.numberStep + r.start;
                return r.TextOf(v);
            }
        }
    }
    return {};
}

std::optional<long long> ItemNumberOf(std::string_view listText, std::string_view text)
{
    for (const auto& line : ExpandListSpec(listText))
        if (line.text == text)
            return line.data;
    return std::nullopt;
}

} // namespace qrv
