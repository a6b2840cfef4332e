#pragma once
// The volume block (14 bytes at 0x083). Only the alert tone volume is edited,
// and the radio always gets the fixed level 12 there: the chosen value lives
// in memory until the next load.
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qrv {

class CSettings;

class CVolumeData {
public:
    static constexpr std::size_t kImageOffset = 0x083;
    static constexpr std::size_t kBlockSize = 14;
    static constexpr std::size_t kAlertToneOffset = 2;
    static constexpr std::uint8_t kStoredAlertTone = 0x0C;
    static constexpr int kAlertToneList = 4908;

    using BlockBytes = std::array<std::uint8_t, kBlockSize>;
    static constexpr BlockBytes kDefaultBlock = {0x01, 0x7F, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF,
                                                 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

    void SetDefaults() { m_block = kDefaultBlock; }
    void LoadFromImage(const Image& image);
    // Writes the block with the alert tone volume forced to 12; the object keeps its own value.
    void StoreToImage(Image& image) const;
    const BlockBytes& Block() const { return m_block; }

    std::uint8_t AlertToneVolume() const { return m_block[kAlertToneOffset]; }
    void SetAlertToneVolume(std::uint8_t entry) { m_block[kAlertToneOffset] = entry; }

private:
    BlockBytes m_block = kDefaultBlock;
};

struct CVolumeEditRecord {
    std::string alertToneVolume;

    void Fill(const CVolumeData& data, const CSettings& settings);
    // A text that matches no entry stores 0xFF (result false).
    bool Take(CVolumeData& data, const CSettings& settings) const;
};

} // namespace qrv
