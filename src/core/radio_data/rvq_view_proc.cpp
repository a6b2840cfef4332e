#include "radio_data/rvq_view_proc.h"

#include <atomic>

namespace qrv {

namespace {
std::atomic<std::uint32_t> g_lastTreeId{65535};
constexpr std::uint32_t kTreeIdStep = 200;
} // namespace

CRVQViewProc::CRVQViewProc() : m_treeId(NextTreeId())
{
}

std::uint32_t CRVQViewProc::NextTreeId()
{
    return g_lastTreeId.fetch_add(kTreeIdStep) + kTreeIdStep;
}

} // namespace qrv
