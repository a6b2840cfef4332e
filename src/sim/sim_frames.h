#pragma once
// The radio's view of the wire: frame bytes, the checksum and the time a
// number of bytes takes at the programming line's speed.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qrv::sim::wire {

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;

// Command bytes as they stand at offsets 1 and 2 of a request.
inline constexpr std::uint8_t kHandshake = 'P';
inline constexpr std::uint8_t kMode = 'M';
inline constexpr std::uint8_t kMemory = 'E';
inline constexpr std::uint8_t kQuery = 'B';
inline constexpr std::uint8_t kTune = 'V';
inline constexpr std::uint8_t kOption = 'O';
inline constexpr std::uint8_t kAck = 'A';

inline constexpr std::uint8_t kOpA = 'a';
inline constexpr std::uint8_t kOpB = 'b';
inline constexpr std::uint8_t kOpReply = 'c';
inline constexpr std::uint8_t kOpAlt = 'l';
inline constexpr std::uint8_t kOpKeep = 'j';
inline constexpr std::uint8_t kOpDrop = 'k';

// Status letters of an acknowledgement.
inline constexpr std::uint8_t kAccepted = 'a';
inline constexpr std::uint8_t kRefused = 'b';
inline constexpr std::uint8_t kAcceptedC = 'c';

inline constexpr std::size_t kAckSize = 6;

// 9600 baud, 8 data bits, no parity, 2 stop bits: 11 bit times per byte.
inline constexpr std::uint32_t kBaud = 9600;
inline constexpr std::uint32_t kBitsPerByte = 11;

// Two's complement of the byte sum, so the covered bytes and it add up to 0.
inline std::uint8_t Checksum(std::span<const std::uint8_t> bytes)
{
    std::uint8_t sum = 0;
    for (const std::uint8_t b : bytes)
        sum = static_cast<std::uint8_t>(sum + b);
    return static_cast<std::uint8_t>(0x100 - sum);
}

inline std::chrono::microseconds WireTime(std::size_t bytes)
{
    constexpr std::uint64_t kMicrosPerSecond = 1000000;
    return std::chrono::microseconds(static_cast<std::int64_t>(bytes * kBitsPerByte * kMicrosPerSecond / kBaud));
}

inline std::vector<std::uint8_t> Ack(std::uint8_t status, std::uint8_t first, std::uint8_t second)
{
    return {kStx, kAck, status, first, second, kEtx};
}

} // namespace qrv::sim::wire
