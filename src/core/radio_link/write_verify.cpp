#include "radio_link/write_verify.h"

#include "util/text_format.h"

#include <algorithm>

namespace qrv {

std::vector<CAddressRun> DifferingRuns(const Image& sent, const Image& readBack, std::uint32_t first,
                                       std::uint32_t last)
{
    std::vector<CAddressRun> runs;
    last = std::min<std::uint32_t>(last, static_cast<std::uint32_t>(sent.size() - 1));
    for (std::uint32_t a = first; a <= last; ++a) {
        if (sent[a] == readBack[a])
            continue;
        if (!runs.empty() && runs.back().last + 1 == a)
            runs.back().last = a;
        else
            runs.push_back({a, a});
    }
    return runs;
}

std::string DescribeRuns(const std::vector<CAddressRun>& runs, std::size_t maxRuns)
{
    std::string text;
    const std::size_t shown = std::min(runs.size(), maxRuns);
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0)
            text += ", ";
        text += runs[i].first == runs[i].last ? Format("0x%04X", static_cast<unsigned>(runs[i].first))
                                              : Format("0x%04X-0x%04X", static_cast<unsigned>(runs[i].first),
                                                       static_cast<unsigned>(runs[i].last));
    }
    if (runs.size() > shown)
        text += ", ...";
    return text;
}

} // namespace qrv
