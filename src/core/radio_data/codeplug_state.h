#pragma once
// A codeplug as undo keeps it: the image a save would write, plus what the
// data objects hold only in memory and a reload from that image would lose
// (the chosen alert tone volume, DTMF systems beyond the first, valid flags,
// the signal page's system choices, and references held by identity).
#include "records/dtmf_system_data.h"
#include "util/bytes.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace qrv {

class CRadioData;

struct CCodeplugState {
    Image image{};
    std::uint8_t alertToneVolume = 0;
    std::vector<CDTMFSystemData::RecordBytes> dtmfRecords;
    // Channels, personalities, scan lists, DTMF systems, in that order.
    std::vector<std::uint8_t> validFlags;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> personalitySystems;
    // Each reference as a 1-based position in its table, 0 for none, -1 for a
    // record that no longer exists (the checks report those).
    std::vector<std::int32_t> references;

    bool operator==(const CCodeplugState&) const = default;
};

// Stores the objects into a fresh image (as a save does) and takes the rest.
CCodeplugState CaptureState(CRadioData& data);
// Rebuilds every object from the state and refills the invalid log.
void RestoreState(CRadioData& data, const CCodeplugState& state);

} // namespace qrv
