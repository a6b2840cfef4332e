#pragma once
// The field readers the two channel column sets share: strict frequency
// texts, value-list texts, tone texts, and the row-level reason.
#include "csv/channel_csv.h"
#include "csv/csv_text.h"
#include "radio_data/list_spec.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

class CSettings;

// The first reason a row cannot be taken.
struct CRowError {
    int message = 0;
    std::string argument;
};

// "%u.%06u" MHz from 10 Hz units.
std::string MHzText6(std::uint32_t units);

// A frequency text within the document's band -> word and step code on the raster.
std::optional<CRowError> ReadFrequency(std::string_view text, const CBand& band, std::uint32_t& word,
                                       std::uint8_t& stepCode);
std::optional<CRowError> FrequencyFromUnits(std::uint32_t units, const CBand& band, std::uint32_t& word,
                                            std::uint8_t& stepCode);

// The entry of a value list whose text matches (case and spaces ignored);
// an empty text gives entry 0's text.
std::optional<CRowError> ReadListEntry(std::string_view text, const std::vector<CComboLine>& lines,
                                       std::uint8_t& entry);
// The lines of a value list in the current language, then in every other
// language file beside it.
std::vector<CComboLine> AnyLanguageLines(const CSettings& settings, int list);
// A list entry given by its code, "0x" and one or two hex digits up to max.
std::optional<std::uint8_t> ReadRawCode(std::string_view text, std::uint8_t max);

// A tone text that must be in its table -> the 1-based index.
std::optional<CRowError> ReadCtcss(std::string_view text, std::uint16_t& index);
std::optional<CRowError> ReadCdcss(std::string_view text, std::uint16_t& index);

// Which field of a row holds each column: header texts are matched without
// regard to case and spaces; a caption that two columns share is given to
// them in order (receive before transmit).
class CColumnMap {
public:
    CColumnMap(const std::vector<std::string>& captions, const CCsvRow& header);
    bool Has(std::size_t column) const { return m_fields.count(column) != 0; }
    // The trimmed field; empty when the column or the field is missing.
    std::string Field(const CCsvRow& row, std::size_t column) const;

private:
    std::map<std::size_t, std::size_t> m_fields; // column -> field index
};

} // namespace qrv
