#pragma once
// The radio's identity block (104 bytes at 0x010), written at the factory and
// read-only for the ordinary user. Layout (block offset, image offset):
//
//   +0   0x010  model name, 12 bytes, NUL padded (a full name has no NUL)
//   +12  0x01C  U/V band flag (entry of list 4850)
//   +13  0x01D  frequency range ID (entry of list 4852)
//   +14  0x01E  signalling type (entry of list 4848)
//   +15  0x01F  kept
//   +16  0x020  last-programmed stamp, 8 plain bytes: second, minute, hour,
//               day, month, year % 100, year / 100, 0
//   +24  0x028  lower limit of the radio's range, frequency word (BCD, 10 Hz)
//   +28  0x02C  upper limit, frequency word
//   +32  0x030  kept
//   +56  0x048  serial number, 16 bytes, NUL padded
//   +72  0x058  kept
//   +88  0x068  factory marker 55 AA AA 55, written by the factory model write
//   +92  0x06C  12 bytes kept (written back by the factory model write)
//
// The band flag and the range ID are the two halves of the radio's range flags
// byte (bit 7 and bits 0-6). A new block is erased (all 0xFF); texts end at the
// first NUL or erased byte, so an erased name reads empty.
#include "records/frequency.h"
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qrv {

class CRadioInfoData {
public:
    static constexpr std::size_t kImageOffset = 0x010;
    static constexpr std::size_t kBlockSize = 104;

    static constexpr std::size_t kModelNameOffset = 0;
    static constexpr std::size_t kModelNameWidth = 12;
    static constexpr std::size_t kBandFlagOffset = 12;
    static constexpr std::size_t kRangeIdOffset = 13;
    static constexpr std::size_t kSignallingTypeOffset = 14;
    static constexpr std::size_t kStampOffset = 16;
    static constexpr std::size_t kStampSize = 8;
    static constexpr std::size_t kLowerFrequencyOffset = 24;
    static constexpr std::size_t kUpperFrequencyOffset = 28;
    static constexpr std::size_t kSerialNumberOffset = 56;
    static constexpr std::size_t kSerialNumberWidth = 16;
    static constexpr std::size_t kFactoryMarkerOffset = 88;
    static constexpr std::size_t kFactoryTailOffset = 92;
    static constexpr std::size_t kFactoryTailSize = 12;
    static constexpr std::array<std::uint8_t, 4> kFactoryMarker = {0x55, 0xAA, 0xAA, 0x55};

    // Range flags byte of the radio: bit 7 the band flag, bits 0-6 the range ID.
    static constexpr std::uint8_t kBandFlagBit = 0x80;
    static constexpr std::uint8_t kRangeIdMask = 0x7F;

    // Stamp bytes in order.
    static constexpr std::size_t kStampSecond = 0;
    static constexpr std::size_t kStampMinute = 1;
    static constexpr std::size_t kStampHour = 2;
    static constexpr std::size_t kStampDay = 3;
    static constexpr std::size_t kStampMonth = 4;
    static constexpr std::size_t kStampYear = 5;
    static constexpr std::size_t kStampCentury = 6;

    static constexpr std::uint8_t kErasedByte = 0xFF;

    using BlockBytes = std::array<std::uint8_t, kBlockSize>;
    using StampBytes = std::array<std::uint8_t, kStampSize>;

    CRadioInfoData() { SetDefaults(); }

    void SetDefaults() { m_block.fill(kErasedByte); }
    void LoadFromImage(const Image& image);
    void StoreToImage(Image& image) const;
    const BlockBytes& Block() const { return m_block; }
    // Copies bytes read from the radio into the block at an image address
    // inside 0x010-0x077; false (nothing changed) when they do not fit.
    bool SetBytesAt(std::size_t imageOffset, std::span<const std::uint8_t> bytes);

    std::string ModelName() const { return ReadText(kModelNameOffset, kModelNameWidth); }
    // Cut to 12 characters, NUL padded.
    void SetModelName(std::string_view name) { WriteText(kModelNameOffset, kModelNameWidth, name); }
    std::string SerialNumber() const { return ReadText(kSerialNumberOffset, kSerialNumberWidth); }
    // Cut to 16 characters, NUL padded.
    void SetSerialNumber(std::string_view serial) { WriteText(kSerialNumberOffset, kSerialNumberWidth, serial); }

    std::uint8_t BandFlag() const { return m_block[kBandFlagOffset]; }
    void SetBandFlag(std::uint8_t entry) { m_block[kBandFlagOffset] = entry; }
    std::uint8_t FrequencyRangeId() const { return m_block[kRangeIdOffset]; }
    void SetFrequencyRangeId(std::uint8_t id) { m_block[kRangeIdOffset] = id; }
    std::uint8_t SignallingType() const { return m_block[kSignallingTypeOffset]; }
    void SetSignallingType(std::uint8_t entry) { m_block[kSignallingTypeOffset] = entry; }
    // The range flags byte made of the band flag (any non-zero value but 0xFF
    // counts as set) and the range ID, and split back.
    std::uint8_t RangeFlags() const;
    void SetRangeFlags(std::uint8_t flags);

    // Range limits in 10 Hz units; nullopt for an erased or malformed word.
    std::optional<std::uint32_t> LowerFrequency() const { return Frequency(kLowerFrequencyOffset); }
    std::optional<std::uint32_t> UpperFrequency() const { return Frequency(kUpperFrequencyOffset); }
    // Refused (false) above 999.99999 MHz.
    bool SetLowerFrequency(std::uint32_t units) { return SetFrequency(kLowerFrequencyOffset, units); }
    bool SetUpperFrequency(std::uint32_t units) { return SetFrequency(kUpperFrequencyOffset, units); }
    // Whole-MHz limits as the range text uses them.
    bool SetRangeLimits(int lowerMHz, int upperMHz);

    StampBytes Stamp() const;
    // "%Y-%m-%d %H:%M:%S" of the stamp, each part brought into its range.
    std::string LastProgrammedText() const;
    void WriteStamp(const std::tm& localTime);
    static StampBytes MakeStamp(const std::tm& localTime);

    bool HasFactoryMarker() const;
    void WriteFactoryMarker();

private:
    std::string ReadText(std::size_t offset, std::size_t width) const;
    void WriteText(std::size_t offset, std::size_t width, std::string_view text);
    std::optional<std::uint32_t> Frequency(std::size_t offset) const;
    bool SetFrequency(std::size_t offset, std::uint32_t units);

    BlockBytes m_block{};
};

} // namespace qrv
