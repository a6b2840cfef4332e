#include "radio_data/data_record.h"

#include <atomic>

namespace qrv {

namespace {
std::atomic<std::uint32_t> g_lastTreeId{65535};
constexpr std::uint32_t kTreeIdStep = 200;
} // namespace

CDataRecord::CDataRecord() : m_treeId(NextTreeId())
{
}

std::uint32_t CDataRecord::NextTreeId()
{
    return g_lastTreeId.fetch_add(kTreeIdStep) + kTreeIdStep;
}

} // namespace qrv
