#include "records/personality_data.h"

#include <algorithm>

namespace qrv {

namespace {
constexpr std::uint8_t kEndMarker = 0xFF;
} // namespace

CPersonalityData::CPersonalityData() = default;

CPersonalityData::CPersonalityData(std::span<const std::uint8_t, kRecordSize> record)
{
    std::copy(record.begin(), record.end(), m_record.begin());
}

void LoadPersonalityTable(const Image& image, std::vector<std::unique_ptr<CPersonalityData>>& personalities)
{
    using P = CPersonalityData;
    personalities.clear();
    std::size_t offset = P::kTableStart;
    for (;;) {
        personalities.push_back(
            std::make_unique<P>(std::span<const std::uint8_t, P::kRecordSize>(image.data() + offset, P::kRecordSize)));
        offset += P::kRecordSize;
        // The count is tested first so that the marker is never read past the table.
        if (personalities.size() >= P::kMaxPersonalities || image[offset + P::kTxAdmitByte] == kEndMarker)
            break;
    }
}

void StorePersonalityTable(Image& image, const std::vector<std::unique_ptr<CPersonalityData>>& personalities,
                           std::uint16_t& tableStart)
{
    using P = CPersonalityData;
    tableStart = P::kTableStart;
    const std::size_t count = std::min(personalities.size(), P::kMaxPersonalities);
    for (std::size_t i = 0; i < count; ++i) {
        const auto& record = personalities[i]->Record();
        std::copy(record.begin(), record.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(P::kTableStart + P::kRecordSize * i));
    }
}

} // namespace qrv
