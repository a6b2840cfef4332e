#pragma once
// printf-style formatting into std::string, and the C conversions the
// program's texts rely on (atoi-like reading that stops at the first non-digit).
#include <cstdarg>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
Format(const char* format, ...);

// Fills a one-argument "%s" or "%d" message text: the first conversion takes
// the argument (an empty one too), any further conversion is dropped, so a
// malformed language text never reads past its arguments nor shows "%s".
std::string FormatMessageText(std::string_view format, std::string_view argument);
std::string FormatMessageNumber(std::string_view format, long long argument);
// Several decimal numbers, each taking the next conversion of the text in turn.
std::string FormatMessageNumbers(std::string_view format, std::initializer_list<long long> arguments);

// Decimal conversion like atoi: leading blanks, optional sign, digits; stops
// at the first other character; 0 when there is no number. Saturates instead
// of overflowing.
long long ParseLeadingInt(std::string_view text);

// Decimal floating-point conversion like atof for plain decimal texts
// ("446.00625"); stops at the first character that cannot continue the number.
double ParseLeadingDouble(std::string_view text);

// Text from a file or a radio made fit for a terminal or a message: control
// characters and bytes that are not UTF-8 become \xNN, "\\" stays as it is.
std::string PrintableText(std::string_view text);
// Whether a text holds a control character (CR, LF, NUL, ...): a name or
// identifier from a file or a radio with one is damaged.
bool HasControlCharacters(std::string_view text);

std::vector<std::string> Split(std::string_view text, char separator);
std::string Trim(std::string_view text);
std::string ToUpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Parses "%d-%d" (a frequency range text such as "136-174"); a limit that
// does not parse is 0.
void ParseRangeText(std::string_view text, int& lower, int& upper);
std::string MakeRangeText(int lower, int upper);

} // namespace qrv
