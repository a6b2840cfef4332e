// Channel import from CSV in both column sets against arbitrary text: every
// row is taken or rejected with a reason, never more channels than the radio
// holds, and the channels taken check, store and (on some runs) export.
#include "csv/channel_csv.h"
#include "fuzz_support.h"
#include "radio_data/radio_data.h"

#include <cstdlib>

namespace {

using namespace qrv;

constexpr std::uint8_t kCommonFlag = 0x01;
constexpr std::uint8_t kAppendFlag = 0x02;
constexpr std::uint8_t kChineseFlag = 0x04;
constexpr std::uint8_t kExportFlag = 0x08;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    fuzz::CInput input({bytes, size});
    const std::uint8_t flags = input.Byte();
    const CCsvFormat format = (flags & kCommonFlag) != 0 ? CCsvFormat::Common : CCsvFormat::Native;
    const bool append = (flags & kAppendFlag) != 0;
    CSettings& settings = fuzz::Settings((flags & kChineseFlag) != 0, false);

    CRadioData data(settings);
    data.Reset();
    const CImportResult result = ImportChannels(input.RestAsText(), data, settings, format, append);
    if (result.channels.size() > CChannelData::kMaxChannels)
        std::abort();
    for (const CRejectedRow& row : result.rejected)
        if (row.reason.empty())
            std::abort();
    ApplyImport(result, data);
    if (data.Channels().size() > CChannelData::kMaxChannels || data.Channels().empty())
        std::abort();
    if ((flags & kExportFlag) != 0)
        ExportChannels(data, settings, format);
    data.StoreToImage(data.GetImage());
    return 0;
}
