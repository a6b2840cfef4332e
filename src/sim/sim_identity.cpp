#include "sim_identity.h"

#include "util/bytes.h"

namespace qrv::sim {

namespace {
constexpr std::uint32_t kUnitsPerMHz = 100000; // a frequency word counts 10 Hz
constexpr std::size_t kFlagsAt = 0;
constexpr std::size_t kLowerAt = 1;
constexpr std::size_t kUpperAt = 5;
constexpr std::uint32_t kErasedWord = 0xFFFFFFFF;

int WordToMHz(const std::array<std::uint8_t, CSimIdentity::kRangeSize>& range, std::size_t at)
{
    const std::uint32_t word = GetLe32(range, at);
    if (word == kErasedWord || !IsBcd32(word))
        return 0;
    return static_cast<int>(FromBcd32(word) / kUnitsPerMHz);
}
} // namespace

std::array<std::uint8_t, CSimIdentity::kRangeSize> CSimIdentity::RangeBlock(std::uint8_t flags, int lowerMHz,
                                                                            int upperMHz)
{
    std::array<std::uint8_t, kRangeSize> block{};
    block[kFlagsAt] = flags;
    PutLe32(block, kLowerAt, ToBcd32(static_cast<std::uint32_t>(lowerMHz) * kUnitsPerMHz));
    PutLe32(block, kUpperAt, ToBcd32(static_cast<std::uint32_t>(upperMHz) * kUnitsPerMHz));
    return block;
}

int CSimIdentity::LowerMHz() const
{
    return WordToMHz(range, kLowerAt);
}

int CSimIdentity::UpperMHz() const
{
    return WordToMHz(range, kUpperAt);
}

} // namespace qrv::sim
