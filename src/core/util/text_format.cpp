#include "util/text_format.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <span>

namespace qrv {

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (needed > 0) {
        out.resize(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(static_cast<std::size_t>(needed));
    }
    va_end(args);
    return out;
}

namespace {

// Replaces the printf conversions of the text, in order, by the given
// replacements; "%%" becomes "%".
std::string ReplaceConversions(std::string_view format, std::span<const std::string> replacements)
{
    // A conversion beyond the arguments has none and is dropped, so no "%s"
    // ever reaches the user from a text that asks for more than the program gives.
    std::string out;
    std::size_t used = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out.push_back(c);
            continue;
        }
        if (format[i + 1] == '%') {
            out.push_back('%');
            ++i;
            continue;
        }
        // Skip flags, width, precision and length, find the conversion letter.
        std::size_t j = i + 1;
        while (j < format.size() && std::string_view("-+ #0123456789.lhzjt").find(format[j]) != std::string_view::npos)
            ++j;
        if (j >= format.size() || !std::isalpha(static_cast<unsigned char>(format[j]))) {
            out.append(format.substr(i, j - i)); // not a conversion: the text as it stands
            i = j - 1;
            continue;
        }
        if (used < replacements.size())
            out.append(replacements[used]);
        ++used;
        i = j;
    }
    return out;
}

std::string ReplaceFirstConversion(std::string_view format, const std::string& replacement)
{
    return ReplaceConversions(format, std::span(&replacement, 1));
}

} // namespace

std::string FormatMessageText(std::string_view format, std::string_view argument)
{
    return ReplaceFirstConversion(format, std::string(argument));
}

std::string FormatMessageNumber(std::string_view format, long long argument)
{
    // Honour a hexadecimal conversion if the text asks for one.
    const auto pos = format.find('%');
    std::string number = std::to_string(argument);
    if (pos != std::string_view::npos) {
        std::size_t j = pos + 1;
        while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
            ++j;
        if (j < format.size() && (format[j] == 'X' || format[j] == 'x'))
            number = Format(format[j] == 'X' ? "%llX" : "%llx", static_cast<unsigned long long>(argument));
    }
    return ReplaceFirstConversion(format, number);
}

std::string FormatMessageNumbers(std::string_view format, std::initializer_list<long long> arguments)
{
    std::vector<std::string> numbers;
    for (const long long argument : arguments)
        numbers.push_back(std::to_string(argument));
    return ReplaceConversions(format, numbers);
}

long long ParseLeadingInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        const int digit = text[i] - '0';
        if (value > (LLONG_MAX - digit) / 10)
            return negative ? LLONG_MIN : LLONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

double ParseLeadingDouble(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    double value = 0.0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = value * 10.0 + (text[i] - '0');
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        ++i;
        double scale = 0.1;
        for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
            value += (text[i] - '0') * scale;
            scale /= 10.0;
        }
    }
    return negative ? -value : value;
}

std::vector<std::string> Split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto pos = text.find(separator, start);
        if (pos == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            break;
        }
        parts.emplace_back(text.substr(start, pos - start));
        start = pos + 1;
    }
    return parts;
}

std::string Trim(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return std::string(text.substr(b, e - b));
}

std::string ToUpperAscii(std::string_view text)
{
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

void ParseRangeText(std::string_view text, int& lower, int& upper)
{
    lower = 0;
    upper = 0;
    const auto clampInt = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    const std::size_t startLower = i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
        return;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    lower = clampInt(ParseLeadingInt(text.substr(startLower, i - startLower)));
    if (i >= text.size() || text[i] != '-')
        return;
    ++i;
    std::size_t j = i;
    while (j < text.size() && text[j] == ' ')
        ++j;
    if (j < text.size() && (text[j] == '-' || text[j] == '+'))
        ++j;
    if (j >= text.size() || !std::isdigit(static_cast<unsigned char>(text[j])))
        return;
    upper = clampInt(ParseLeadingInt(text.substr(i)));
}

std::string MakeRangeText(int lower, int upper)
{
    return Format("%d-%d", lower, upper);
}

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

// The length of the UTF-8 sequence at text[i], or 0 when it is not one
// (or encodes a C1 control, which a terminal would act upon).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    if (lead == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0)
        return 0; // U+0080-U+009F
    return length;
}

} // namespace

bool HasControlCharacters(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < kFirstPrintable || byte == kDelete;
    });
}

std::string PrintableText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= kFirstPrintable && c < kDelete) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        if (const std::size_t length = c > kDelete ? Utf8SequenceAt(text, i) : 0; length > 0) {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        out += Format("\\x%02X", c);
        ++i;
    }
    return out;
}

} // namespace qrv
