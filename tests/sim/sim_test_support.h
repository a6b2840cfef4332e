#pragma once
// What the simulator's tests share: request frames built from the byte layout
// on the wire, and bytes written and compared as hex text.
#include "sim_radio.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <iomanip>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::sim::test {

using Bytes = std::vector<std::uint8_t>;

// Acknowledgements as they read in the tables.
constexpr const char* kAckP = "02 41 61 50 61 03";
constexpr const char* kAckM = "02 41 61 4D 61 03";
constexpr const char* kAckE = "02 41 61 45 61 03";
constexpr const char* kRefusedE = "02 41 62 45 61 03";
// A fresh radio's reply to a read of the tune switch byte at 0x128.
constexpr const char* kSwitchByte = "02 45 63 28 01 00 00 01 00 87 A7 03";

// "02 41 61" to bytes and back; no answer at all is "".
inline Bytes Hex(std::string_view text)
{
    Bytes out;
    std::istringstream in{std::string(text)};
    for (unsigned b = 0; in >> std::hex >> b;)
        out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

inline std::string HexOf(const std::optional<Bytes>& bytes)
{
    std::ostringstream out;
    for (const std::uint8_t b : bytes.value_or(Bytes{}))
        out << std::uppercase << std::hex << std::setw(2) << std::setfill('0') << unsigned{b} << ' ';
    return out.str();
}

inline Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes Le16(unsigned v)
{
    return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF)};
}

inline Bytes Handshake()
{
    return {0x02, 'P', 'a', 0x03};
}
inline Bytes ModeFrame(unsigned mode)
{
    return Cat({{0x02, 'M', 'a'}, Le16(mode), {0x03}});
}
inline Bytes ReadFrame(std::uint32_t address, unsigned length)
{
    return Cat({{0x02, 'E', 'b'}, Le16(address & 0xFFFF), Le16(address >> 16), Le16(length), {0x03}});
}
// A block write; the checksum byte makes command, length field, address and data sum to 0.
inline Bytes WriteFrame(std::uint32_t address, const Bytes& data)
{
    Bytes frame = Cat({{0x02, 'E', 'a'},
                       Le16(static_cast<unsigned>(data.size() + 5)),
                       Le16(address & 0xFFFF),
                       Le16(address >> 16),
                       data});
    unsigned sum = 0;
    for (std::size_t i = 1; i < frame.size(); ++i)
        sum += frame[i];
    frame.push_back(static_cast<std::uint8_t>((0x100 - (sum & 0xFF)) & 0xFF));
    frame.push_back(0x03);
    return frame;
}

inline Bytes Ack(std::uint8_t status, std::uint8_t first, std::uint8_t second)
{
    return {0x02, 'A', status, first, second, 0x03};
}

// The reply to one request, or nullopt when the radio stays silent.
inline std::optional<Bytes> Exchange(CSimRadio& radio, const Bytes& request)
{
    std::vector<CSimRadio::CReply> replies = radio.Feed(request);
    if (replies.empty())
        return std::nullopt;
    return replies.front().bytes;
}

} // namespace qrv::sim::test
