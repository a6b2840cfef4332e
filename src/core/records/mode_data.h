#pragma once
// The mode block (2 bytes at 0x127). Byte 1 holds the panel test mode (the
// same bit is the radio's manual tune switch), clone mode and factory clone
// mode; factory clone mode only exists while clone mode is on.
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace qrv {

class CModeData {
public:
    static constexpr std::size_t kImageOffset = 0x127;
    static constexpr std::size_t kBlockSize = 2;
    static constexpr std::size_t kModeOffset = 1;
    static constexpr std::uint8_t kPanelTestMask = 0x08; // also the manual tune switch
    static constexpr std::uint8_t kCloneMask = 0x10;
    static constexpr std::uint8_t kResetClearedMask = 0x20;
    static constexpr std::uint8_t kFactoryCloneMask = 0x40;

    static constexpr int kPanelTestCheck = 4660;
    static constexpr int kCloneCheck = 4661;
    static constexpr int kFactoryCloneCheck = 4658;

    using BlockBytes = std::array<std::uint8_t, kBlockSize>;
    static constexpr BlockBytes kDefaultBlock = {0xFF, 0x87};

    void SetDefaults() { m_block = kDefaultBlock; }
    void LoadFromImage(const Image& image);
    void StoreToImage(Image& image) const;
    const BlockBytes& Block() const { return m_block; }

    bool PanelTestMode() const { return Flag(kPanelTestMask); }
    void SetPanelTestMode(bool on) { SetFlag(kPanelTestMask, on); }
    bool TuneSwitch() const { return PanelTestMode(); }
    void SetTuneSwitch(bool open) { SetPanelTestMode(open); }
    bool CloneMode() const { return Flag(kCloneMask); }
    // Switching clone mode off switches factory clone mode off as well.
    void SetCloneMode(bool on);
    bool FactoryCloneMode() const { return Flag(kFactoryCloneMask); }
    // Refused (false) while clone mode is off.
    bool SetFactoryCloneMode(bool on);
    // Whether the factory clone box may be used.
    bool IsFactoryCloneEnabled() const { return CloneMode(); }

private:
    bool Flag(std::uint8_t mask) const { return (m_block[kModeOffset] & mask) != 0; }
    void SetFlag(std::uint8_t mask, bool on) { m_block[kModeOffset] = SetBits(m_block[kModeOffset], mask, on ? 1 : 0); }

    BlockBytes m_block = kDefaultBlock;
};

// The page-side copy of the mode view.
struct CModeEditRecord {
    bool panelTest = false;
    bool clone = false;
    bool factoryClone = false;

    // Factory clone shows unchecked while clone mode is off.
    void Fill(const CModeData& data);
    // Factory clone is stored only together with clone mode.
    void Take(CModeData& data) const;
};

} // namespace qrv
