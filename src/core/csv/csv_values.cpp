#include "csv/csv_values.h"

#include "radio_data/ini_file.h"
#include "radio_data/settings.h"
#include "records/frequency.h"
#include "records/tones.h"
#include "util/text_format.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace qrv {

namespace {

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Digits only, at least one.
bool AllDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

} // namespace

std::string MHzText6(std::uint32_t units)
{
    return Format("%u.%06u", units / kUnitsPerMHz, (units % kUnitsPerMHz) * 10);
}

std::optional<CRowError> FrequencyFromUnits(std::uint32_t units, const CBand& band, std::uint32_t& word,
                                            std::uint8_t& stepCode)
{
    if (units < band.lower || units > band.upper)
        return CRowError{csvmsg::kOutOfRange, FrequencyTextFromUnits(units)};
    stepCode = ApplyRaster(units);
    word = FrequencyWordFromUnits(units);
    return std::nullopt;
}

std::optional<CRowError> ReadFrequency(std::string_view text, const CBand& band, std::uint32_t& word,
                                       std::uint8_t& stepCode)
{
    const auto units = ParseMHz(text);
    if (!units)
        return CRowError{csvmsg::kNotFrequency, Trim(text)};
    return FrequencyFromUnits(*units, band, word, stepCode);
}

std::optional<CRowError> ReadListEntry(std::string_view text, const std::vector<CComboLine>& lines, std::uint8_t& entry)
{
    const std::string wanted = Trim(text);
    for (const CComboLine& line : lines) {
        if ((wanted.empty() || EqualsNoCase(Trim(line.text), wanted)) && line.data >= 0 && line.data <= 0xFF) {
            entry = static_cast<std::uint8_t>(line.data);
            return std::nullopt;
        }
        if (wanted.empty())
            break;
    }
    return CRowError{csvmsg::kNotAllowedValue, wanted};
}

std::vector<CComboLine> AnyLanguageLines(const CSettings& settings, int list)
{
    constexpr std::size_t kListBuffer = 4096;
    std::vector<CComboLine> lines = settings.FillCombo(list);
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    const std::filesystem::path folder = settings.LanguageFilePath().parent_path();
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".lng" && it->path() != settings.LanguageFilePath())
            files.push_back(it->path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        const std::string text = CIniFile::Load(file).GetString("Setting", Format("S02%05d", list), "", kListBuffer);
        for (CComboLine& line : CSettings::FillCombo(text))
            lines.push_back(std::move(line));
    }
    return lines;
}

std::optional<std::uint8_t> ReadRawCode(std::string_view text, std::uint8_t max)
{
    const std::string t = Trim(text);
    if (t.size() < 3 || t.size() > 4 || t[0] != '0' || (t[1] != 'x' && t[1] != 'X'))
        return std::nullopt;
    unsigned value = 0;
    for (const char c : t.substr(2)) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 16 + static_cast<unsigned>(IsDigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    if (value > max)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

std::optional<CRowError> ReadCtcss(std::string_view text, std::uint16_t& index)
{
    const std::string t = Trim(text);
    const auto point = t.find('.');
    const bool number = AllDigits(t.substr(0, point)) &&
                        (point == std::string::npos || t.size() == point + 1 || AllDigits(t.substr(point + 1)));
    const CToneLookup lookup = number ? CtcssFromText(t) : CToneLookup{};
    if (lookup.notInTable)
        return CRowError{csvmsg::kCtcssNotInTable, t};
    index = lookup.index;
    return std::nullopt;
}

std::optional<CRowError> ReadCdcss(std::string_view text, std::uint16_t& index)
{
    const std::string t = Trim(text);
    const CToneLookup lookup = AllDigits(t) && t.size() <= 3 ? CdcssFromText(t) : CToneLookup{};
    if (lookup.notInTable)
        return CRowError{csvmsg::kCdcssNotInTable, t};
    index = lookup.index;
    return std::nullopt;
}

CColumnMap::CColumnMap(const std::vector<std::string>& captions, const CCsvRow& header)
{
    std::vector<bool> claimed(captions.size(), false);
    for (std::size_t field = 0; field < header.fields.size(); ++field) {
        const std::string text = Trim(header.fields[field]);
        for (std::size_t column = 0; column < captions.size(); ++column) {
            if (!claimed[column] && EqualsNoCase(Trim(captions[column]), text)) {
                claimed[column] = true;
                m_fields[column] = field;
                break;
            }
        }
    }
}

std::string CColumnMap::Field(const CCsvRow& row, std::size_t column) const
{
    const auto it = m_fields.find(column);
    if (it == m_fields.end() || it->second >= row.fields.size())
        return {};
    return Trim(row.fields[it->second]);
}

} // namespace qrv
