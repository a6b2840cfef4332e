#include "radio_data/change_log.h"

#include "util/text_format.h"

namespace qrv {

std::string ByteBits(std::uint8_t value)
{
    std::string bits;
    for (int bit = 7; bit >= 0; --bit)
        bits.push_back(((value >> bit) & 1) != 0 ? '1' : '0');
    return bits;
}

std::string CByteChange::ListLine() const
{
    return Format("$E.0x%X:%.2X->%.2X", offset, oldValue, newValue);
}

std::string CByteChange::BitText() const
{
    return Format("$E.0x%X:%s\r\n->%s", offset, ByteBits(oldValue).c_str(), ByteBits(newValue).c_str());
}

std::string CByteChange::DecimalText() const
{
    return Format("$E.0x%X:%.2u->%.2u", offset, static_cast<unsigned>(oldValue), static_cast<unsigned>(newValue));
}

std::vector<CByteChange> DiffImages(const Image& before, const Image& after)
{
    std::vector<CByteChange> changes;
    for (std::size_t o = 0; o < kImageSize; ++o)
        if (before[o] != after[o])
            changes.push_back({static_cast<std::uint16_t>(o), before[o], after[o]});
    return changes;
}

std::vector<CByteChange> CChangeLog::Refresh(const Image& image)
{
    auto changes = DiffImages(m_snapshot, image);
    m_snapshot = image;
    m_changes.insert(m_changes.end(), changes.begin(), changes.end());
    return changes;
}

std::string RowHeader(int row)
{
    return Format("F:%.3X_", row);
}

std::string ColumnHeader(int col)
{
    return Format("_%X", col);
}

} // namespace qrv
