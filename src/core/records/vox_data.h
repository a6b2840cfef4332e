#pragma once
// The VOX block (2 bytes at 0x117): the VOX gain level in bits 1-3 of the
// first byte (0 = VOX off) and the VOX delay time in the second.
#include "radio_data/notification.h"
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qrv {

class CSettings;

class CVoxData {
public:
    static constexpr std::size_t kImageOffset = 0x117;
    static constexpr std::size_t kBlockSize = 2;
    static constexpr std::size_t kGainOffset = 0;
    static constexpr std::uint8_t kGainLevelMask = 0x0E;
    static constexpr std::size_t kDelayOffset = 1;
    static constexpr int kGainLevelList = 4430;
    static constexpr int kDelayTimeList = 4432;

    using BlockBytes = std::array<std::uint8_t, kBlockSize>;
    static constexpr BlockBytes kDefaultBlock = {0xF7, 0x0F};

    void SetDefaults() { m_block = kDefaultBlock; }
    void LoadFromImage(const Image& image);
    void StoreToImage(Image& image) const;
    const BlockBytes& Block() const { return m_block; }

    std::uint8_t GainLevel() const { return GetBits(m_block[kGainOffset], kGainLevelMask); }
    // Refused (false) for a level that does not fit the three bits.
    bool SetGainLevel(unsigned level);
    bool IsVoxOn() const { return GainLevel() != 0; }
    std::uint8_t DelayTime() const { return m_block[kDelayOffset]; }
    void SetDelayTime(std::uint8_t entry) { m_block[kDelayOffset] = entry; }

    // The notice the radio data passes on after the gain level changed.
    CNotification GainChangedNotification() const { return {CNotification::Kind::VoxChanged, GainLevel()}; }

private:
    BlockBytes m_block = kDefaultBlock;
};

struct CVoxEditRecord {
    std::string gainLevel;
    std::string delayTime;

    void Fill(const CVoxData& data, const CSettings& settings);
    // An unknown gain text keeps the stored level; an unknown delay text stores
    // 0xFF. False when either text matched no entry.
    bool Take(CVoxData& data, const CSettings& settings) const;
};

} // namespace qrv
