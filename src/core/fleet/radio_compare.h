#pragma once
// Compares a radio with a codeplug without writing: what Write to Radio would
// change in the radio, by record and field where the records name the bytes,
// as change-log lines otherwise. This is how a dealer audits a fleet.
#include "radio_data/codeplug_places.h"
#include "radio_data/document_identity.h"
#include "radio_data/model_catalog.h"
#include "util/bytes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qrv {

struct CFieldDifference {
    std::optional<CCodeplugPlace> place; // nullopt: a byte no record names
    std::uint16_t first = 0;
    std::vector<std::uint8_t> radio; // the field's bytes in the radio
    std::vector<std::uint8_t> file;  // and in the codeplug
    // "Channel 3, Rx frequency (0x5A4): 40 42 0F 00 -> 50 42 0F 00", or the
    // change-log line "$E.0x1A5:0F->10", the radio's value first.
    std::string Line() const;
};

// The differences within the ranges a write sends, in address order. The
// radio's own manual tune switch bit is not a difference: a write keeps it.
std::vector<CFieldDifference> CompareWithRadio(const Image& radio, const Image& file, bool factoryLevel);

class CSettings;
// What Compare with Radio reports: the range message when the codeplug's
// range lies outside the radio's, then a line per difference; nothing when
// the radio holds the codeplug.
std::vector<std::string> ComparisonLines(const CSettings& settings, const CDocumentIdentity& document,
                                         const FreqRangeRec& radioRange, const Image& radio, const Image& file);

} // namespace qrv
