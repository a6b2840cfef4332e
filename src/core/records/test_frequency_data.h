#pragma once
// The test frequency block (200 bytes at 0x270): sixteen test channels and
// the five tuning-point frequencies the factory alignment uses. Frequencies
// are frequency words (eight BCD digits of 10 Hz units, little-endian).
//
//   10k + 0   test channel k (0-15): receive frequency
//   10k + 4   test channel k: transmit frequency
//   10k + 8   step code of the receive frequency
//   10k + 9   step code of the transmit frequency
//   160 + 4p  tuning point p (0-4): receive frequency
//   180 + 4p  tuning point p: transmit frequency
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qrv {

class CTestFrequencyData {
public:
    static constexpr std::size_t kImageOffset = 0x270;
    static constexpr std::size_t kBlockSize = 200;
    // The value list of the tables' column titles: point, receive frequency, transmit frequency.
    static constexpr int kColumnTitlesList = 4014;

    static constexpr std::size_t kChannelCount = 16;
    static constexpr std::size_t kChannelStride = 10;
    static constexpr std::size_t kChannelRxOffset = 0;
    static constexpr std::size_t kChannelTxOffset = 4;
    static constexpr std::size_t kChannelRxStepOffset = 8;
    static constexpr std::size_t kChannelTxStepOffset = 9;
    static constexpr std::size_t kPointCount = 5;
    static constexpr std::size_t kPointRxOffset = 160;
    static constexpr std::size_t kPointTxOffset = 180;
    static constexpr std::size_t kPointStride = 4;

    static constexpr std::uint8_t kStepCode5k = 2;
    static constexpr std::uint8_t kStepCode6k25 = 3;
    static constexpr std::uint32_t kRaster5k = 500;   // 10 Hz units
    static constexpr std::uint32_t kRaster6k25 = 625; // 10 Hz units
    // Receive offset of the generated test channels and points: 150 kHz.
    static constexpr std::uint32_t kDefaultOffset = 15000;
    // Generated test channels; the rest are zero.
    static constexpr std::size_t kDefaultChannelCount = 9;
    static constexpr std::uint8_t kErasedByte = 0xFF;

    using BlockBytes = std::array<std::uint8_t, kBlockSize>;

    // An erased block until the defaults are made from the frequency range.
    CTestFrequencyData() { m_block.fill(kErasedByte); }

    // Generates the test channels and tuning points from a "%d-%d" range text.
    // A range that does not parse (or lies outside 1-999 MHz, or upside down)
    // gives no frequencies: the block is erased and the result is false.
    bool MakeDefaultTestFrequencies(std::string_view freqRange);
    bool SetDefaults(std::string_view freqRange) { return MakeDefaultTestFrequencies(freqRange); }
    void LoadFromImage(const Image& image);
    void StoreToImage(Image& image) const;
    const BlockBytes& Block() const { return m_block; }

    // Step code of a frequency and the frequency on its raster: 6.25 kHz
    // multiples give 3, else 5 kHz multiples give 2, else the frequency is
    // rounded down to 6.25 kHz and gives 3.
    static std::uint8_t StepCodeOf(std::uint32_t units);
    static std::uint32_t OnRaster(std::uint32_t units);

    // Test channels (0-15). Frequencies read nullopt (text empty) when the
    // word is erased or not BCD. Setting puts the frequency on its raster and
    // stores its step code; bad indexes, texts and values are refused.
    std::optional<std::uint32_t> ChannelRx(std::size_t channel) const;
    std::optional<std::uint32_t> ChannelTx(std::size_t channel) const;
    std::uint8_t ChannelRxStep(std::size_t channel) const;
    std::uint8_t ChannelTxStep(std::size_t channel) const;
    bool SetChannelRx(std::size_t channel, std::uint32_t units);
    bool SetChannelTx(std::size_t channel, std::uint32_t units);
    std::string ChannelRxText(std::size_t channel) const;
    std::string ChannelTxText(std::size_t channel) const;
    bool SetChannelRxText(std::size_t channel, std::string_view text);
    bool SetChannelTxText(std::size_t channel, std::string_view text);

    // Tuning points (0-4): no step code and no rounding.
    std::optional<std::uint32_t> PointRx(std::size_t point) const;
    std::optional<std::uint32_t> PointTx(std::size_t point) const;
    bool SetPointRx(std::size_t point, std::uint32_t units);
    bool SetPointTx(std::size_t point, std::uint32_t units);
    std::string PointRxText(std::size_t point) const;
    std::string PointTxText(std::size_t point) const;
    bool SetPointRxText(std::size_t point, std::string_view text);
    bool SetPointTxText(std::size_t point, std::string_view text);

private:
    std::optional<std::uint32_t> WordAt(std::size_t offset) const;
    void PutWord(std::size_t offset, std::uint32_t units);
    bool SetChannel(std::size_t channel, std::size_t wordOffset, std::size_t stepOffset, std::uint32_t units);
    bool SetPoint(std::size_t point, std::size_t base, std::uint32_t units);

    BlockBytes m_block{};
};

} // namespace qrv
