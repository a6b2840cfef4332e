#include "csv/csv_text.h"

namespace qrv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(const CCsvRow& row)
{
    return !row.malformed && row.fields.size() == 1 && row.fields[0].empty();
}

bool NeedsQuotes(const std::string& field)
{
    if (field.empty())
        return false;
    if (field.front() == ' ' || field.back() == ' ')
        return true;
    return field.find_first_of(",\"\r\n") != std::string::npos;
}

} // namespace

std::vector<CCsvRow> ReadCsv(std::string_view text)
{
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());

    std::vector<CCsvRow> rows;
    CCsvRow row;
    std::string field;
    std::size_t line = 1;
    row.line = line;
    bool quoted = false;     // inside a quoted field
    bool afterQuote = false; // a quoted field has closed
    const auto endRow = [&](std::size_t nextLine) {
        row.fields.push_back(std::move(field));
        field.clear();
        if (!IsBlank(row))
            rows.push_back(std::move(row));
        row = CCsvRow{};
        row.line = nextLine;
        afterQuote = false;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                    afterQuote = true;
                }
            } else {
                if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == ',') {
            row.fields.push_back(std::move(field));
            field.clear();
            afterQuote = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++line;
            endRow(line);
        } else if (afterQuote) {
            row.malformed = true;
        } else if (c == '"' && field.empty()) {
            quoted = true;
        } else {
            field += c;
        }
    }
    if (quoted)
        row.malformed = true;
    if (!row.fields.empty() || !field.empty() || row.malformed)
        endRow(line);
    return rows;
}

std::string WriteCsvRow(const std::vector<std::string>& fields)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i != 0)
            out += ',';
        const std::string& field = fields[i];
        if (!NeedsQuotes(field)) {
            out += field;
            continue;
        }
        out += '"';
        for (const char c : field) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    out += "\r\n";
    return out;
}

} // namespace qrv
