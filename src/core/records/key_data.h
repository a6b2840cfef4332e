#pragma once
// The programmable keys block (11 bytes at 0x078). The program edits the four
// side-key assignments (SK1 and SK2, short and long press) and carries the
// other bytes unchanged. Functions are entry numbers of value list 6605.
#include "radio_data/list_spec.h"
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qrv {

class CSettings;
struct CNotification;

class CKeyData {
public:
    static constexpr std::size_t kImageOffset = 0x078;
    static constexpr std::size_t kBlockSize = 11;

    // The side keys in the order of the edit record: SK1 short, SK1 long, SK2 short, SK2 long.
    static constexpr std::size_t kSideKeyCount = 4;
    static constexpr std::size_t kSk1ShortOffset = 2;
    static constexpr std::size_t kSk1LongOffset = 3;
    static constexpr std::size_t kSk2ShortOffset = 4;
    static constexpr std::size_t kSk2LongOffset = 5;
    static constexpr std::array<std::size_t, kSideKeyCount> kSideKeyOffsets = {kSk1ShortOffset, kSk1LongOffset,
                                                                               kSk2ShortOffset, kSk2LongOffset};
    static constexpr std::array<int, kSideKeyCount> kSideKeyCombos = {6614, 6616, 6620, 6622};

    static constexpr int kFunctionList = 6605;
    static constexpr std::uint8_t kFunctionNone = 0;
    // Allowed only while VOX is on (a VOX gain level other than 0).
    static constexpr std::uint8_t kFunctionVox = 75;
    // Never offered in any key list.
    static constexpr std::uint8_t kFunctionNeverOffered = 79;
    // Shown when a side key is given the VOX function while VOX is off.
    static constexpr int kVoxOffMessage = 1179;

    using BlockBytes = std::array<std::uint8_t, kBlockSize>;
    static constexpr BlockBytes kDefaultBlock = {0x1D, 0x1C, 0x42, 0x4B, 0x42, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE};

    CKeyData() = default;

    void SetDefaults() { m_block = kDefaultBlock; }
    void LoadFromImage(const Image& image);
    void StoreToImage(Image& image) const;
    const BlockBytes& Block() const { return m_block; }

    // index: 0 SK1 short, 1 SK1 long, 2 SK2 short, 3 SK2 long; other indexes read 0xFF and are refused.
    std::uint8_t SideKeyFunction(std::size_t index) const;
    bool SetSideKeyFunction(std::size_t index, std::uint8_t function);

    // The data check of the keys: VOX switched off (kind 1140, data word 0)
    // clears every side key that holds the VOX function.
    void OnNotification(const CNotification& notification);

    // Whether a side key may take the function while VOX has this gain level.
    static bool IsFunctionAllowed(std::uint8_t function, unsigned voxGainLevel);

private:
    BlockBytes m_block = kDefaultBlock;
};

// Removes the never-offered function from a key combo's lines, wherever it stands.
void RemoveNeverOfferedFunctions(std::vector<CComboLine>& lines);

// The page-side copy of the keys view: the texts of the four side-key combos.
struct CKeyEditRecord {
    std::array<std::string, CKeyData::kSideKeyCount> texts;

    void Fill(const CKeyData& data, const CSettings& settings);
    // A text that matches no entry of list 6605 stores 0xFF (result false).
    bool Take(CKeyData& data, const CSettings& settings) const;
};

} // namespace qrv
