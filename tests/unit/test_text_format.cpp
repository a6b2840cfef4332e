// The message formatting every message goes through, and the escaping of
// text from files and radios before it reaches a terminal.
#include "util/text_format.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(MessageFormat, OneArgumentAndNeverAConversionLeft)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"The file %s could not be read.", "a.dat", "The file a.dat could not be read."},
        {"The file %s could not be read.", "", "The file  could not be read."},
        {"At %s and %s.", "x", "At x and ."},      // a second conversion has no argument
        {"Address %d.", "12", "Address 12."},      // any letter takes the argument
        {"100%% sure %s", "now", "100% sure now"}, // an escaped percent is a percent
        {"Ends with %", "x", "Ends with %"},
        {"No conversion.", "x", "No conversion."},
    };
    for (const auto& [format, text, expected] : cases)
        EXPECT_EQ(FormatMessageText(format, text), expected) << format;
    EXPECT_EQ(FormatMessageNumber("At %d, %s.", 295), "At 295, .");
    EXPECT_EQ(FormatMessageNumber("At 0x%04X.", 0x127), "At 0x127.");
    // Several numbers take the conversions in turn; one beyond them is dropped.
    EXPECT_EQ(FormatMessageNumbers("Page %d of %d", {2, 7}), "Page 2 of 7");
    EXPECT_EQ(FormatMessageNumbers("第 %d 页，共 %d 页 %s", {1, 3}), "第 1 页，共 3 页 ");
}

TEST(PrintableText, EscapesWhatATerminalWouldObey)
{
    const std::pair<std::string, std::string> cases[] = {
        {"QL-210 ok", "QL-210 ok"},
        {"\x1b[2J", "\\x1B[2J"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"line\r\nnext\x7f", "line\\x0D\\x0Anext\\x7F"},
        {"\xe4\xb8\xad\xe6\x96\x87", "\xe4\xb8\xad\xe6\x96\x87"}, // Chinese stays
        {"\xc2\x9b"
         "1m",
         "\\xC2\\x9B1m"},                   // a C1 control in UTF-8
        {"1.0\xff", "1.0\\xFF"},            // not UTF-8
        {"cut \xe4\xb8", "cut \\xE4\\xB8"}, // a sequence cut short
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(PrintableText(text), expected);
}

} // namespace
} // namespace qrv
