#pragma once
// What the fuzz targets share: settings over the shipped files, read once and
// then held in memory so that no execution touches the disk, and a cursor
// that hands out the fuzz input piece by piece.
#include "radio_data/settings.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace qrv::fuzz {

// The shipped settings in English or Chinese, at the user or the factory
// level; every call restores the fields an earlier execution changed.
CSettings& Settings(bool chinese, bool factoryLevel);

class CInput {
public:
    explicit CInput(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool Empty() const { return m_bytes.empty(); }
    // 0 once the input is used up.
    std::uint8_t Byte();
    // Up to count bytes.
    std::span<const std::uint8_t> Take(std::size_t count);
    // All that is left, as text.
    std::string_view RestAsText();

private:
    std::span<const std::uint8_t> m_bytes;
};

} // namespace qrv::fuzz
