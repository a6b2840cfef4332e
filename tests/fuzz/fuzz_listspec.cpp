// The value-list parser against arbitrary text: expansion is bounded and
// every expanded line's text maps back to an item number.
#include "radio_data/list_spec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view listText(reinterpret_cast<const char*>(data), size);
    const auto lines = qrv::ExpandListSpec(listText);
    if (lines.size() > qrv::kMaxListLines)
        std::abort();
    if (!lines.empty() && !qrv::ItemNumberOf(listText, lines.front().text))
        std::abort();
    for (long long n : {0LL, 1LL, 7LL, -1LL, 1LL << 40})
        qrv::ItemTextOf(listText, n);
    qrv::NamedItems(listText);
    return 0;
}
