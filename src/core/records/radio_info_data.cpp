#include "records/radio_info_data.h"

#include "util/text_format.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr int kBaseYear = 2000;
constexpr int kLastYear = 2037; // the last year the program's time type can show
constexpr int kMaxMonth = 12;
constexpr int kMaxDay = 31;
constexpr int kHoursPerDay = 24;
constexpr int kMaxMinute = 59;
constexpr int kMaxSecond = 59;

std::uint8_t StampByte(int value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0, 0xFF));
}

} // namespace

void CRadioInfoData::LoadFromImage(const Image& image)
{
    std::copy_n(image.begin() + kImageOffset, kBlockSize, m_block.begin());
}

void CRadioInfoData::StoreToImage(Image& image) const
{
    std::copy(m_block.begin(), m_block.end(), image.begin() + kImageOffset);
}

bool CRadioInfoData::SetBytesAt(std::size_t imageOffset, std::span<const std::uint8_t> bytes)
{
    if (imageOffset < kImageOffset || imageOffset - kImageOffset > kBlockSize ||
        bytes.size() > kBlockSize - (imageOffset - kImageOffset))
        return false;
    std::copy(bytes.begin(), bytes.end(), m_block.begin() + (imageOffset - kImageOffset));
    return true;
}

std::string CRadioInfoData::ReadText(std::size_t offset, std::size_t width) const
{
    std::string text;
    for (std::size_t i = 0; i < width; ++i) {
        const std::uint8_t byte = m_block[offset + i];
        if (byte == 0 || byte == kErasedByte)
            break;
        text.push_back(static_cast<char>(byte));
    }
    return text;
}

void CRadioInfoData::WriteText(std::size_t offset, std::size_t width, std::string_view text)
{
    for (std::size_t i = 0; i < width; ++i)
        m_block[offset + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0;
}

std::uint8_t CRadioInfoData::RangeFlags() const
{
    const std::uint8_t band = BandFlag();
    const bool bandSet = band != 0 && band != kErasedByte;
    return static_cast<std::uint8_t>((bandSet ? kBandFlagBit : 0) | (FrequencyRangeId() & kRangeIdMask));
}

void CRadioInfoData::SetRangeFlags(std::uint8_t flags)
{
    SetBandFlag((flags & kBandFlagBit) != 0 ? 1 : 0);
    SetFrequencyRangeId(flags & kRangeIdMask);
}

std::optional<std::uint32_t> CRadioInfoData::Frequency(std::size_t offset) const
{
    const std::uint32_t word = GetLe32(m_block, offset);
    if (word == kNoFrequency || !IsBcd32(word))
        return std::nullopt;
    return FromBcd32(word);
}

bool CRadioInfoData::SetFrequency(std::size_t offset, std::uint32_t units)
{
    if (units > kMaxFrequencyUnits)
        return false;
    PutLe32(m_block, offset, ToBcd32(units));
    return true;
}

bool CRadioInfoData::SetRangeLimits(int lowerMHz, int upperMHz)
{
    constexpr int kMaxMHz = static_cast<int>(kMaxFrequencyUnits / kUnitsPerMHz);
    if (lowerMHz < 0 || upperMHz < 0 || lowerMHz > kMaxMHz || upperMHz > kMaxMHz)
        return false;
    SetLowerFrequency(static_cast<std::uint32_t>(lowerMHz) * kUnitsPerMHz);
    SetUpperFrequency(static_cast<std::uint32_t>(upperMHz) * kUnitsPerMHz);
    return true;
}

CRadioInfoData::StampBytes CRadioInfoData::Stamp() const
{
    StampBytes stamp{};
    std::copy_n(m_block.begin() + kStampOffset, kStampSize, stamp.begin());
    return stamp;
}

std::string CRadioInfoData::LastProgrammedText() const
{
    const StampBytes s = Stamp();
    const int year = std::min(kBaseYear + s[kStampYear], kLastYear);
    const int month = std::min<int>(s[kStampMonth], kMaxMonth);
    const int day = std::min<int>(s[kStampDay], kMaxDay);
    const int hour = s[kStampHour] >= kHoursPerDay ? 0 : s[kStampHour];
    const int minute = std::min<int>(s[kStampMinute], kMaxMinute);
    const int second = std::min<int>(s[kStampSecond], kMaxSecond);
    return Format("%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
}

CRadioInfoData::StampBytes CRadioInfoData::MakeStamp(const std::tm& localTime)
{
    const int year = localTime.tm_year + 1900;
    StampBytes stamp{};
    stamp[kStampSecond] = StampByte(localTime.tm_sec);
    stamp[kStampMinute] = StampByte(localTime.tm_min);
    stamp[kStampHour] = StampByte(localTime.tm_hour);
    stamp[kStampDay] = StampByte(localTime.tm_mday);
    stamp[kStampMonth] = StampByte(localTime.tm_mon + 1);
    stamp[kStampYear] = StampByte(year % 100);
    stamp[kStampCentury] = StampByte(year / 100);
    return stamp;
}

void CRadioInfoData::WriteStamp(const std::tm& localTime)
{
    const StampBytes stamp = MakeStamp(localTime);
    std::copy(stamp.begin(), stamp.end(), m_block.begin() + kStampOffset);
}

bool CRadioInfoData::HasFactoryMarker() const
{
    return std::equal(kFactoryMarker.begin(), kFactoryMarker.end(), m_block.begin() + kFactoryMarkerOffset);
}

void CRadioInfoData::WriteFactoryMarker()
{
    std::copy(kFactoryMarker.begin(), kFactoryMarker.end(), m_block.begin() + kFactoryMarkerOffset);
}

} // namespace qrv
