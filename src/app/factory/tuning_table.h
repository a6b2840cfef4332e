#pragma once
// The tuning list of the language file and what the tuning dialogs derive
// from it. Each entry names a base item number and a flag word: bits 0-4 say
// which of base+0..4 exist (the Width group), bits 5-9 which of base+5..9
// (Middle), bits 10-14 which of base+10..14 (Narrow); bit 15 is a further
// flag of the entry. An item's point (0-4) picks the tuning-point frequency.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace qrv {

enum class TuneGroup : int { Width = 0, Middle = 1, Narrow = 2 };

struct CTuningEntry {
    std::uint16_t base = 0;
    std::uint16_t flags = 0;

    bool HasGroup(TuneGroup group) const;
    bool HasAnyPoint() const;
    // Width when it has points, else Middle, else Narrow; nullopt without any point.
    std::optional<TuneGroup> FirstGroup() const;
    // The points (0-4) of a group that exist, in order.
    std::vector<int> Points(TuneGroup group) const;
    std::uint16_t ItemNumber(TuneGroup group, int point) const;
    // The tuning point whose frequencies belong to an item of this entry.
    int PointOf(std::uint16_t item) const;
};

class CTuningTable {
public:
    static constexpr int kGroupCount = 3;
    static constexpr int kPointsPerGroup = 5;
    // The tune values of the tune data block that lie before the base-band bytes.
    static constexpr std::size_t kValueSlots = 84;

    // "base,flags" entries separated by ";", spaces ignored; an entry that is
    // not two numbers in range is left out.
    static CTuningTable Parse(std::string_view text);

    bool Empty() const { return m_entries.empty(); }
    const std::vector<CTuningEntry>& Entries() const { return m_entries; }
    // The first entry of that base; nullptr when none.
    const CTuningEntry* Find(std::uint32_t base) const;
    // Where an item's value is kept in the tune data block: the points of the
    // table take the block's values one after another, in table order.
    // nullopt for an item the table does not hold or one past the tune values.
    std::optional<std::size_t> ValueIndex(std::uint16_t item) const;

    // Whether the list offers an entry at a user level: the factory level sees
    // every entry, the service level and the dealers fewer.
    static bool ShownAtLevel(std::uint32_t base, int userLevel);

private:
    std::vector<CTuningEntry> m_entries;
};

// The transmitter's items (0x8300-0x84AF): their test switch is "b" and
// their captions are the transmit ones.
bool IsTransmitItem(std::uint16_t base);
// Items whose value the radio can measure itself (the SAMPLE button).
bool CanSample(std::uint16_t base);

} // namespace qrv
