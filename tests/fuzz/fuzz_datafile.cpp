// The data file reader against arbitrary bytes: it must refuse or accept
// without reading outside the input, and an accepted file must round-trip.
#include "radio_data/data_file.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> file(data, size);
    qrv::DataFileHeader header;
    const bool hasHeader = qrv::ParseHeader(file, header);
    if (hasHeader && !header.HasMagic())
        std::abort();
    std::vector<std::uint8_t> extra;
    qrv::Image image{};
    // signature + header + three section heads + one image
    if (qrv::ParseBlocks(file, &extra, image) && size < qrv::datafile::kFixedSize + extra.size())
        std::abort();
    std::string comment;
    if (qrv::ParseComment(file, comment) && comment.size() > size)
        std::abort();
    return 0;
}
