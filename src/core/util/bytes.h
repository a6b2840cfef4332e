#pragma once
// Little-endian and BCD helpers for the codeplug image and the data file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qrv {

inline constexpr std::size_t kImageSize = 2048;
using Image = std::array<std::uint8_t, kImageSize>;

inline std::uint16_t GetLe16(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

inline std::uint32_t GetLe32(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

inline void PutLe16(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v)
{
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void PutLe32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v)
{
    for (std::size_t i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

// Reads a bit field of a byte: mask selects the bits, the result is shifted down.
inline std::uint8_t GetBits(std::uint8_t byte, std::uint8_t mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    return static_cast<std::uint8_t>((byte & mask) >> shift);
}

// Writes value into the bits of mask, leaving every other bit of the byte.
inline std::uint8_t SetBits(std::uint8_t byte, std::uint8_t mask, unsigned value)
{
    if (mask == 0)
        return byte;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    return static_cast<std::uint8_t>((byte & ~mask) | ((value << shift) & mask));
}

// Eight decimal digits packed into a 32-bit word, most significant digit in the
// top nibble (12345678 -> 0x12345678). Values above 99999999 are cut to eight digits.
inline std::uint32_t ToBcd32(std::uint32_t value)
{
    std::uint32_t word = 0;
    for (int nibble = 0; nibble < 8; ++nibble) {
        word |= (value % 10) << (4 * nibble);
        value /= 10;
    }
    return word;
}

// Reads a BCD word back as the number its hexadecimal digits spell; nibbles
// above 9 are read as their value, as the original "%X then decimal" trick
// cannot express them (such words are treated as no number by the callers).
inline bool IsBcd32(std::uint32_t word)
{
    for (int nibble = 0; nibble < 8; ++nibble)
        if (((word >> (4 * nibble)) & 0xF) > 9)
            return false;
    return true;
}

inline std::uint32_t FromBcd32(std::uint32_t word)
{
    std::uint32_t value = 0;
    for (int nibble = 7; nibble >= 0; --nibble) {
        const std::uint32_t digit = (word >> (4 * nibble)) & 0xF;
        value = value * 10 + (digit > 9 ? 9 : digit);
    }
    return value;
}

// A fixed-width text field: bytes up to the first NUL (or the field's end).
inline std::string ReadCString(std::span<const std::uint8_t> b, std::size_t at, std::size_t width)
{
    std::string s;
    for (std::size_t i = 0; i < width && at + i < b.size(); ++i) {
        if (b[at + i] == 0)
            break;
        s.push_back(static_cast<char>(b[at + i]));
    }
    return s;
}

// Writes text into a fixed-width field, cut to width - 1 characters and NUL padded.
inline void WriteCString(std::span<std::uint8_t> b, std::size_t at, std::size_t width, std::string_view text)
{
    for (std::size_t i = 0; i < width; ++i)
        b[at + i] = (i + 1 < width && i < text.size()) ? static_cast<std::uint8_t>(text[i]) : 0;
}

} // namespace qrv
