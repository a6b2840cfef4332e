#pragma once
// The tune data block (192 bytes at 0x340): 96 16-bit alignment values,
// little-endian. Its last 23 bytes (0x3E9-0x3FF) are the base-band values,
// which the base-band dialog moves as 16 bytes at 0x3E9 and 7 at 0x3F9.
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace qrv {

class CSettings;

// One base-band field: its image byte, its bits, and the control that shows it
// (for a combo also the number of its value list; a check box holds 0 or 1).
struct CBaseBandField {
    std::uint16_t imageOffset = 0;
    std::uint8_t mask = 0;
    int list = 0; // control number (= value list number for combos); 0 for a check box without a number
    bool checkBox = false;
};

class CAdjustmentData {
public:
    static constexpr std::size_t kImageOffset = 0x340;
    static constexpr std::size_t kBlockSize = 192;
    static constexpr std::size_t kValueCount = kBlockSize / 2;
    static constexpr std::uint16_t kNoValue = 0xFFFF;

    static constexpr std::uint16_t kBaseBandStart = 0x3E9;
    static constexpr std::size_t kBaseBandSize = 23;
    static constexpr std::uint16_t kBaseBandFirstBlock = 0x3E9;
    static constexpr std::size_t kBaseBandFirstBlockSize = 16;
    static constexpr std::uint16_t kBaseBandSecondBlock = 0x3F9;
    static constexpr std::size_t kBaseBandSecondBlockSize = 7;
    static constexpr std::uint16_t kAllowBaseBandOffset = 0x3E9;
    static constexpr std::uint8_t kAllowBaseBandMask = 0x01;
    static constexpr int kAllowBaseBandCheck = 7111;

    // The base-band fields' controls; a combo box's number is also its value list.
    static constexpr int kWidthAafGainCombo = 7116;
    static constexpr int kNarrowAafGainCombo = 7118;
    static constexpr int kLpfCombo = 7120;
    static constexpr int kCompandorTimeCombo = 7123;
    static constexpr int kCompandorControlCombo = 7125;
    static constexpr int kWidthPreEmphasisCheck = 7126;
    static constexpr int kWidthDeEmphasisCheck = 7127;
    static constexpr int kWidthVolumeCombo = 7129;
    static constexpr int kNarrowVolumeCombo = 7131;
    static constexpr int kWidthFngRxCombo = 7133;
    static constexpr int kNarrowFngRxCombo = 7135;
    static constexpr int kWidthDacFsCombo = 7137;
    static constexpr int kNarrowDacFsCombo = 7139;
    static constexpr int kTxGainCombo = 7141;
    static constexpr int kNarrowPreEmphasisCheck = 7144;
    static constexpr int kNarrowDeEmphasisCheck = 7145;

    static constexpr std::array<CBaseBandField, 14> kTransmitFields = {{
        {0x3EA, 0x07, kWidthAafGainCombo, false},
        {0x3EA, 0x08, kLpfCombo, false},
        {0x3EB, 0x01, 0, true}, // Compandor
        {0x3EB, 0x1E, kCompandorTimeCombo, false},
        {0x3EB, 0xE0, kCompandorControlCombo, false},
        {0x3EC, 0x01, kWidthPreEmphasisCheck, true},
        {0x3EC, 0x02, kWidthDeEmphasisCheck, true},
        {0x3EC, 0x04, kNarrowPreEmphasisCheck, true},
        {0x3EC, 0x08, kNarrowDeEmphasisCheck, true},
        {0x3ED, 0x07, kTxGainCombo, false},
        {0x3EE, 0xFF, kWidthFngRxCombo, false},
        {0x3EF, 0xFF, kNarrowFngRxCombo, false},
        {0x3F0, 0x03, kWidthDacFsCombo, false},
        {0x3F0, 0x0C, kNarrowDacFsCombo, false},
    }};
    static constexpr std::array<CBaseBandField, 8> kReceiveFields = {{
        {0x3F5, 0x07, kWidthAafGainCombo, false},
        {0x3F5, 0x70, kNarrowAafGainCombo, false},
        {0x3F6, 0x07, kWidthVolumeCombo, false},
        {0x3F6, 0x38, kNarrowVolumeCombo, false},
        {0x3F7, 0xFF, kWidthFngRxCombo, false},
        {0x3F8, 0xFF, kNarrowFngRxCombo, false},
        {0x3F9, 0x03, kWidthDacFsCombo, false},
        {0x3F9, 0xE0, kCompandorControlCombo, false},
    }};

    using BlockBytes = std::array<std::uint8_t, kBlockSize>;

    CAdjustmentData() { SetDefaults(); }

    void SetDefaults() { m_block.fill(0xFF); }
    void LoadFromImage(const Image& image);
    void StoreToImage(Image& image) const;
    const BlockBytes& Block() const { return m_block; }
    // The bytes at an image address inside 0x340-0x3FF (empty when out of the block).
    std::span<const std::uint8_t> BytesAt(std::size_t imageOffset, std::size_t count) const;
    // Copies bytes read from the radio in; false (nothing changed) when they do not fit.
    bool SetBytesAt(std::size_t imageOffset, std::span<const std::uint8_t> bytes);

    // Value by index 0-95; 0xFFFF (and refused) outside.
    std::uint16_t Value(std::size_t index) const;
    bool SetValue(std::size_t index, std::uint16_t value);

    bool AllowBaseBandTune() const { return (ByteAt(kAllowBaseBandOffset) & kAllowBaseBandMask) != 0; }
    void SetAllowBaseBandTune(bool on);

    // A base-band field's value; setting touches only its bits and refuses
    // (false) a value wider than the field or a byte outside the block.
    std::uint8_t GetField(const CBaseBandField& field) const;
    bool SetField(const CBaseBandField& field, unsigned value);
    // Combo fields through their value list; an unknown text keeps the field.
    std::string FieldText(const CBaseBandField& field, const CSettings& settings) const;
    bool SetFieldText(const CBaseBandField& field, std::string_view text, const CSettings& settings);

private:
    std::uint8_t ByteAt(std::size_t imageOffset) const { return m_block[imageOffset - kImageOffset]; }
    static bool InBlock(std::size_t imageOffset)
    {
        return imageOffset >= kImageOffset && imageOffset < kImageOffset + kBlockSize;
    }

    BlockBytes m_block{};
};

} // namespace qrv
