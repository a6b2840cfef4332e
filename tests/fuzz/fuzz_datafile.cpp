// The data file reader against arbitrary bytes: it must refuse or accept
// without reading outside the input; an accepted file's records load and
// check, and the file saved again reads back as what was saved.
#include "fuzz_support.h"
#include "radio_data/data_file.h"
#include "radio_data/model_catalog.h"
#include "radio_data/radio_data.h"
#include "util/text_format.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

using namespace qrv;

// What the reader makes of a file: nothing unless every part reads.
struct CReadBack {
    DataFileHeader header;
    std::vector<std::uint8_t> extra;
    Image image{};
    std::string comment;
};

std::optional<CReadBack> Read(std::span<const std::uint8_t> file)
{
    CReadBack read;
    const bool hasHeader = ParseHeader(file, read.header);
    if (hasHeader && !read.header.HasMagic())
        std::abort();
    const bool hasBlocks = ParseBlocks(file, &read.extra, read.image);
    if (hasBlocks && (!hasHeader || file.size() < datafile::kFixedSize + read.extra.size()))
        std::abort();
    if (ParseComment(file, read.comment) && read.comment.size() > file.size())
        std::abort();
    if (!hasBlocks)
        return std::nullopt;
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto read = Read({data, size});
    if (!read)
        return 0;
    const DataFileHeader& header = read->header;
    CompareVersions(header.ProgramVersion(), CSettings::kProgramVersion);

    // As Open takes a file: the identity from the header, then the records.
    CSettings& settings = fuzz::Settings(false, false);
    CRadioData radio(settings);
    radio.Identity() = {header.ModelId(), header.ModelName(), MakeRangeText(header.LowerLimit(), header.UpperLimit()),
                        header.Signal(), header.RadioDataVersion()};
    radio.GetImage() = read->image;
    radio.LoadFromImage(radio.GetImage());
    radio.CheckAll();
    radio.StoreToImage(radio.GetImage());

    CDataFile file;
    if (!file.SetHeader(header))
        std::abort();
    const auto saved = file.Contents(read->extra, radio.GetImage(), read->comment);
    const auto again = Read(saved);
    if (!again || again->header.bytes != header.bytes || again->extra != read->extra ||
        again->image != radio.GetImage() || again->comment != read->comment)
        std::abort();
    return 0;
}
