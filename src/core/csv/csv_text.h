#pragma once
// Comma-separated text as spreadsheets and other channel tools write it:
// quoted fields with doubled quotes, fields spanning lines, CRLF or LF line
// ends, a UTF-8 byte order mark tolerated.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

struct CCsvRow {
    std::size_t line = 0; // 1-based line on which the row starts
    std::vector<std::string> fields;
    bool malformed = false; // a quote left open, or text after a closing quote
};

// Every row of the text, empty lines left out.
std::vector<CCsvRow> ReadCsv(std::string_view text);

// One row with its CRLF; a field is quoted when it holds a comma, a quote, a
// line end or spaces at either end.
std::string WriteCsvRow(const std::vector<std::string>& fields);

} // namespace qrv
