#pragma once
// The microphone block (6 bytes at 0x111): the internal and external
// microphone gains as 16-bit entry numbers, then two bytes carried through.
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qrv {

class CSettings;

class CMicrophoneData {
public:
    static constexpr std::size_t kImageOffset = 0x111;
    static constexpr std::size_t kBlockSize = 6;
    static constexpr std::size_t kInternalGainOffset = 0;
    static constexpr std::size_t kExternalGainOffset = 2;
    static constexpr int kInternalGainList = 6502;
    static constexpr int kExternalGainList = 6504;
    static constexpr std::uint16_t kNoEntry = 0xFFFF;

    using BlockBytes = std::array<std::uint8_t, kBlockSize>;
    // Bytes 4-5 have no known use; a new block leaves them erased.
    static constexpr BlockBytes kDefaultBlock = {0x04, 0x00, 0x04, 0x00, 0xFF, 0xFF};

    void SetDefaults() { m_block = kDefaultBlock; }
    void LoadFromImage(const Image& image);
    void StoreToImage(Image& image) const;
    const BlockBytes& Block() const { return m_block; }

    std::uint16_t InternalGain() const { return GetLe16(m_block, kInternalGainOffset); }
    void SetInternalGain(std::uint16_t entry) { PutLe16(m_block, kInternalGainOffset, entry); }
    std::uint16_t ExternalGain() const { return GetLe16(m_block, kExternalGainOffset); }
    void SetExternalGain(std::uint16_t entry) { PutLe16(m_block, kExternalGainOffset, entry); }

private:
    BlockBytes m_block = kDefaultBlock;
};

struct CMicrophoneEditRecord {
    std::string internalGain;
    std::string externalGain;

    void Fill(const CMicrophoneData& data, const CSettings& settings);
    // A text that matches no entry stores 0xFFFF (result false).
    bool Take(CMicrophoneData& data, const CSettings& settings) const;
};

} // namespace qrv
