#pragma once
// What the simulated radio says about itself, and the faults it can be told
// to commit. Both are plain values a test or the front end fills in.
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace qrv::sim {

struct CSimIdentity {
    static constexpr std::size_t kRangeSize = 9;

    std::string modelName = "QL-210";     // identity query 0x03, 12 bytes, NUL padded
    std::string modelId = "QL210";        // query 0x22, 16 bytes
    std::string firmware = "1.01.05.001"; // query 0x21, 16 bytes
    std::uint8_t signal = 0;              // query 0x07
    // Query 0x05: range flags, then the lower and upper limit as frequency
    // words (BCD digits of 10 Hz units, little-endian); 400-470 MHz here.
    std::array<std::uint8_t, kRangeSize> range{0x01, 0, 0, 0, 0x40, 0, 0, 0, 0x47};

    static std::array<std::uint8_t, kRangeSize> RangeBlock(std::uint8_t flags, int lowerMHz, int upperMHz);
    // Whole MHz of the limits held in `range` (an erased word reads as 0).
    int LowerMHz() const;
    int UpperMHz() const;
};

struct CSimFaults {
    bool silent = false;                        // never answers
    int ignoreFirstRequests = 0;                // the first N frames go unanswered
    bool shortReplies = false;                  // every reply loses its last byte
    std::optional<std::uint32_t> badChecksumAt; // block reads covering this address carry a wrong checksum
    std::optional<std::uint32_t> refuseWriteAt; // block writes covering this address are refused (status 'b')
    std::optional<std::uint32_t> silentReadAt;  // block reads covering this address are not answered
    std::optional<std::uint32_t> dropWriteAt;   // block writes covering this address are acknowledged but not kept
    bool refuseMode = false;                    // mode changes are not answered
    bool modeStatusC = false;                   // mode changes are answered with status 'c'
    double noiseProbability = 0.0;              // per reply: one byte damaged
    std::chrono::milliseconds replyDelay{0};    // added to every reply
    bool wireTiming = false;                    // 9600 baud 8N2, 11 bits per byte, both directions
    int vanishAfterFrames = -1;                 // answers N frames, then nothing for good (-1: never)
};

} // namespace qrv::sim
