#pragma once
// Verify after write: what the radio holds after a write is read back and
// held against what was sent; the addresses that differ are named.
#include "util/bytes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qrv {

struct CAddressRun {
    std::uint32_t first;
    std::uint32_t last;
    bool operator==(const CAddressRun&) const = default;
};

// The runs of consecutive addresses in [first, last] where sent and readBack differ.
std::vector<CAddressRun> DifferingRuns(const Image& sent, const Image& readBack, std::uint32_t first,
                                       std::uint32_t last);

// "0x0100-0x010F, 0x0580": at most maxRuns runs, then ", ..." for the rest.
std::string DescribeRuns(const std::vector<CAddressRun>& runs, std::size_t maxRuns = 8);

} // namespace qrv
