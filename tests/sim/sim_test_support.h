#pragma once
// Request frames as the program sends them, built here from the byte layout
// on the wire, and small helpers to talk to a simulated radio.
#include "sim_radio.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qrv::sim::test {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t STX = 0x02;
inline constexpr std::uint8_t ETX = 0x03;

// True when the bytes add up to 0 modulo 256 (data plus its checksum).
inline bool SumsToZero(std::span<const std::uint8_t> bytes)
{
    unsigned sum = 0;
    for (const std::uint8_t b : bytes)
        sum += b;
    return (sum & 0xFF) == 0;
}

// Names parameterised cases after the `name` member of their row.
struct CaseName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const
    {
        return row.param.name;
    }
};

inline Bytes Le16(unsigned v)
{
    return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF)};
}

inline Bytes Le32(std::uint32_t v)
{
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 24)};
}

inline Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes Handshake()
{
    return {STX, 'P', 'a', ETX};
}
inline Bytes ModeFrame(unsigned mode)
{
    return Cat({{STX, 'M', 'a'}, Le16(mode), {ETX}});
}
inline Bytes ReadFrame(std::uint32_t address, unsigned length)
{
    return Cat({{STX, 'E', 'b'}, Le32(address), Le16(length), {ETX}});
}
inline Bytes QueryFrame(std::uint8_t code)
{
    return {STX, 'B', 'b', code, 0x00, ETX};
}
inline Bytes TuneReadFrame(char op, unsigned item)
{
    return Cat({{STX, 'V', static_cast<std::uint8_t>(op)}, Le16(item), {ETX}});
}
inline Bytes TuneWriteFrame(unsigned item, unsigned value)
{
    return Cat({{STX, 'V', 'a'}, Le16(item), Le16(value), {ETX}});
}
inline Bytes KeepFrame(bool keep)
{
    return {STX, 'V', static_cast<std::uint8_t>(keep ? 'j' : 'k'), 0, 0, ETX};
}
inline Bytes OptionFrame(char which, std::uint8_t state)
{
    return {STX, 'O', static_cast<std::uint8_t>(which), state, 0, ETX};
}

// A block write; the checksum byte makes command, length field, address and data sum to 0.
inline Bytes WriteFrame(std::uint32_t address, const Bytes& data)
{
    Bytes frame = Cat({{STX, 'E', 'a'}, Le16(static_cast<unsigned>(data.size() + 5)), Le32(address), data});
    unsigned sum = 0;
    for (std::size_t i = 1; i < frame.size(); ++i)
        sum += frame[i];
    frame.push_back(static_cast<std::uint8_t>((0x100 - (sum & 0xFF)) & 0xFF));
    frame.push_back(ETX);
    return frame;
}

inline Bytes Ack(char status, char first, char second)
{
    return {STX,
            'A',
            static_cast<std::uint8_t>(status),
            static_cast<std::uint8_t>(first),
            static_cast<std::uint8_t>(second),
            ETX};
}

// The reply to one request, or nullopt when the radio stays silent.
inline std::optional<Bytes> Exchange(CSimRadio& radio, const Bytes& request)
{
    std::vector<CSimRadio::CReply> replies = radio.Feed(request);
    if (replies.empty())
        return std::nullopt;
    return replies.front().bytes;
}

// Puts the radio in a mode the way the program does.
inline bool EnterMode(CSimRadio& radio, unsigned mode)
{
    return Exchange(radio, ModeFrame(mode)) == Ack('a', 'M', 'a');
}

} // namespace qrv::sim::test
