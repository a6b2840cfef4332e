// The value-list spec parser against arbitrary text: expansion is bounded and
// every expanded line's text maps back to an item number.
#include "radio_data/list_spec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view spec(reinterpret_cast<const char*>(data), size);
    const auto lines = qrv::ExpandListSpec(spec);
    if (!lines.empty() && !qrv::ItemNumberOf(spec, lines.front().text))
        std::abort();
    for (long long n : {0LL, 1LL, 7LL, -1LL, 1LL << 40})
        qrv::ItemTextOf(spec, n);
    qrv::NamedItems(spec);
    return 0;
}
