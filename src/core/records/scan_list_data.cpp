#include "records/scan_list_data.h"

#include "radio_data/invalid_log.h"
#include "radio_data/notification.h"
#include "radio_data/settings.h"

#include <algorithm>
#include <string>

namespace qrv {

namespace {

constexpr std::uint8_t kEndMarker = 0xFF;

std::uint32_t ResolveNumber(std::uint8_t number, const CRecordRefs& channels)
{
    if (number < 1 || number > channels.size())
        return 0;
    const CDataRecord* channel = channels[number - 1];
    return channel != nullptr && channel->IsValid() ? channel->TreeId() : 0;
}

// The 1-based position of a valid channel with that identity; 0 when none.
std::size_t PositionOf(std::uint32_t id, const CRecordRefs& channels)
{
    if (id == 0)
        return 0;
    for (std::size_t i = 0; i < channels.size(); ++i)
        if (channels[i] != nullptr && channels[i]->TreeId() == id)
            return channels[i]->IsValid() ? i + 1 : 0;
    return 0;
}

std::uint8_t NumberOf(std::uint32_t id, const CRecordRefs& channels)
{
    const std::size_t position = PositionOf(id, channels);
    return position == 0 || position >= CScanListData::kNoChannel ? CScanListData::kNoChannel
                                                                  : static_cast<std::uint8_t>(position);
}

} // namespace

CScanListData::CScanListData() = default;

CScanListData::CScanListData(std::span<const std::uint8_t, kRecordSize> record)
{
    std::copy(record.begin(), record.end(), m_record.begin());
}

void CScanListData::SetMemberId(std::size_t slot, std::uint32_t id)
{
    if (slot < kSlots)
        m_memberIds[slot] = id;
}

void CScanListData::Resolve(const CRecordRefs& channels)
{
    m_designatedId = ResolveNumber(m_record[kDesignatedChannelByte], channels);
    m_priorityId = ResolveNumber(m_record[kPriorityChannelByte], channels);
    for (std::size_t slot = 0; slot < kSlots; ++slot)
        m_memberIds[slot] = ResolveNumber(m_record[kFirstMemberByte + slot], channels);
}

void CScanListData::StoreIdentities(const CRecordRefs& channels)
{
    for (std::size_t slot = 0; slot < kSlots; ++slot)
        m_record[kFirstMemberByte + slot] = NumberOf(m_memberIds[slot], channels);
    m_record[kDesignatedChannelByte] = NumberOf(m_designatedId, channels);
    m_record[kPriorityChannelByte] = NumberOf(m_priorityId, channels);
}

void CScanListData::Check(const CNotification& n, const CRecordRefs& channels, CInvalidLog& log,
                          const CSettings& settings) const
{
    if (!n.ChecksReferences() && n.kind != CNotification::Kind::ValidChanged)
        return;
    const std::string view = settings.GetText(kViewText) + " : ";
    const std::size_t used = std::min<std::size_t>(EntryCount(), kSlots);
    for (std::size_t slot = 0; slot < used; ++slot) {
        if (PositionOf(m_memberIds[slot], channels) != 0)
            continue;
        const int k = static_cast<int>(slot) + 1;
        log.Add({kFirstSlotControl + k, settings.GetText(kFirstSlotLabel + k),
                 view + settings.GetText(kChannelPageText), SlotKey(k)});
    }
    if (DesignatedInUse() && PositionOf(m_designatedId, channels) == 0)
        log.Add({kDesignatedControl, settings.GetText(kDesignatedLabel), view + settings.GetText(kConfigPageText),
                 DesignatedKey()});
    if (PriorityChannelInUse() && PositionOf(m_priorityId, channels) == 0)
        log.Add({kPriorityControl, settings.GetText(kPriorityLabel), view + settings.GetText(kConfigPageText),
                 PriorityKey()});
}

void CScanListData::WithdrawCheckEntries(CInvalidLog& log) const
{
    for (int k = 1; k <= static_cast<int>(kSlots); ++k)
        log.Remove(SlotKey(k));
    log.Remove(DesignatedKey());
    log.Remove(PriorityKey());
}

void CScanListData::WithdrawSlotEntry(int slot, CInvalidLog& log) const
{
    if (slot >= 1 && slot <= static_cast<int>(kSlots))
        log.Remove(SlotKey(slot));
}

void LoadScanTable(const Image& image, std::vector<std::unique_ptr<CScanListData>>& scanLists)
{
    using S = CScanListData;
    scanLists.clear();
    std::size_t offset = S::kTableStart;
    for (;;) {
        scanLists.push_back(
            std::make_unique<S>(std::span<const std::uint8_t, S::kRecordSize>(image.data() + offset, S::kRecordSize)));
        offset += S::kRecordSize;
        // The count is tested first so that the marker is never read past the table.
        if (scanLists.size() >= S::kMaxScanLists || image[offset + S::kEntryCountByte] == kEndMarker)
            break;
    }
}

void StoreScanTable(Image& image, const std::vector<std::unique_ptr<CScanListData>>& scanLists,
                    std::uint16_t& tableStart)
{
    using S = CScanListData;
    tableStart = S::kTableStart;
    const std::size_t count = std::min(scanLists.size(), S::kMaxScanLists);
    for (std::size_t i = 0; i < count; ++i) {
        const auto& record = scanLists[i]->Record();
        std::copy(record.begin(), record.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(S::kTableStart + S::kRecordSize * i));
    }
}

} // namespace qrv
