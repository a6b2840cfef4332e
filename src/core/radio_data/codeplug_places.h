#pragma once
// Names the record and field an address of the image belongs to, as the
// records lay themselves out, so that a difference reads "Channel 3, Rx
// frequency" rather than a bare address. The names are fixed English, like
// the CSV columns and the fleet log, for scripts and for the dealer alike.
#include <cstdint>
#include <optional>
#include <string>

namespace qrv {

struct CCodeplugPlace {
    std::string record;  // "Channel 3", "Keys"
    std::string field;   // "Rx frequency", or "byte N" within a record that names no field there
    std::uint16_t first; // the field's first address
    std::uint16_t width; // its bytes
};

// Nullopt for an address no record owns.
std::optional<CCodeplugPlace> PlaceOf(std::uint16_t address);

} // namespace qrv
