// The record decoders and checks on an image from a file or a radio: load
// every record, then run every check, draw one section of the report into
// rows and pages, or export the channels in one of the column sets (one of
// them per run keeps the runs fast). Storing, loading and storing again must give the same
// image: what the program writes it reads back unchanged.
#include "csv/channel_csv.h"
#include "fuzz_support.h"
#include "radio_data/radio_data.h"
#include "report/page_layout.h"
#include "report/report_sections.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

using namespace qrv;

constexpr std::uint8_t kChineseFlag = 0x01;
constexpr std::uint8_t kFactoryFlag = 0x02;
constexpr int kUseShift = 2;
enum Use : std::uint8_t { kChecks, kReport, kNativeCsv, kCommonCsv, kUseCount };
constexpr int kSectionShift = 4;
constexpr std::uint8_t kErased = 0xFF;
constexpr int kA4WidthTenthsMm = 2100;
constexpr int kA4HeightTenthsMm = 2970;

void Report(CRadioData& data, const CSettings& settings, std::uint8_t flags)
{
    const auto& sections = ReportSections();
    const std::set<int> forms{sections[(flags >> kSectionShift) % sections.size()].formNumber};
    ReportRows rows = BuildReport(data, settings, forms);
    RadioIdentityTexts(data, settings);
    const CPageLayout layout = Paginate(kA4WidthTenthsMm, kA4HeightTenthsMm, false, rows);
    for (int page = 1; page <= layout.pageCount; ++page) {
        const auto [first, last] = RowsOfPage(layout, page, rows.size());
        if (first > last || last > rows.size())
            std::abort();
        for (std::size_t i = first; i < last; ++i)
            CellSpans(rows[i], layout);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    fuzz::CInput input({bytes, size});
    const std::uint8_t flags = input.Byte();
    CSettings& settings = fuzz::Settings((flags & kChineseFlag) != 0, (flags & kFactoryFlag) != 0);
    Image image;
    image.fill(kErased);
    const auto given = input.Take(image.size());
    std::copy(given.begin(), given.end(), image.begin());

    CRadioData data(settings);
    data.GetImage() = image;
    data.LoadFromImage(data.GetImage());
    switch (static_cast<Use>((flags >> kUseShift) % kUseCount)) {
    case kChecks:
        data.CheckAll();
        break;
    case kReport:
        Report(data, settings, flags);
        break;
    case kNativeCsv:
        ExportChannels(data, settings, CCsvFormat::Native);
        break;
    case kCommonCsv:
    case kUseCount:
        ExportChannels(data, settings, CCsvFormat::Common);
        break;
    }

    Image stored{};
    data.StoreToImage(stored);
    CRadioData reloaded(settings);
    reloaded.LoadFromImage(stored);
    Image storedAgain{};
    reloaded.StoreToImage(storedAgain);
    if (storedAgain != stored)
        std::abort();
    return 0;
}
