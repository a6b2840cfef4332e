#include "factory/tuning_table.h"

#include "radio_data/settings.h"
#include "util/text_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace qrv {

namespace {

constexpr std::uint16_t kGroupMask = 0x1F;
constexpr std::uint16_t kLastItem = 0xFFFF;
constexpr std::uint16_t kFirstTransmitItem = 0x8300;
constexpr std::uint16_t kLastTransmitItem = 0x84AF;

// Entries only the factory sees.
constexpr std::array<std::uint16_t, 4> kFactoryOnly{0x8300, 0x8390, 0x84A0, 0x8050};
// Entries the service level sees as well.
constexpr std::array<std::uint16_t, 7> kServiceOnly{0x80D0, 0x80E0, 0x80F0, 0x8100, 0x8110, 0x8380, 0x8410};
constexpr std::array<std::uint16_t, 14> kSampled{0x80D0, 0x80E0, 0x80F0, 0x8100, 0x8110, 0x8160, 0x8300,
                                                 0x8340, 0x8380, 0x8390, 0x83D0, 0x8410, 0x8440, 0x8210};

template <std::size_t N> bool Holds(const std::array<std::uint16_t, N>& list, std::uint32_t base)
{
    return std::find(list.begin(), list.end(), base) != list.end();
}

std::optional<std::uint32_t> WholeNumber(std::string_view text)
{
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int Shift(TuneGroup group)
{
    return static_cast<int>(group) * CTuningTable::kPointsPerGroup;
}

} // namespace

bool CTuningEntry::HasGroup(TuneGroup group) const
{
    return ((flags >> Shift(group)) & kGroupMask) != 0;
}

bool CTuningEntry::HasAnyPoint() const
{
    return FirstGroup().has_value();
}

std::optional<TuneGroup> CTuningEntry::FirstGroup() const
{
    for (const TuneGroup group : {TuneGroup::Width, TuneGroup::Middle, TuneGroup::Narrow})
        if (HasGroup(group))
            return group;
    return std::nullopt;
}

std::vector<int> CTuningEntry::Points(TuneGroup group) const
{
    std::vector<int> points;
    for (int point = 0; point < CTuningTable::kPointsPerGroup; ++point)
        if ((flags >> (Shift(group) + point)) & 1U)
            points.push_back(point);
    return points;
}

std::uint16_t CTuningEntry::ItemNumber(TuneGroup group, int point) const
{
    return static_cast<std::uint16_t>(base + Shift(group) + point);
}

int CTuningEntry::PointOf(std::uint16_t item) const
{
    return static_cast<int>((item - base) % CTuningTable::kPointsPerGroup);
}

CTuningTable CTuningTable::Parse(std::string_view text)
{
    std::string compact(text);
    std::erase(compact, ' ');
    CTuningTable table;
    for (const std::string& entry : Split(compact, ';')) {
        const std::size_t comma = entry.find(',');
        if (comma == std::string::npos)
            continue;
        const auto base = WholeNumber(std::string_view(entry).substr(0, comma));
        const auto flags = WholeNumber(std::string_view(entry).substr(comma + 1));
        // Every item of the entry must be a 16-bit item number.
        const std::uint32_t lastOffset = kGroupCount * kPointsPerGroup - 1;
        if (!base || !flags || *base > kLastItem - lastOffset || *flags > 0xFFFF)
            continue;
        table.m_entries.push_back({static_cast<std::uint16_t>(*base), static_cast<std::uint16_t>(*flags)});
    }
    return table;
}

const CTuningEntry* CTuningTable::Find(std::uint32_t base) const
{
    const auto found =
        std::find_if(m_entries.begin(), m_entries.end(), [base](const CTuningEntry& e) { return e.base == base; });
    return found == m_entries.end() ? nullptr : &*found;
}

std::optional<std::size_t> CTuningTable::ValueIndex(std::uint16_t item) const
{
    std::size_t index = 0;
    for (const CTuningEntry& entry : m_entries) {
        for (const TuneGroup group : {TuneGroup::Width, TuneGroup::Middle, TuneGroup::Narrow}) {
            for (const int point : entry.Points(group)) {
                if (entry.ItemNumber(group, point) == item)
                    return index < kValueSlots ? std::optional<std::size_t>(index) : std::nullopt;
                ++index;
            }
        }
    }
    return std::nullopt;
}

bool CTuningTable::ShownAtLevel(std::uint32_t base, int userLevel)
{
    if (userLevel == CSettings::kFactoryLevel)
        return true;
    if (Holds(kFactoryOnly, base))
        return false;
    return userLevel == CSettings::kServiceLevel || !Holds(kServiceOnly, base);
}

bool IsTransmitItem(std::uint16_t base)
{
    return base >= kFirstTransmitItem && base <= kLastTransmitItem;
}

bool CanSample(std::uint16_t base)
{
    return Holds(kSampled, base);
}

} // namespace qrv
