#include "records/test_frequency_data.h"

#include "records/frequency.h"

#include "util/text_format.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr int kMaxMHz = 999;

std::string TextOf(const std::optional<std::uint32_t>& units)
{
    return units ? FrequencyTextFromUnits(*units) : std::string();
}

} // namespace

bool CTestFrequencyData::MakeDefaultTestFrequencies(std::string_view freqRange)
{
    int lowerMHz = 0;
    int upperMHz = 0;
    ParseRangeText(freqRange, lowerMHz, upperMHz);
    m_block.fill(kErasedByte);
    if (lowerMHz < 1 || upperMHz < lowerMHz || upperMHz > kMaxMHz)
        return false;

    // Quarter and eighth points of the range, with the truncating halving the radio's table was made with.
    const std::uint32_t l = static_cast<std::uint32_t>(lowerMHz);
    const std::uint32_t h = static_cast<std::uint32_t>(upperMHz);
    const std::uint32_t m = (l + h) / 2;
    const std::uint32_t q1 = (m + l) / 2;
    const std::uint32_t q3 = (m + h) / 2;
    const std::uint32_t e1 = (q1 + l) / 2;
    const std::uint32_t e3 = (q1 + m) / 2;
    const std::uint32_t e5 = (q3 + m) / 2;
    const std::uint32_t e7 = (q3 + h) / 2;
    const std::uint32_t d = kDefaultOffset;
    const auto u = [](std::uint32_t mhz) { return mhz * kUnitsPerMHz; };

    struct Pair {
        std::uint32_t tx;
        std::uint32_t rx;
    };
    const std::array<Pair, kDefaultChannelCount> channels = {{
        {u(l), u(l) + d},
        {u(e1), u(e1) + d},
        {u(q1), u(q1) - d},
        {u(e3), u(e3) - d},
        {u(m), u(m) + d},
        {u(e5), u(e5) + d},
        {u(q3), u(q3) - d},
        {u(e7), u(e7) - d},
        {u(h), u(h) - d},
    }};
    const std::array<Pair, kPointCount> points = {{
        {u(l), u(l) + d},
        {u(q1), u(q1) + d},
        {u(m), u(m) + d},
        {u(q3), u(q3) + d},
        {u(h), u(h) - d},
    }};

    for (std::size_t k = 0; k < kChannelCount; ++k) {
        if (k < channels.size()) {
            SetChannelRx(k, channels[k].rx);
            SetChannelTx(k, channels[k].tx);
        } else {
            std::fill_n(m_block.begin() + k * kChannelStride, kChannelStride, std::uint8_t{0});
        }
    }
    for (std::size_t p = 0; p < kPointCount; ++p) {
        SetPointRx(p, points[p].rx);
        SetPointTx(p, points[p].tx);
    }
    return true;
}

void CTestFrequencyData::LoadFromImage(const Image& image)
{
    std::copy_n(image.begin() + kImageOffset, kBlockSize, m_block.begin());
}

void CTestFrequencyData::StoreToImage(Image& image) const
{
    std::copy(m_block.begin(), m_block.end(), image.begin() + kImageOffset);
}

std::uint8_t CTestFrequencyData::StepCodeOf(std::uint32_t units)
{
    if (units % kRaster6k25 == 0)
        return kStepCode6k25;
    return units % kRaster5k == 0 ? kStepCode5k : kStepCode6k25;
}

std::uint32_t CTestFrequencyData::OnRaster(std::uint32_t units)
{
    if (units % kRaster6k25 == 0 || units % kRaster5k == 0)
        return units;
    return units - units % kRaster6k25;
}

std::optional<std::uint32_t> CTestFrequencyData::WordAt(std::size_t offset) const
{
    const std::uint32_t word = GetLe32(m_block, offset);
    if (!IsBcd32(word))
        return std::nullopt;
    return FromBcd32(word);
}

void CTestFrequencyData::PutWord(std::size_t offset, std::uint32_t units)
{
    PutLe32(m_block, offset, ToBcd32(units));
}

bool CTestFrequencyData::SetChannel(std::size_t channel, std::size_t wordOffset, std::size_t stepOffset,
                                    std::uint32_t units)
{
    if (channel >= kChannelCount || units > kMaxFrequencyUnits)
        return false;
    const std::size_t base = channel * kChannelStride;
    PutWord(base + wordOffset, OnRaster(units));
    m_block[base + stepOffset] = StepCodeOf(units);
    return true;
}

bool CTestFrequencyData::SetPoint(std::size_t point, std::size_t base, std::uint32_t units)
{
    if (point >= kPointCount || units > kMaxFrequencyUnits)
        return false;
    PutWord(base + point * kPointStride, units);
    return true;
}

std::optional<std::uint32_t> CTestFrequencyData::ChannelRx(std::size_t channel) const
{
    return channel < kChannelCount ? WordAt(channel * kChannelStride + kChannelRxOffset) : std::nullopt;
}

std::optional<std::uint32_t> CTestFrequencyData::ChannelTx(std::size_t channel) const
{
    return channel < kChannelCount ? WordAt(channel * kChannelStride + kChannelTxOffset) : std::nullopt;
}

std::uint8_t CTestFrequencyData::ChannelRxStep(std::size_t channel) const
{
    return channel < kChannelCount ? m_block[channel * kChannelStride + kChannelRxStepOffset] : kErasedByte;
}

std::uint8_t CTestFrequencyData::ChannelTxStep(std::size_t channel) const
{
    return channel < kChannelCount ? m_block[channel * kChannelStride + kChannelTxStepOffset] : kErasedByte;
}

bool CTestFrequencyData::SetChannelRx(std::size_t channel, std::uint32_t units)
{
    return SetChannel(channel, kChannelRxOffset, kChannelRxStepOffset, units);
}

bool CTestFrequencyData::SetChannelTx(std::size_t channel, std::uint32_t units)
{
    return SetChannel(channel, kChannelTxOffset, kChannelTxStepOffset, units);
}

std::string CTestFrequencyData::ChannelRxText(std::size_t channel) const
{
    return TextOf(ChannelRx(channel));
}

std::string CTestFrequencyData::ChannelTxText(std::size_t channel) const
{
    return TextOf(ChannelTx(channel));
}

bool CTestFrequencyData::SetChannelRxText(std::size_t channel, std::string_view text)
{
    const auto units = ParseMHz(text);
    return units && SetChannelRx(channel, *units);
}

bool CTestFrequencyData::SetChannelTxText(std::size_t channel, std::string_view text)
{
    const auto units = ParseMHz(text);
    return units && SetChannelTx(channel, *units);
}

std::optional<std::uint32_t> CTestFrequencyData::PointRx(std::size_t point) const
{
    return point < kPointCount ? WordAt(kPointRxOffset + point * kPointStride) : std::nullopt;
}

std::optional<std::uint32_t> CTestFrequencyData::PointTx(std::size_t point) const
{
    return point < kPointCount ? WordAt(kPointTxOffset + point * kPointStride) : std::nullopt;
}

bool CTestFrequencyData::SetPointRx(std::size_t point, std::uint32_t units)
{
    return SetPoint(point, kPointRxOffset, units);
}

bool CTestFrequencyData::SetPointTx(std::size_t point, std::uint32_t units)
{
    return SetPoint(point, kPointTxOffset, units);
}

std::string CTestFrequencyData::PointRxText(std::size_t point) const
{
    return TextOf(PointRx(point));
}

std::string CTestFrequencyData::PointTxText(std::size_t point) const
{
    return TextOf(PointTx(point));
}

bool CTestFrequencyData::SetPointRxText(std::size_t point, std::string_view text)
{
    const auto units = ParseMHz(text);
    return units && SetPointRx(point, *units);
}

bool CTestFrequencyData::SetPointTxText(std::size_t point, std::string_view text)
{
    const auto units = ParseMHz(text);
    return units && SetPointTx(point, *units);
}

} // namespace qrv
